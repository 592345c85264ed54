// Defects found by comparing how another word processor reads a file and
// our copy of it: each row reads a small file, writes it back, and checks
// the words the copy must (or must not) carry and the text read back.

#include "tests/textctl/rtf/rtfwritertesting.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/plaintext.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

using namespace textctl;
using namespace Qt::StringLiterals;
using textctl::testing::rtfProblem;

namespace {

struct CopyCase {
    const char *name;
    QByteArray rtf;
    QList<QByteArray> present;  // in the written copy
    QList<QByteArray> absent;   // not in the written copy
    QString text;               // plain text of the copy read back
};

class RtfInteropCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(RtfInteropCopy, CopyCarriesWhatTheOriginalSays)
{
    const CopyCase &c = GetParam();
    RichDocument doc;
    ASSERT_TRUE(readRtf(c.rtf, doc));
    const QByteArray copy = writeRtf(doc);
    EXPECT_EQ(rtfProblem(copy), QString()) << copy.constData();
    for (const QByteArray &word : c.present)
        EXPECT_TRUE(copy.contains(word)) << word.constData() << " missing in\n" << copy.constData();
    for (const QByteArray &word : c.absent)
        EXPECT_FALSE(copy.contains(word)) << word.constData() << " found in\n" << copy.constData();
    RichDocument again;
    ASSERT_TRUE(readRtf(copy, again));
    EXPECT_EQ(documentPlainText(again), c.text);
}

const QByteArray kFonts = "{\\fonttbl{\\f0\\fswiss Arial;}{\\f3\\fnil MS Mincho;}{\\f4\\fnil Symbol;}}";

// clang-format off
const CopyCase kCopyCases[] = {
    // Without the East Asian default font other readers widen runs of blanks.
    {"StyleSheetFontsKept", "{\\rtf1\\deff0\\stshfdbch3\\stshfloch0" + kFonts + "a  b\\par}",
     {"\\stshfdbch1", "\\stshfloch0", "{\\f1\\fnil\\fcharset0 MS Mincho;}"}, {"\\stshfhich"}, u"a  b\n"_s},
    {"StyleSheetFontMissingFromTheTable", "{\\rtf1\\deff0\\stshfdbch9" + kFonts + "a\\par}",
     {"\\stshfdbch0"}, {}, u"a\n"_s},
    {"NoStyleSheetFontsNoWords", "{\\rtf1\\deff0" + kFonts + "a\\par}", {}, {"\\stshf"}, u"a\n"_s},
    {"DoNotBalanceSpacesKept", "{\\rtf1\\dntblnsbdb\\deff0" + kFonts + "a  b\\par}", {"\\dntblnsbdb"}, {},
     u"a  b\n"_s},
    // U+FEFF is a character like any other inside a document.
    {"ByteOrderMarkCharacterKept", "{\\rtf1 a\\uc0\\u-257 b\\par}", {"\\u-257"}, {}, u"a\uFEFFb\n"_s},
    // Half a pair goes back as the file had it; only plain text replaces it.
    {"LoneSurrogateWrittenBack", "{\\rtf1\\uc0 a\\u-10240  b\\par}", {"\\u-10240? b"}, {}, u"a\uFFFD b\n"_s},
    {"SplitPairWrittenBack", "{\\rtf1\\uc1 \\u-10179 ??\\u-8694 ??\\par}", {"\\u-10179", "\\u-8694"}, {},
     u"\uFFFD?\uFFFD?\n"_s},
    // A plain letter in a symbol font stays a letter for every reader.
    {"SymbolFontLetterStaysALetter", "{\\rtf1\\deff0" + kFonts + "{\\f4 a}\\par}", {"\\fcharset0 Symbol;"},
     {"\\fcharset2"}, u"a\n"_s},
    {"SymbolCharactersStaySymbols", "{\\rtf1\\deff0" + kFonts + "{\\f4 \\u-3913 ?}\\par}", {"\\u-3913"}, {},
     u"\uF0B7\n"_s},
    // Runs that differ only in a bookmark are one piece of text for other
    // readers: words repeated between the blanks would split them.
    {"BlanksAcrossABookmarkEndStayOnePiece",
     "{\\rtf1\\deff0" + kFonts + "{\\*\\bkmkstart A}{\\f3 x}{\\f3   }{\\*\\bkmkend A}y\\par}",
     {"x  {\\*\\bkmkend A}"}, {"x \\plain"}, u"x  y\n"_s},
    // A field whose result is empty is still a field: dropping it made other
    // readers recompute the document's REF fields. The instruction keeps
    // its blanks.
    {"EmptyResultFieldWrittenBack", "{\\rtf1 a{\\field{\\*\\fldinst { USERADDRESS \\\\* Upper }}{\\fldrslt }}b\\par}",
     {"a\\plain\\f0\\fs24{\\field{\\*\\fldinst  USERADDRESS \\\\* Upper }{\\fldrslt}}\\plain\\f0\\fs24 b"}, {},
     u"ab\n"_s},
    {"BlankFieldWithoutResultDropped", "{\\rtf1 a{\\field{\\*\\fldinst  }{\\fldrslt }}b\\par}", {"ab"}, {"\\field"},
     u"ab\n"_s},
    // A row shorter than the others ends where the file's row ended: an
    // empty cell added at its end is a line of text for other readers.
    {"ShorterRowWrittenShort",
     "{\\rtf1\\widowctrl\\trowd\\cellx3000\\cellx6000\\pard\\intbl a\\cell b\\cell\\row"
     "\\trowd\\cellx3000\\pard\\intbl c\\cell\\row\\pard d\\par}",
     {"\\trowd\\trgaph0\\trleft0\\cellx3000\n\\pard\\intbl\\plain\\f0\\fs24 c\\cell\n\\row"}, {},
     u"a\nb\nc\nd\n"_s},
    // A section break right after a table: the break follows the table and
    // the paragraph that carries it stays.
    {"SectionBreakAfterATable",
     "{\\rtf1\\widowctrl\\trowd\\cellx3000\\pard\\intbl a\\cell\\intbl\\row\\pard\\pard\\sect\\sectd d\\par}",
     {"\\row\n\\pard\\plain\\f0\\fs24\\par\n\\pard\\pagebb\\plain\\f0\\fs24 d\\par"}, {"\\page\n"},
     u"a\n\nd\n"_s},
    {"PageBreakAfterATableFollowsIt",
     "{\\rtf1\\widowctrl\\trowd\\cellx3000\\pard\\intbl a\\cell\\row\\pard\\page d\\par}",
     {"\\pard\\pagebb\\plain\\f0\\fs24 d"}, {"\\page\n"}, u"a\nd\n"_s},
    // Footnote numbering words stay with the document, the last of a kind.
    {"NoteNumberingKept", "{\\rtf1\\ftnrstpg\\ftnnar\\ftnstart1\\aenddoc\\ftnstart3 a\\par}",
     {"\n\\ftnrstpg\\ftnnar\\ftnstart3\\aenddoc\n"}, {"\\ftnstart1"}, u"a\n"_s},
    // Blanks after the closing brace are no paragraph.
    {"BlanksAfterTheEndIgnored", "{\\rtf1 a\\par}} \r\n", {}, {"\\par\n\\pard\\plain\\f0\\fs24  \\par"},
     u"a\n"_s},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, RtfInteropCopy, ::testing::ValuesIn(kCopyCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct TextCase {
    const char *name;
    QByteArray rtf;
    QString text;  // plain text of the file read
};

class RtfInteropText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfInteropText, ReadsTheTextOtherReadersShow)
{
    const TextCase &c = GetParam();
    RichDocument doc;
    ASSERT_TRUE(readRtf(c.rtf, doc));
    EXPECT_EQ(documentPlainText(doc), c.text);
}

const QByteArray kTocOfParagraphs = "{\\field{\\*\\fldinst TOC \\\\o}{\\fldrslt a\\par}}";

// clang-format off
const TextCase kTextCases[] = {
    // A table of contents is a section of its own: a second one ends the
    // paragraph the first left open, even after a blank.
    {"TableOfContentsAfterAnotherEndsItsOpenParagraph",
     "{\\rtf1 " + kTocOfParagraphs + "{\\field{\\*\\fldinst TOC}{\\fldrslt \\par c\\par}}\\par after\\par}",
     u"a\n\n\nc\n\nafter\n"_s},
    {"BlankBetweenTablesOfContentsStaysInTheOpenParagraph",
     "{\\rtf1 " + kTocOfParagraphs + " {\\field{\\*\\fldinst TOC}{\\fldrslt c\\par}}x\\par}", u"a\n \nc\nx\n"_s},
    {"TextAfterTableOfContentsGoesInItsOpenParagraph", "{\\rtf1 " + kTocOfParagraphs + "b\\par}", u"a\nb\n"_s},
    {"OtherFieldAfterTableOfContentsGoesInItsOpenParagraph",
     "{\\rtf1 " + kTocOfParagraphs + "{\\field{\\*\\fldinst REF x}{\\fldrslt c}}\\par}", u"a\nc\n"_s},
    // One within a paragraph, as a copy writes it, is text like any other.
    {"TableOfContentsInsideAParagraphIsText", "{\\rtf1 {\\field{\\*\\fldinst TOC}{\\fldrslt a}}b\\par}", u"ab\n"_s},
    // Mail bodies that carry HTML: the tags are skipped, the text between
    // \htmlrtf and \htmlrtf0 is what an RTF reader shows, and so is the
    // text outside both.
    {"EncapsulatedHtmlShowsItsRtfText",
     "{\\rtf1\\ansi\\fromhtml1 {\\*\\htmltag64 <p>}\\htmlrtf {\\htmlrtf0 Alpha{\\*\\htmltag116 <br>}\\htmlrtf \\line"
     "\\htmlrtf0 beta{\\*\\htmltag84 &nbsp;}\\htmlrtf \\u160 ?\\htmlrtf0 gamma\\htmlrtf\\par}\\htmlrtf0"
     "{\\*\\htmltag72 </p>}{\\*\\htmltag0 \\par <p>}{\\b\\htmlrtf0 Bold}\\htmlrtf\\par\\htmlrtf0}",
     u"Alpha\nbeta\u00A0gamma\nBold\n"_s},
    {"EncapsulatedPlainTextShowsItsRtfText",
     "{\\rtf1\\ansi\\fromtext \\htmlrtf{\\htmlrtf0 one\\htmlrtf}\\htmlrtf0 two\\par}", u"onetwo\n"_s},
    // The empty paragraph that carries a section break after a table stays
    // only when the table began its section.
    {"SectionBreakAfterATableThatFollowsText",
     "{\\rtf1 before\\par\\trowd\\cellx3000\\pard\\intbl a\\cell\\row\\pard\\pard\\sect\\sectd\\sbknone d\\par}",
     u"before\na\nd\n"_s},
    {"SectionBreakAfterATableThatBeganItsSection",
     "{\\rtf1 before\\sect\\sectd\\trowd\\cellx3000\\pard\\intbl a\\cell\\row\\pard\\pard\\sect\\sectd d\\par}",
     u"before\na\n\nd\n"_s},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, RtfInteropText, ::testing::ValuesIn(kTextCases),
                         [](const auto &info) { return std::string(info.param.name); });

const QByteArray kListTable =
    "{\\*\\listtable{\\list\\listid7{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}"
    "{\\levelnumbers\\'01;}\\fi-360\\li720}}{\\list\\listid8{\\listlevel\\levelnfc255\\levelfollow2"
    "{\\leveltext\\'00;}{\\levelnumbers;}\\fi-432\\li792}}}"
    "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls0}"
    "{\\listoverride\\listid8\\listoverridecount0\\ls1}}";

const QTextList *listOfBlock(const RichDocument &doc, const QString &text)
{
    for (QTextBlock b = doc.main()->begin(); b.isValid(); b = b.next()) {
        if (b.text() == text)
            return b.textList();
    }
    ADD_FAILURE() << "no block " << text.toStdString();
    return nullptr;
}

// \ls0 is an ordinary list when the override table defines it.
TEST(RtfInteropLists, OverrideZeroIsAList)
{
    RichDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1" + kListTable + "\\pard\\ls0 item\\par\\pard plain\\par}", doc));
    const QTextList *list = listOfBlock(doc, u"item"_s);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(listOfBlock(doc, u"plain"_s), nullptr);
}

// A level without a number keeps its paragraphs in the list, and is written
// back as a level without a number that nothing follows.
TEST(RtfInteropLists, LevelWithoutNumberStaysAList)
{
    RichDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1" + kListTable + "{\\listtext\\pard\\plain }\\pard\\ls1 heading\\par}", doc));
    const QTextList *list = listOfBlock(doc, u"heading"_s);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->format().style(), QTextListFormat::ListStyleUndefined);
    const QByteArray copy = writeRtf(doc);
    EXPECT_TRUE(copy.contains("\\levelnfc255\\levelnfcn255")) << copy.constData();
    EXPECT_TRUE(copy.contains("\\levelfollow2")) << copy.constData();
    EXPECT_TRUE(copy.contains("{\\listtext\\pard\\plain\\f0\\fs24}")) << copy.constData();
    RichDocument again;
    ASSERT_TRUE(readRtf(copy, again));
    EXPECT_EQ(documentPlainText(again), u"heading\n"_s);
    EXPECT_NE(listOfBlock(again, u"heading"_s), nullptr);
}

