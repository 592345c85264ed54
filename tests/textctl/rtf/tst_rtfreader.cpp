// The RTF reader: text, code pages, character and paragraph formatting,
// breaks, page values.

#include "tests/textctl/rtf/rtfreadertesting.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/plaintext.h"

#include <QFont>
#include <QTextList>

using namespace textctl;
using namespace textctl::testing;

namespace {

struct TextCase {
    const char *name;
    QByteArray rtf;
    QString text;
};

class RtfReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfReaderText, GivesTheText)
{
    EXPECT_EQ(mainText(GetParam().rtf), GetParam().text);
}

// clang-format off
const TextCase kTextCases[] = {
    {"OneParagraph", "{\\rtf1 Hello\\par}", u"Hello"_qs},
    {"LastParagraphWithoutPar", "{\\rtf1 One\\par Two}", u"One\nTwo"_qs},
    {"EmptyParagraphsKept", "{\\rtf1 One\\par\\par Two\\par}", u"One\n\nTwo"_qs},
    {"LineEndsInSourceAreNotText", "{\\rtf1 {\\loch\r\nFecha}{\\loch\n del siniestro}\\par}", u"Fecha del siniestro"_qs},
    {"SplitMarkerJoins", "{\\rtf1 {\\loch\n&}{\\loch\\b\\loch\nFecha}{\\loch\n del siniestro&}\\par}",
     u"&Fecha del siniestro&"_qs},
    {"LineAndTab", "{\\rtf1 a\\line b\\tab c}", u"a\u2028b\tc"_qs},
    {"SpecialCharacters", "{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
     u"\u2014\u2013\u2022\u2018\u2019\u201C\u201D"_qs},
    {"ControlSymbols", "{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\}", u"a\u00A0b\u00ADc\u2011d{}\\"_qs},
    {"Windows1252Hex", "{\\rtf1\\ansi\\ansicpg1252 Espa\\'f1a \\'80}", u"España €"_qs},
    {"CodePageOfDocument", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", u"При"_qs},
    {"CodePageOfFont", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Arial Greek;}}\\f1 \\'e1\\f0 \\'e1}",
     u"αá"_qs},
    {"DoubleByteCodePage", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'b7\\'82\\'dd}", u"すみ"_qs},
    {"UnicodeWithOneFallback", "{\\rtf1 \\u8364\\'80 y \\u241\\'f1}", u"€ y ñ"_qs},
    {"UnicodeSkipsPerUc", "{\\rtf1\\uc2 \\u8364 XYz}", u"€z"_qs},
    {"UnicodeUcZero", "{\\rtf1\\uc0 \\u8364 X}", u"€X"_qs},
    {"UcIsScopedToItsGroup", "{\\rtf1 {\\uc2 \\u8364 XY}\\u8364 Xz}", u"€€z"_qs},
    {"NegativeUnicode", "{\\rtf1 \\u-3913 ?}", u"\uF0B7"_qs},
    {"SurrogatePair", "{\\rtf1 \\u-10179 ?\\u-8694 ?}", u"\U0001F60A"_qs},
    // A lone half of a pair is kept, to be written back as the file had it.
    {"LoneSurrogateKept", "{\\rtf1 a\\u-10179 ?b}", u"a"_qs + QChar(0xD83D) + u"b"_qs},
    {"ByteOrderMarkCharacterKept", "{\\rtf1 a\\uc0\\u-257 b}", u"a\uFEFFb"_qs},
    {"FallbackSkipsNoStructure", "{\\rtf1 a\\u8364\\par b}", u"a€\nb"_qs},
    {"StarredUnknownSkipped", "{\\rtf1 {\\*\\unknowndest hidden}shown}", u"shown"_qs},
    {"UnknownWordIgnored", "{\\rtf1 \\unknownword shown}", u"shown"_qs},
    {"KnownTablesSkipped", "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
     "{\\stylesheet{\\s1 Heading;}}{\\info{\\title T}}{\\*\\generator G;}Body}", u"Body"_qs},
    {"ListTextNotDuplicated", "{\\rtf1 {\\listtext\\pard\\plain \\'95\\tab}Item\\par{\\pntext 1.\\tab}Next\\par}",
     u"Item\nNext"_qs},
    {"NonShpPictSkipped", "{\\rtf1 a{\\nonshppict{\\pict\\wmetafile8 0102}}b}", u"ab"_qs},
    {"BinaryDataIsNotText", "{\\rtf1 a{\\*\\blob\\bin5 }{\\pa}b}", u"ab"_qs},
    {"UprReadsItsUnicodePart", "{\\rtf1 {\\upr{ansi}{\\*\\ud{uni}}}}", u"uni"_qs},
    {"FieldResultShown", "{\\rtf1 {\\field{\\*\\fldinst DATE}{\\fldrslt 14/03/2024}}}", u"14/03/2024"_qs},
    {"SymbolFieldWithoutResultShowsItsCharacter",
     "{\\rtf1 a{\\field{\\*\\fldinst SYMBOL 174 \\\\f \"Symbol\" \\\\s 12}{\\fldrslt\\f0}}b"
     "{\\field{\\*\\fldinst SYMBOL 0x41 \\\\u}{\\fldrslt }}c{\\field{\\*\\fldinst SYMBOL 150}{\\fldrslt }}}",
     u"a\u00AEbAc\u2013"_qs},
    {"SymbolFieldResultWins", "{\\rtf1 {\\field{\\*\\fldinst SYMBOL 174}{\\fldrslt x}}}", u"x"_qs},
    {"PageBreakEndsParagraph", "{\\rtf1 a\\page b}", u"a\nb"_qs},
    {"PageBreakAfterParDoesNotAddAParagraph", "{\\rtf1 a\\par\\page b}", u"a\nb"_qs},
    {"FootnoteTextIsNotText", "{\\rtf1 a{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} note}b}", u"a1b"_qs},
    {"TextAfterEarlyCloseKept", "{\\rtf1 a\\par b}{\\b c}", u"a\nbc"_qs},
    {"StrayBraceEndsTheDocument", "{\\rtf1 a}} junk", u"a"_qs},
    {"BlanksAfterTheEndAreNoText", "{\\rtf1 a\\par}} \r\n", u"a"_qs},
    {"ColumnBreakFirstLeavesAnEmptyParagraph", "{\\rtf1\\cols2\\column hello\\par}", u"\nhello"_qs},
    {"ColumnBreakAfterParAddsNone", "{\\rtf1\\cols2 a\\par\\column b\\par}", u"a\nb"_qs},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, RtfReaderText, ::testing::ValuesIn(kTextCases),
                         [](const auto &info) { return std::string(info.param.name); });

