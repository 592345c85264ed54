#include "textctl/rtf/rtfreaderwords.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace textctl::rtf {

namespace {

using W = Word;

struct Entry {
    std::string_view name;
    Word word = Word::Unknown;
};

// clang-format off
constexpr Entry kWords[] = {
    // Destinations.
    {"rtf", W::Rtf}, {"fonttbl", W::FontTable}, {"colortbl", W::ColorTable},
    {"stylesheet", W::StyleSheet}, {"info", W::Info}, {"listtable", W::ListTable},
    {"list", W::List}, {"listlevel", W::ListLevel}, {"leveltext", W::LevelText},
    {"levelnumbers", W::LevelNumbers}, {"listname", W::ListName},
    {"listoverridetable", W::ListOverrideTable}, {"listoverride", W::ListOverride},
    {"pict", W::Pict}, {"shp", W::Shp}, {"shpinst", W::ShpInst}, {"sp", W::Sp}, {"sn", W::Sn},
    {"sv", W::Sv}, {"shptxt", W::ShpTxt}, {"shprslt", W::ShpRslt}, {"shppict", W::ShpPict},
    {"nonshppict", W::NonShpPict}, {"field", W::Field}, {"fldinst", W::FldInst},
    {"fldrslt", W::FldRslt}, {"header", W::Header}, {"headerl", W::HeaderL},
    {"headerr", W::HeaderR}, {"headerf", W::HeaderF}, {"footer", W::Footer},
    {"footerl", W::FooterL}, {"footerr", W::FooterR}, {"footerf", W::FooterF},
    {"footnote", W::Footnote}, {"bkmkstart", W::BkmkStart}, {"bkmkend", W::BkmkEnd},
    {"listtext", W::ListText}, {"pntext", W::PnText}, {"pn", W::Pn}, {"pntxtb", W::PnTxtB},
    {"pntxta", W::PnTxtA}, {"upr", W::Upr}, {"ud", W::Ud}, {"object", W::Object},
    {"result", W::Result}, {"nesttableprops", W::NestTableProps},
    {"nonesttables", W::NoNestTables}, {"cs", W::CharStyle}, {"ds", W::SectionStyle},
    {"ts", W::TableStyle},
    // Known destinations whose content is never text.
    {"filetbl", W::SkippedDestination}, {"revtbl", W::SkippedDestination},
    {"do", W::SkippedDestination}, {"xe", W::SkippedDestination}, {"tc", W::SkippedDestination},
    {"tcn", W::SkippedDestination}, {"txe", W::SkippedDestination},
    {"rxe", W::SkippedDestination}, {"template", W::SkippedDestination},
    {"ftnsep", W::SkippedDestination}, {"ftnsepc", W::SkippedDestination},
    {"aftnsep", W::SkippedDestination}, {"aftnsepc", W::SkippedDestination},
    {"ftncn", W::SkippedDestination}, {"aftncn", W::SkippedDestination},
    {"annotation", W::SkippedDestination}, {"atnid", W::SkippedDestination},
    {"atnauthor", W::SkippedDestination}, {"private", W::SkippedDestination},
    {"comment", W::SkippedDestination}, {"author", W::SkippedDestination},
    {"title", W::SkippedDestination}, {"subject", W::SkippedDestination},
    {"operator", W::SkippedDestination}, {"keywords", W::SkippedDestination},
    {"doccomm", W::SkippedDestination}, {"pgdsctbl", W::SkippedDestination},
    {"fontemb", W::SkippedDestination}, {"fontfile", W::SkippedDestination},
    {"falt", W::SkippedDestination}, {"panose", W::SkippedDestination},
    {"objdata", W::SkippedDestination}, {"objclass", W::SkippedDestination},
    {"datafield", W::FieldSkipped}, {"formfield", W::FieldSkipped},
    // Groups some writers leave without \*: never text either.
    {"generator", W::Info}, {"mmathPr", W::SkippedDestination},
    {"themedata", W::SkippedDestination}, {"colorschememapping", W::SkippedDestination},
    {"latentstyles", W::SkippedDestination}, {"datastore", W::SkippedDestination},
    {"rsidtbl", W::SkippedDestination}, {"xmlnstbl", W::SkippedDestination},
    {"listpicture", W::SkippedDestination}, {"pgptbl", W::SkippedDestination},
    {"wgrffmtfilter", W::SkippedDestination}, {"fchars", W::SkippedDestination},
    {"lchars", W::SkippedDestination}, {"defchp", W::SkippedDestination},
    {"defpap", W::SkippedDestination}, {"userprops", W::SkippedDestination},
    {"docvar", W::SkippedDestination}, {"protusertbl", W::SkippedDestination},
    {"revtim", W::SkippedDestination}, {"creatim", W::SkippedDestination},
    {"printim", W::SkippedDestination}, {"buptim", W::SkippedDestination},
    {"htmltag", W::SkippedDestination},
    {"mhtmltag", W::SkippedDestination}, {"pnseclvl", W::SkippedDestination},

    // Character formatting.
    {"plain", W::Plain}, {"b", W::Bold}, {"i", W::Italic}, {"ul", W::Underline},
    {"ulnone", W::UnderlineNone}, {"uld", W::UnderlineDotted}, {"uldash", W::UnderlineDash},
    {"uldashd", W::UnderlineDashDot}, {"uldashdd", W::UnderlineDashDotDot},
    {"uldb", W::UnderlineDouble}, {"ulhwave", W::UnderlineHeavyWave},
    {"ulldash", W::UnderlineLongDash}, {"ulth", W::UnderlineThick},
    {"ulthd", W::UnderlineThickDotted}, {"ulthdash", W::UnderlineThickDash},
    {"ulthdashd", W::UnderlineThickDashDot}, {"ulthdashdd", W::UnderlineThickDashDotDot},
    {"ulthldash", W::UnderlineThickLongDash}, {"ululdbwave", W::UnderlineDoubleWave},
    {"ulw", W::UnderlineWords}, {"ulwave", W::UnderlineWave}, {"ulhair", W::UnderlineHair},
    {"strike", W::Strike}, {"striked", W::StrikeDouble}, {"cf", W::ForeColor},
    {"cb", W::BackColor}, {"highlight", W::Highlight}, {"chcbpat", W::CharShading},
    {"super", W::Super}, {"sub", W::Sub}, {"nosupersub", W::NoSuperSub}, {"up", W::Up},
    {"dn", W::Down}, {"caps", W::Caps}, {"scaps", W::SmallCaps}, {"v", W::Hidden},
    {"f", W::Font}, {"fs", W::FontSize}, {"expnd", W::Expand}, {"expndtw", W::ExpandTwips},
    {"kerning", W::Kerning},

    // Paragraph formatting.
    {"pard", W::Pard}, {"ql", W::AlignLeft}, {"qr", W::AlignRight}, {"qc", W::AlignCenter},
    {"qj", W::AlignJustify}, {"qd", W::AlignDistribute}, {"li", W::LeftIndent},
    {"ri", W::RightIndent}, {"fi", W::FirstIndent}, {"lin", W::LeftIndentLtr},
    {"rin", W::RightIndentLtr}, {"sb", W::SpaceBefore}, {"sa", W::SpaceAfter},
    {"sl", W::LineSpacing}, {"slmult", W::LineMultiple}, {"keep", W::Keep},
    {"keepn", W::KeepNext}, {"pagebb", W::PageBreakBefore}, {"intbl", W::InTable},
    {"itap", W::Itap}, {"s", W::Style}, {"ls", W::ListOverrideIndex}, {"ilvl", W::ListLevelIndex},
    {"tx", W::TabPosition}, {"tb", W::TabBar}, {"tqr", W::TabRight}, {"tqc", W::TabCenter},
    {"tqdec", W::TabDecimal}, {"tldot", W::LeaderDot}, {"tlhyph", W::LeaderHyphen},
    {"tlul", W::LeaderUnderline}, {"tlth", W::LeaderThick}, {"tleq", W::LeaderEqual},
    {"tlmdot", W::LeaderMiddleDot}, {"brdrt", W::BorderTop}, {"brdrb", W::BorderBottom},
    {"brdrl", W::BorderLeft}, {"brdrr", W::BorderRight}, {"brdrbtw", W::BorderBetween},
    {"brdrbar", W::BorderBar}, {"box", W::BorderBox}, {"brsp", W::BorderAttribute},
    {"cbpat", W::ParaShading}, {"contextualspace", W::ContextualSpace},
    {"widctlpar", W::WidowControl}, {"nowidctlpar", W::NoWidowControl},

    // Tables.
    {"trowd", W::RowDefaults}, {"row", W::Row}, {"cell", W::Cell}, {"nestcell", W::NestCell},
    {"nestrow", W::NestRow}, {"cellx", W::CellX}, {"clvmgf", W::CellVerticalFirst},
    {"clvmrg", W::CellVerticalMerged}, {"clmgf", W::CellHorizontalFirst},
    {"clmrg", W::CellHorizontalMerged}, {"clbrdrt", W::CellBorderTop},
    {"clbrdrb", W::CellBorderBottom}, {"clbrdrl", W::CellBorderLeft},
    {"clbrdrr", W::CellBorderRight}, {"clcbpat", W::CellShading}, {"clvertalt", W::CellAlignTop},
    {"clvertalc", W::CellAlignCenter}, {"clvertalb", W::CellAlignBottom},
    {"clpadl", W::CellPadLeft}, {"clpadt", W::CellPadTop}, {"clpadb", W::CellPadBottom},
    {"clpadr", W::CellPadRight}, {"trleft", W::RowLeft}, {"trgaph", W::RowGap},
    {"trql", W::RowAlignLeft}, {"trqc", W::RowAlignCenter}, {"trqr", W::RowAlignRight},
    {"trhdr", W::RowHeader}, {"trbrdrt", W::RowBorder}, {"trbrdrb", W::RowBorder},
    {"trbrdrl", W::RowBorder}, {"trbrdrr", W::RowBorder}, {"trbrdrh", W::RowBorder},
    {"trbrdrv", W::RowBorder}, {"trpaddl", W::RowPadLeft}, {"trpaddt", W::RowPadTop},
    {"trpaddb", W::RowPadBottom}, {"trpaddr", W::RowPadRight},

    // Pictures and shapes.
    {"pngblip", W::PngBlip}, {"jpegblip", W::JpegBlip}, {"emfblip", W::EmfBlip},
    {"wmetafile", W::WMetafile}, {"dibitmap", W::DiBitmap}, {"wbitmap", W::WBitmap},
    {"macpict", W::MacPict}, {"pmmetafile", W::PmMetafile}, {"picw", W::PicW},
    {"pich", W::PicH}, {"picwgoal", W::PicWGoal}, {"pichgoal", W::PicHGoal},
    {"picscalex", W::PicScaleX}, {"picscaley", W::PicScaleY}, {"shpleft", W::ShpLeft},
    {"shptop", W::ShpTop}, {"shpright", W::ShpRight}, {"shpbottom", W::ShpBottom},
    {"shpbxpage", W::ShpBxPage}, {"shpbxmargin", W::ShpBxMargin},
    {"shpbxcolumn", W::ShpBxColumn}, {"shpbxignore", W::ShpBxIgnore},
    {"shpbypage", W::ShpByPage}, {"shpbymargin", W::ShpByMargin}, {"shpbypara", W::ShpByPara},
    {"shpbyignore", W::ShpByIgnore}, {"shpwr", W::ShpWr},

    // Text.
    {"par", W::Par}, {"line", W::Line}, {"tab", W::Tab}, {"page", W::Page}, {"sect", W::Sect},
    {"column", W::Column}, {"emdash", W::EmDash}, {"endash", W::EnDash},
    {"emspace", W::EmSpace}, {"enspace", W::EnSpace}, {"qmspace", W::QmSpace},
    {"bullet", W::Bullet}, {"lquote", W::LQuote}, {"rquote", W::RQuote},
    {"ldblquote", W::LDblQuote}, {"rdblquote", W::RDblQuote}, {"zwj", W::Zwj},
    {"zwnj", W::Zwnj}, {"ltrmark", W::LtrMark}, {"rtlmark", W::RtlMark},
    {"chftn", W::FootnoteMark}, {"chpgn", W::PageNumber}, {"u", W::Unicode},
    {"uc", W::UnicodeSkip},

    // Document and section.
    {"ansi", W::Ansi}, {"mac", W::Mac}, {"pc", W::Pc}, {"pca", W::Pca},
    {"ansicpg", W::AnsiCodePage}, {"deff", W::DefaultFont},
    {"stshfloch", W::StshfLoch}, {"stshfhich", W::StshfHich}, {"stshfdbch", W::StshfDbch},
    {"stshfbi", W::StshfBi}, {"dntblnsbdb", W::DntBlnSbDb}, {"htmautsp", W::HtmlAutoSpacing}, {"widowctrl", W::WidowCtrl}, {"paperw", W::PaperW},
    {"paperh", W::PaperH}, {"margl", W::MargL}, {"margr", W::MargR}, {"margt", W::MargT},
    {"margb", W::MargB}, {"pgwsxn", W::PgWSxn}, {"pghsxn", W::PgHSxn},
    {"marglsxn", W::MargLSxn}, {"margrsxn", W::MargRSxn}, {"margtsxn", W::MargTSxn},
    {"margbsxn", W::MargBSxn}, {"headery", W::HeaderY}, {"footery", W::FooterY},
    {"titlepg", W::TitlePg}, {"sectd", W::Sectd}, {"sbknone", W::SbkNone},
    {"sbkpage", W::SbkPage}, {"sbkcol", W::SbkColumn}, {"sbkeven", W::SbkEven},
    {"sbkodd", W::SbkOdd}, {"fcharset", W::FontCharset}, {"cpg", W::FontCodePage},
    {"red", W::Red}, {"green", W::Green}, {"blue", W::Blue}, {"sbasedon", W::BasedOn},
    {"listid", W::ListId}, {"levelnfc", W::LevelNfc}, {"levelnfcn", W::LevelNfcN},
    {"levelstartat", W::LevelStartAt}, {"pnlvl", W::PnLevel}, {"pnlvlblt", W::PnLevelBullet},
    {"pnlvlbody", W::PnLevelBody}, {"pnlvlcont", W::PnLevelCont}, {"pndec", W::PnDecimal},
    {"pnucltr", W::PnUpperLetter}, {"pnlcltr", W::PnLowerLetter},
    {"pnucrm", W::PnUpperRoman}, {"pnlcrm", W::PnLowerRoman}, {"pncard", W::PnCardinal},
    {"pnord", W::PnOrdinal}, {"pnstart", W::PnStart}, {"pnindent", W::PnIndent},
    // Footnote and endnote numbering and placement, kept for the writer.
    {"ftnbj", W::NoteNumbering}, {"ftntj", W::NoteNumbering}, {"ftnstart", W::NoteNumbering},
    {"ftnrstpg", W::NoteNumbering}, {"ftnrestart", W::NoteNumbering},
    {"ftnrstcont", W::NoteNumbering}, {"ftnnar", W::NoteNumbering}, {"ftnnalc", W::NoteNumbering},
    {"ftnnauc", W::NoteNumbering}, {"ftnnrlc", W::NoteNumbering}, {"ftnnruc", W::NoteNumbering},
    {"ftnnchi", W::NoteNumbering}, {"aftnbj", W::NoteNumbering}, {"aftntj", W::NoteNumbering},
    {"aftnstart", W::NoteNumbering}, {"aftnrstcont", W::NoteNumbering},
    {"aftnrestart", W::NoteNumbering}, {"aftnnar", W::NoteNumbering},
    {"aftnnalc", W::NoteNumbering}, {"aftnnauc", W::NoteNumbering}, {"aftnnrlc", W::NoteNumbering},
    {"aftnnruc", W::NoteNumbering}, {"aftnnchi", W::NoteNumbering}, {"enddoc", W::NoteNumbering},
    {"endnotes", W::NoteNumbering}, {"aenddoc", W::NoteNumbering}, {"aendnotes", W::NoteNumbering},
    {"fet", W::NoteNumbering},
};
// clang-format on

// An open-addressing table with FNV-1a: the lookup runs for every control
// word of a file, so it avoids the general-purpose hash map's cost.
class WordTable final {
public:
    WordTable()
    {
        for (const Entry &entry : kWords) {
            size_t slot = hash(entry.name) & kMask;
            while (!m_slots[slot].name.empty())
                slot = (slot + 1) & kMask;
            m_slots[slot] = entry;
        }
    }