// The level's text decides what its label shows: a text without a number
// is a fixed label, whatever the number format says; the text around a
// number is kept. A copy read back shows the same labels.
struct LevelCase {
    const char *name;
    QByteArray level;  // \levelnfc, \leveltext and \levelnumbers of the level
    QTextListFormat::Style style;
    QString prefix;
    QString suffix;
    QString label;     // prop::ListLabelText
};

class RtfInteropListLabels : public ::testing::TestWithParam<LevelCase> {};

TEST_P(RtfInteropListLabels, LevelTextDecidesTheLabel)
{
    const LevelCase &c = GetParam();
    const QByteArray rtf = "{\\rtf1{\\*\\listtable{\\list\\listid5{\\listlevel" + c.level
        + "\\fi-360\\li720}}}{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}\\pard\\ls1 item\\par}";
    RichDocument doc;
    ASSERT_TRUE(readRtf(rtf, doc));
    RichDocument again;
    ASSERT_TRUE(readRtf(writeRtf(doc), again));
    for (const RichDocument *read : {&doc, &again}) {
        const QTextList *list = listOfBlock(*read, u"item"_s);
        ASSERT_NE(list, nullptr);
        const QTextListFormat format = list->format();
        EXPECT_EQ(format.style(), c.style);
        EXPECT_EQ(format.numberPrefix(), c.prefix);
        EXPECT_EQ(format.numberSuffix(), c.suffix);
        EXPECT_EQ(format.stringProperty(prop::ListLabelText), c.label);
    }
}