const QByteArray kTables = "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
                           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                           "{\\stylesheet{\\s0 Normal;}{\\s1\\qc\\sb240\\b\\fs32 Heading 1;}"
                           "{\\*\\cs10\\additive\\i\\cf2 Emphasis;}{\\s2\\sbasedon1\\qr Heading 2;}}";

std::unique_ptr<RichDocument> readBody(const QByteArray &body)
{
    return readString("{\\rtf1\\ansi\\deff0" + kTables + body + "}");
}

// The plain text cannot hold a lone half of a pair: it shows U+FFFD there,
// and a whole pair as it is.
TEST(RtfReaderText, PlainTextReplacesLoneSurrogates)
{
    const auto doc = readString("{\\rtf1 a\\u-10179 ?b\\u-9216 ?c\\u-10179 ?\\u-8694 ?}");
    EXPECT_EQ(documentPlainText(*doc), u"a\uFFFDb\uFFFDc\U0001F60A\n"_qs);
}

TEST(RtfReaderCharacter, FormattingWords)
{
    const auto doc = readBody("\\pard plain {\\b bold} {\\i italic} {\\strike struck} {\\cf1 red} "
                              "{\\highlight2 marked} {\\super sup} {\\sub sub} {\\caps caps} "
                              "{\\scaps small} {\\f1 times} {\\fs28 big} {\\v hidden} "
                              "{\\expndtw20 wide}\\par");
    const QTextDocument *d = doc->main();
    EXPECT_EQ(formatOf(d, u"plain"_qs).fontFamilies().toStringList(), QStringList{u"Arial"_qs});
    EXPECT_EQ(formatOf(d, u"bold"_qs).fontWeight(), QFont::Bold);
    EXPECT_NE(formatOf(d, u"plain"_qs).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf(d, u"italic"_qs).fontItalic());
    EXPECT_TRUE(formatOf(d, u"struck"_qs).fontStrikeOut());
    EXPECT_EQ(formatOf(d, u"red"_qs).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatOf(d, u"marked"_qs).background().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(d, u"sup"_qs).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatOf(d, u"sub"_qs).verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(formatOf(d, u"caps"_qs).fontCapitalization(), QFont::AllUppercase);
    EXPECT_EQ(formatOf(d, u"small"_qs).fontCapitalization(), QFont::SmallCaps);
    EXPECT_EQ(formatOf(d, u"times"_qs).fontFamilies().toStringList(), QStringList{u"Times New Roman"_qs});
    EXPECT_DOUBLE_EQ(formatOf(d, u"big"_qs).fontPointSize(), 14.0);
    EXPECT_TRUE(formatOf(d, u"hidden"_qs).property(prop::Hidden).toBool());
    EXPECT_EQ(formatOf(d, u"wide"_qs).property(prop::CharSpacingTwips).toInt(), 20);
}

TEST(RtfReaderCharacter, UnderlineKinds)
{
    struct Case {
        const char *word;
        QTextCharFormat::UnderlineStyle style;
        const char *kind;
    };
    const Case cases[] = {
        {"ul", QTextCharFormat::SingleUnderline, nullptr},
        {"uld", QTextCharFormat::DotLine, nullptr},
        {"uldash", QTextCharFormat::DashUnderline, nullptr},
        {"ulwave", QTextCharFormat::WaveUnderline, nullptr},
        {"uldb", QTextCharFormat::SingleUnderline, "uldb"},
        {"ulth", QTextCharFormat::SingleUnderline, "ulth"},
        {"ulw", QTextCharFormat::SingleUnderline, "ulw"},
        {"ulthd", QTextCharFormat::DotLine, "ulthd"},
    };
    for (const Case &c : cases) {
        const auto doc = readBody(QByteArray("{\\") + c.word + " under}{\\" + c.word + "\\ulnone off}\\par");
        const QTextCharFormat on = formatOf(doc->main(), u"under"_qs);
        EXPECT_EQ(on.underlineStyle(), c.style) << c.word;
        EXPECT_EQ(on.property(prop::UnderlineKind).toString(), QString::fromLatin1(c.kind ? c.kind : "")) << c.word;
        const QTextCharFormat off = formatOf(doc->main(), u"off"_qs);
        EXPECT_EQ(off.underlineStyle(), QTextCharFormat::NoUnderline) << c.word;
        EXPECT_FALSE(off.hasProperty(prop::UnderlineKind)) << c.word;
    }
}

TEST(RtfReaderCharacter, LastColourWithoutItsSemicolon)
{
    const auto doc = readString("{\\rtf1{\\colortbl;\\red0\\green0\\blue255}{\\cf1 blue}}");
    EXPECT_EQ(formatOf(doc->main(), u"blue"_qs).foreground().color(), QColor(0, 0, 255));
}

TEST(RtfReaderCharacter, PlainResetsToTheDefaultFont)
{
    const auto doc = readBody("\\f1\\b\\fs40 big \\plain normal\\par");
    const QTextCharFormat f = formatOf(doc->main(), u"normal"_qs);
    EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{u"Arial"_qs});
    EXPECT_NE(f.fontWeight(), QFont::Bold);
    EXPECT_FALSE(f.hasProperty(QTextFormat::FontPointSize));
}