    Word find(std::string_view name) const
    {
        for (size_t slot = hash(name) & kMask;; slot = (slot + 1) & kMask) {
            const Entry &entry = m_slots[slot];
            if (entry.name.empty())
                return Word::Unknown;
            if (entry.name == name)
                return entry.word;
        }
    }

private:
    static constexpr size_t kSize = 1024;  // a power of two, well above the word count
    static constexpr size_t kMask = kSize - 1;
    static_assert(std::size(kWords) < kSize / 2);

    static size_t hash(std::string_view name)
    {
        uint32_t h = 2166136261u;
        for (char c : name)
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        return h;
    }

    std::array<Entry, kSize> m_slots{};
};

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

Word lookupWord(QByteArrayView name)
{
    const std::string_view key(name.data(), static_cast<size_t>(name.size()));
    static const WordTable table;
    if (const Word word = table.find(key); word != Word::Unknown)
        return word;
    // Families whose members are kept verbatim rather than understood.
    if (startsWith(key, "brdr"))
        return Word::BorderAttribute;
    if (startsWith(key, "tr") || startsWith(key, "tbl") || key == "ltrrow" || key == "rtlrow"
        || key == "irow" || key == "irowband" || key == "lastrow")
        return Word::RowWord;
    return Word::Unknown;
}

WordGroup wordGroup(Word word)
{
    const auto in = [word](Word first, Word last) { return word > first && word < last; };
    if (in(Word::DestinationFirst, Word::DestinationLast))
        return WordGroup::Destination;
    if (in(Word::CharacterFirst, Word::CharacterLast))
        return WordGroup::Character;
    if (in(Word::ParagraphFirst, Word::ParagraphLast))
        return WordGroup::Paragraph;
    if (in(Word::TableFirst, Word::TableLast))
        return WordGroup::Table;
    if (in(Word::PictureFirst, Word::PictureLast))
        return WordGroup::Picture;
    if (in(Word::SpecialFirst, Word::SpecialLast))
        return WordGroup::Special;
    if (in(Word::DocumentFirst, Word::DocumentLast))
        return WordGroup::Document;
    return WordGroup::Unknown;
}

}  // namespace textctl::rtf