// clang-format off
const LevelCase kLevelCases[] = {
    {"BulletUnderDecimalIsABullet", "\\levelnfc0{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}",
     QTextListFormat::ListDisc, {}, {}, {}},
    {"DashUnderDecimalKeepsItsText", "\\levelnfc0{\\leveltext\\'01\\u8211 ?;}{\\levelnumbers;}",
     QTextListFormat::ListDisc, {}, {}, u"\u2013"_s},
    {"FixedWordKeepsItsText", "\\levelnfc23{\\leveltext\\'05Note:;}{\\levelnumbers;}",
     QTextListFormat::ListDisc, {}, {}, u"Note:"_s},
    {"CircleUnderBulletFormat", "\\levelnfc23{\\leveltext\\'01o;}{\\levelnumbers;}",
     QTextListFormat::ListCircle, {}, {}, {}},
    {"EmptyTextShowsNothing", "\\levelnfc0{\\leveltext\\'00;}{\\levelnumbers;}",
     QTextListFormat::ListStyleUndefined, {}, {}, {}},
    {"NumberWithSuffix", "\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}",
     QTextListFormat::ListDecimal, {}, u"."_s, {}},
    {"LetterWithParenthesis", "\\levelnfc4{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}",
     QTextListFormat::ListLowerAlpha, {}, u")"_s, {}},
    {"RomanInParentheses", "\\levelnfc2{\\leveltext\\'03(\\'00);}{\\levelnumbers\\'02;}",
     QTextListFormat::ListLowerRoman, u"("_s, u")"_s, {}},
    {"NoTextFollowsTheFormat", "\\levelnfc3", QTextListFormat::ListUpperAlpha, {}, {}, {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, RtfInteropListLabels, ::testing::ValuesIn(kLevelCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The group that made a paragraph a legacy list item may close before the
// paragraph's \par: the item stays an item.
TEST(RtfInteropLists, LegacyListWordsOfTheFirstTextCount)
{
    RichDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1 {{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta.}}\\li360\\fi-360"
                        "{\\pntext 1.\\tab} item}\\par after\\par}",
                        doc));
    const QTextList *list = listOfBlock(doc, u" item"_s);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(listOfBlock(doc, u"after"_s), nullptr);
}

// Some writers put a nested cell's paragraphs inside the nested row's
// properties group; they are text all the same.
TEST(RtfInteropTables, TextInNestedRowPropertiesIsRead)
{
    RichDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1\\trowd\\cellx5000\\intbl\\itap2{\\*\\nesttableprops\\trowd\\cellx3000"
                        "\\itap2 first\\par second\\nestcell\\nestrow}\\itap1 outer\\cell\\row}",
                        doc));
    const QString text = documentPlainText(doc);
    EXPECT_TRUE(text.contains(u"first\nsecond\n"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"outer"_s)) << text.toStdString();
}

// Footnote marks as other readers number them: a footnote without \chftn
// numbers itself, unless raised text runs on into it, which is then its own
// mark and takes no number. The copy must be numbered the same way.
struct MarkCase {
    const char *name;
    QByteArray rtf;
    QStringList marks;  // the reference marks, in order
    QString text;       // plain text of the copy read back
};

class RtfInteropFootnotes : public ::testing::TestWithParam<MarkCase> {};

QStringList footnoteMarks(const RichDocument &doc)
{
    QStringList marks;
    for (QTextBlock b = doc.main()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().hasProperty(prop::FootnoteRtf))
                marks << it.fragment().text();
        }
    }
    return marks;
}