TEST(RtfReaderCharacter, StylesApplyTheirFormatting)
{
    const auto doc = readBody("\\pard\\s1 Title\\par\\pard\\s2 Sub\\par\\pard\\s0 Body {\\cs10 stress}\\par");
    const QTextDocument *d = doc->main();
    const QTextBlock title = blockOf(d, u"Title"_qs);
    EXPECT_EQ(title.blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(title.blockFormat().property(prop::StyleIndex).toInt(), 1);
    EXPECT_EQ(formatOf(d, u"Title"_qs).fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(formatOf(d, u"Title"_qs).fontPointSize(), 16.0);
    // Heading 2 is based on Heading 1 and overrides its alignment.
    const QTextBlock sub = blockOf(d, u"Sub"_qs);
    EXPECT_EQ(sub.blockFormat().alignment(), Qt::AlignRight);
    EXPECT_DOUBLE_EQ(paragraphSpacing(sub.blockFormat()).before, twipsToPixels(240));
    EXPECT_TRUE(formatOf(d, u"stress"_qs).fontItalic());
    EXPECT_EQ(formatOf(d, u"stress"_qs).foreground().color(), QColor(0, 0, 255));
    EXPECT_FALSE(formatOf(d, u"Body"_qs).fontItalic());
}

TEST(RtfReaderParagraph, FormattingWords)
{
    const auto doc = readBody("\\pard\\qc centre\\par\\pard\\qj\\li720\\ri360\\fi-360\\sb120\\sa240 indented\\par"
                              "\\pard\\sl360\\slmult1 half\\par\\pard\\sl-300\\slmult0 exact\\par"
                              "\\pard\\sl300\\slmult0 atleast\\par\\pard\\keep\\keepn kept\\par"
                              "\\pard\\pagebb newpage\\par");
    const QTextDocument *d = doc->main();
    EXPECT_EQ(blockOf(d, u"centre"_qs).blockFormat().alignment(), Qt::AlignHCenter);
    const QTextBlockFormat f = blockOf(d, u"indented"_qs).blockFormat();
    EXPECT_EQ(f.alignment(), Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(f.leftMargin(), twipsToIndent(720));
    EXPECT_DOUBLE_EQ(f.rightMargin(), twipsToIndent(360));
    EXPECT_DOUBLE_EQ(f.textIndent(), twipsToIndent(-360));
    EXPECT_DOUBLE_EQ(paragraphSpacing(f).before, 8.0);
    EXPECT_DOUBLE_EQ(paragraphSpacing(f).after, 16.0);
    const ParagraphSpacing half = paragraphSpacing(blockOf(d, u"half"_qs).blockFormat());
    EXPECT_EQ(half.rule, LineRule::Multiple);
    EXPECT_DOUBLE_EQ(half.line, 150.0);
    const ParagraphSpacing exact = paragraphSpacing(blockOf(d, u"exact"_qs).blockFormat());
    EXPECT_EQ(exact.rule, LineRule::Exactly);
    EXPECT_DOUBLE_EQ(exact.line, 20.0);
    EXPECT_EQ(paragraphSpacing(blockOf(d, u"atleast"_qs).blockFormat()).rule, LineRule::AtLeast);
    EXPECT_TRUE(blockOf(d, u"kept"_qs).blockFormat().nonBreakableLines());
    EXPECT_TRUE(blockOf(d, u"kept"_qs).blockFormat().property(prop::KeepWithNext).toBool());
    EXPECT_EQ(blockOf(d, u"newpage"_qs).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(blockOf(d, u"centre"_qs).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
}

TEST(RtfReaderParagraph, TabsWithAlignmentAndLeaders)
{
    const auto doc = readBody("\\pard\\tx1134\\tqc\\tx4819\\tqr\\tldot\\tx9638\\tqdec\\tx3000 a\\tab b\\par");
    const QTextBlockFormat f = blockOf(doc->main(), u"a"_qs).blockFormat();
    const QList<QTextOption::Tab> tabs = f.tabPositions();
    ASSERT_EQ(tabs.size(), 4);
    EXPECT_DOUBLE_EQ(tabs[0].position, twipsToPixels(1134));
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_EQ(tabs[1].type, QTextOption::DelimiterTab);
    EXPECT_EQ(tabs[1].delimiter, QChar(u'.'));
    EXPECT_EQ(tabs[2].type, QTextOption::CenterTab);
    EXPECT_EQ(tabs[3].type, QTextOption::RightTab);
    EXPECT_EQ(f.property(prop::TabLeaders).toString(), u"   ."_qs);
}

TEST(RtfReaderParagraph, BordersKeptVerbatimPerSide)
{
    // A style's borders, then the paragraph's own: a side named again
    // replaces what it had.
    const auto doc = readBody("\\pard\\brdrb\\brdrs\\brdrw10\\brsp20\\brdrb\\brdrdb\\brdrw15\\brdrcf1 boxed\\par");
    EXPECT_EQ(blockOf(doc->main(), u"boxed"_qs).blockFormat().property(prop::ParagraphBordersRtf).toByteArray(),
              QByteArray("\\brdrb\\brdrdb\\brdrw15\\brdrcf1"));
}

TEST(RtfReaderParagraph, PageAndSectionBreaks)
{
    const auto doc = readBody("one\\page two\\par three\\sect four\\par\\sect\\sectd\\sbknone five\\par");
    const QTextDocument *d = doc->main();
    EXPECT_EQ(blocksText(d), u"one\ntwo\nthree\nfour\nfive"_qs);
    EXPECT_EQ(blockOf(d, u"two"_qs).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(blockOf(d, u"three"_qs).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    EXPECT_EQ(blockOf(d, u"four"_qs).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(blockOf(d, u"five"_qs).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
}

TEST(RtfReaderPage, ChangesOnlyTheStatedValues)
{
    RichDocument doc;
    doc.page.marginTop = 999;
    doc.page.headerY = 555;
    ASSERT_TRUE(readRtf("{\\rtf1\\paperw12240\\paperh15840\\margl1000\\margr1100 x}", doc));
    EXPECT_EQ(doc.page.width, 12240);
    EXPECT_EQ(doc.page.height, 15840);
    EXPECT_EQ(doc.page.marginLeft, 1000);
    EXPECT_EQ(doc.page.marginRight, 1100);
    EXPECT_EQ(doc.page.marginTop, 999);
    EXPECT_EQ(doc.page.headerY, 555);
}

TEST(RtfReaderPage, FirstSectionWins)
{
    RichDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1\\paperw12240\\margt680\\sectd\\pgwsxn11906\\margtsxn1970\\headery680"
                        " one\\sect\\sectd\\pgwsxn16838\\margtsxn100 two}",
                        doc));
    EXPECT_EQ(doc.page.width, 11906);
    EXPECT_EQ(doc.page.marginTop, 1970);
    EXPECT_EQ(doc.page.headerY, 680);
}

TEST(RtfReaderLoad, NotRtfFailsWithASpanishMessage)
{
    RichDocument doc;
    doc.main()->setPlainText(u"before"_qs);
    QString error;
    EXPECT_FALSE(readRtf("Hello, world", doc, &error));
    EXPECT_EQ(error, u"El fichero no es RTF."_qs);
    EXPECT_EQ(doc.main()->toPlainText(), u"before"_qs);
    EXPECT_TRUE(looksLikeRtf(" \r\n{\\rtf1 x}"));
    EXPECT_FALSE(looksLikeRtf(""));
}

TEST(RtfReaderLoad, ReplacesContentAndLeavesNoUndo)
{
    RichDocument doc;
    doc.ensureArea(PageFooter)->setPlainText(u"old footer"_qs);
    doc.main()->setPlainText(u"old"_qs);
    ASSERT_TRUE(readRtf("{\\rtf1 new\\par}", doc));
    EXPECT_EQ(doc.main()->toPlainText(), u"new"_qs);
    EXPECT_EQ(doc.headerFooterSet(), 0);
    EXPECT_EQ(doc.main()->availableUndoSteps(), 0);
    EXPECT_TRUE(doc.main()->isUndoRedoEnabled());
}

}  // namespace