TEST_P(RtfInteropFootnotes, CopyNumbersTheNotesAsTheOriginal)
{
    const MarkCase &c = GetParam();
    RichDocument doc;
    ASSERT_TRUE(readRtf(c.rtf, doc));
    EXPECT_EQ(footnoteMarks(doc), c.marks);
    const QByteArray copy = writeRtf(doc);
    RichDocument again;
    ASSERT_TRUE(readRtf(copy, again));
    EXPECT_EQ(footnoteMarks(again), c.marks) << copy.constData();
    EXPECT_EQ(documentPlainText(again), c.text) << copy.constData();
}

// clang-format off
const MarkCase kMarkCases[] = {
    {"RaisedNumberInItsOwnGroup", "{\\rtf1 a{\\up6\\chftn}{\\footnote\\pard x} b{\\super\\chftn{\\footnote\\pard y}}\\par}",
     {u"1"_s, u"2"_s}, u"a1 b2\n"_s},
    {"RaisedTextRunningIntoTheNoteIsItsMark",
     "{\\rtf1 a{\\super *{\\footnote\\pard x}} b{\\up6\\chftn{\\footnote\\pard y}} c{\\super\\chftn{\\footnote\\pard z}}\\par}",
     {u"*"_s, u"1"_s, u"2"_s}, u"a* b1 c2\n"_s},
    {"RaisedTextClosedBeforeTheNoteIsText", "{\\rtf1 a{\\super *}{\\footnote\\pard x} b{\\super\\chftn{\\footnote\\pard y}}\\par}",
     {u"1"_s, u"2"_s}, u"a*1 b2\n"_s},
    {"NoteWithoutMarkNumbersItself", "{\\rtf1 a{\\footnote\\pard x} b{\\super\\chftn{\\footnote\\pard y}}\\par}",
     {u"1"_s, u"2"_s}, u"a1 b2\n"_s},
    {"PlainEndsNoRaise", "{\\rtf1 a\\super x\\plain y{\\footnote\\pard n}\\nosupersub b\\par}", {u"y"_s}, u"axyb\n"_s},
    {"NoSuperSubEndsTheRaise", "{\\rtf1 a\\super x\\nosupersub y{\\footnote\\pard n}\\par}", {u"1"_s}, u"axy1\n"_s},
    // Raised text right before a numbered mark must not run on into its note.
    {"RaisedTextBeforeANumberedMark", "{\\rtf1 x{\\super 2}{\\super\\chftn{\\footnote\\pard y}} z{\\super\\chftn{\\footnote\\pard w}}\\par}",
     {u"1"_s, u"2"_s}, u"x21 z2\n"_s},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, RtfInteropFootnotes, ::testing::ValuesIn(kMarkCases),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
