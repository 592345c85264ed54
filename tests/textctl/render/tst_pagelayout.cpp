// The page as word processors lay it out: spacing between paragraphs, line
// heights, room and lines for borders, and the rules that move lines and
// paragraphs to the next page.
#include "textctl/model/layoutformats.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/render/pagination.h"
#include "textctl/rtf/rtfwriter.h"
#include "textctl/txtextcontrol.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

// Loads an RTF body (Liberation Sans 10 pt) on a page whose body is
// `bodyTwips` tall, and paginates it. Its paragraphs have widow control
// unless they turn it off or `documentWords` leave out \widowctrl.
QTextDocument *load(TXTextControl &control, const QByteArray &body, int bodyTwips = 12000,
                    const QByteArray &documentWords = "\\widowctrl")
{
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Liberation Sans;}{\\f1 DejaVu Sans;}{\\f2 Nimbus Roman;}}"
                           + documentWords + "\\paperw11906\\paperh" + QByteArray::number(1440 + bodyTwips)
                           + "\\margl1134\\margr1134\\margt720\\margb720\\f0\\fs20 " + body + "}";
    EXPECT_TRUE(control.LoadContent({u"t.rtf"_qs, 5, rtf}));
    control.usePageOfLoad();
    control.pagination().pageCount();
    return control.document().main();
}

// Where a block's first line box starts and its last one ends, in
// reference pixels.
double boxTop(const QTextBlock &block)
{
    return fromLayout(block.document()->documentLayout()->blockBoundingRect(block).top()
                      + lineBox(block, block.layout()->lineAt(0)).top);
}

double boxBottom(const QTextBlock &block)
{
    const QTextLayout *layout = block.layout();
    return fromLayout(block.document()->documentLayout()->blockBoundingRect(block).top()
                      + lineBox(block, layout->lineAt(layout->lineCount() - 1)).bottom());
}

TEST(PageLayout, ParagraphsAreAsFarApartAsTheirSpacesAndBordersSay)
{
    const struct {
        const char *body;
        double twips;  // from the first paragraph's last line to the second's first
    } cases[] = {
        {"\\pard\\sa200 A\\par\\pard\\sb100 B\\par", 300},  // both spaces, not the larger
        {"\\pard\\sa200 A\\par\\pard B\\par", 200},
        {"\\pard\\contextualspace\\sa200 A\\par\\pard\\contextualspace\\sb100 B\\par", 0},
        {"\\pard\\contextualspace\\sa200 A\\par\\pard\\sb100 B\\par", 300},
        {"\\pard\\sa200\\brdrb\\brdrs\\brdrw20\\brsp40 A\\par\\pard\\sb100 B\\par", 360},
        {"\\pard A\\par\\pard\\sb100\\brdrt\\brdrdb\\brdrw10\\brsp20 B\\par", 150},
        // A document with HTML paragraph spacing gives the larger space.
        {"\\htmautsp\\pard\\sa200 A\\par\\pard\\sb100 B\\par", 200},
        {"\\htmautsp\\pard\\sa100 A\\par\\pard\\sb300 B\\par", 300},
    };
    for (const auto &c : cases) {
        TXTextControl control;
        const QTextDocument *doc = load(control, c.body);
        const double gap = boxTop(doc->begin().next()) - boxBottom(doc->begin());
        EXPECT_NEAR(gap, twipsToPixels(c.twips), 0.05) << c.body;
    }
}

TEST(PageLayout, LinesAreAsTallAsTheirRuleMakesThem)
{
    // Liberation Sans: ascent, descent and line gap 2355 of 2048 units an
    // em; 10 pt gives 229.98 twips, a word processor's 230.
    const struct {
        const char *words;
        double twips;
    } cases[] = {
        {"", 230}, {"\\sl-300", 300}, {"\\sl400", 400}, {"\\sl100", 230}, {"\\sl360\\slmult1", 345},
    };
    for (const auto &c : cases) {
        TXTextControl control;
        const QTextDocument *doc =
            load(control, "\\pard" + QByteArray(c.words) + " one\\line two\\par\\pard next\\par");
        const QTextBlock block = doc->begin();
        ASSERT_EQ(block.layout()->lineCount(), 2);
        EXPECT_NEAR(fromLayout(lineBox(block, block.layout()->lineAt(1)).height), twipsToPixels(c.twips), 0.05)
            << c.words;
        EXPECT_NEAR(boxTop(block.next()) - boxTop(block), 2 * twipsToPixels(c.twips), 0.05) << c.words;
    }
}

// A Type 1 font has no tables of line metrics: its lines are 1.2 em, 240
// twips at 10 points, not its box's 1.33.
TEST(PageLayout, ALineOfAType1FontIsOneAndAFifthEmTall)
{
    QFont font(u"Nimbus Roman"_qs);
    font.setPixelSize(100);
    const QRawFont raw = QRawFont::fromFont(font);
    if (raw.familyName() != u"Nimbus Roman"_qs || !raw.fontTable("hhea").isEmpty())
        GTEST_SKIP() << "Nimbus Roman as a Type 1 font (fonts-urw-base35) is not installed";
    TXTextControl control;
    const QTextDocument *doc = load(control, "\\pard\\f2 one\\line two\\par");
    const QTextBlock block = doc->begin();
    ASSERT_EQ(block.layout()->lineCount(), 2);
    EXPECT_NEAR(fromLayout(lineBox(block, block.layout()->lineAt(1)).height), twipsToPixels(240), 0.05);
}

TEST(PageLayout, TablesKeepTheSpacingOfTheParagraphsAroundThem)
{
    const QByteArray table = "\\trowd\\cellx3000\\pard\\intbl Cell\\cell\\row";
    const struct {
        QByteArray body;
        const char *above;  // the text above the gap, "Cell" for the table
        const char *below;
        double twips;
    } cases[] = {
        {"\\pard\\sa300 Before\\par" + table + "\\pard After\\par", "Before", "Cell", 300},
        {"\\pard Before\\par" + table + "\\pard\\sb255 After\\par", "Cell", "After", 255},
        // The space after a cell's last paragraph is the cell's.
        {"\\pard Before\\par\\trowd\\cellx3000\\pard\\intbl\\sa200 Cell\\cell\\row\\pard After\\par", "Cell", "After",
         200},
        // An empty paragraph before or after a table is a line of its own.
        {"\\pard Before\\par\\pard\\par" + table + "\\pard After\\par", "Before", "Cell", 230},
        {"\\pard Before\\par" + table + "\\pard\\par\\pard After\\par", "Cell", "After", 230},
        // The block Qt needs before a table that starts the text or follows
        // another takes no room (no "above": the top of the body).
        {table + "\\pard After\\par", "", "Cell", 0},
        {"\\pard Before\\par" + table + "\\trowd\\trqc\\cellx3000\\pard\\intbl Next\\cell\\row\\pard After\\par",
         "Cell", "Next", 0},
    };
    for (const auto &c : cases) {
        TXTextControl control;
        const QTextDocument *doc = load(control, c.body);
        const QTextBlock below = doc->find(QString::fromLatin1(c.below)).block();
        const double top = *c.above ? boxBottom(doc->find(QString::fromLatin1(c.above)).block()) : 0.0;
        EXPECT_NEAR(boxTop(below) - top, twipsToPixels(c.twips), 1.0) << c.body.constData();
    }
}

TEST(PageLayout, RowsAreAtLeastAsTallAsTheirHeightAsks)
{
    const struct {
        int trrh;
        double twips;  // from the first row's top to the second's
    } cases[] = {{900, 900}, {-900, 900}, {100, 230}, {0, 230}};
    for (const auto &c : cases) {
        TXTextControl control;
        const QByteArray row = "\\trowd\\trrh" + QByteArray::number(c.trrh) + "\\cellx3000\\pard\\intbl ";
        const QTextDocument *doc = load(control, row + "One\\cell\\row" + row + "Two\\cell\\row\\pard After\\par");
        const double pitch = boxTop(doc->find(u"Two"_qs).block()) - boxTop(doc->find(u"One"_qs).block());
        EXPECT_NEAR(pitch, twipsToPixels(c.twips), 0.75) << c.trrh;  // Qt rounds a row to whole pixels
    }
}

TEST(PageLayout, ARowStretchedForItsHeightKeepsTheCellsOwnPaddingInTheFile)
{
    TXTextControl control;
    load(control, "\\trowd\\trrh900\\trpaddb40\\trpaddfb3\\cellx3000\\pard\\intbl One\\cell\\row\\pard After\\par");
    const QByteArray rtf = writeRtf(control.document());
    EXPECT_TRUE(rtf.contains("\\trpaddb40")) << rtf.constData();
    EXPECT_FALSE(rtf.contains("\\clpadb")) << rtf.constData();
}

// A table of one row 300 twips tall holding "T".
QByteArray row(const QByteArray &words)
{
    return "\\trowd\\trrh-300\\trgaph0\\cellx3000\\pard\\intbl\\sl-300 " + words + "T\\cell\\row";
}

// `count` rows of one line, each its own table row with `words`.
QByteArray rows(const QByteArray &words, int count)
{
    QByteArray rtf;
    for (int i = 0; i < count; ++i)
        rtf += "\\trowd\\trgaph0\\cellx3000\\pard\\intbl" + words + "R\\cell\\row";
    return rtf;
}

// Page 2 of a body five lines of 300 twips tall starts at `first`.
TEST(PageLayout, LinesAndParagraphsMoveToTheNextPageAsTheirRulesSay)
{
    const QByteArray line = "\\pard\\sl-300 ";
    const QByteArray three = "X1\\line X2\\line X3\\par";
    const QByteArray four = "X1\\line X2\\line X3\\line X4\\par";
    const QByteArray abc = line + "a\\par" + line + "b\\par" + line + "c\\par";
    const struct {
        QByteArray body;
        const char *first;
        QByteArray documentWords = "\\widowctrl";
    } cases[] = {
        // No orphan: the first line alone does not stay at the bottom.
        {abc + line + "d\\par" + line + three, "X1"},
        {abc + line + "d\\par" + line + "\\nowidctlpar " + three, "X2"},
        // A file without \widowctrl gives none to the paragraphs that say
        // nothing of it, as word processors read it.
        {abc + line + "d\\par" + line + three, "X2", ""},
        {abc + line + "d\\par" + line + "\\widctlpar " + three, "X1", ""},
        // No widow: the last line alone does not go over.
        {line + "a\\par" + line + "b\\par" + line + four, "X3"},
        {line + "a\\par" + line + "b\\par" + line + "\\nowidctlpar " + four, "X4"},
        // Two lines of three cannot stay without leaving one alone.
        {abc + line + three, "X1"},
        // Lines kept together go over together.
        {abc + line + "\\keep\\nowidctlpar " + three, "X1"},
        // A paragraph kept with the next goes over with it.
        {abc + line + "\\keepn d\\par" + line + "\\keep " + three, "d"},
        {line + "a\\par" + line + "\\pagebb b\\par", "b"},
        // A table ends where its last row does: the space above it is not
        // counted again under it.
        {line + "a\\par" + line + "b\\par" + line + "\\sa290 c\\par" + row("") + line + "d\\par", "d"},
        // A row whose paragraph is kept with the next goes over with it.
        {abc + line + "d\\par" + row("\\keepn ") + line + "e\\par", "T"},
        {abc + line + "d\\par" + row("") + line + "e\\par", "e"},
        // Rows count as tall as their lines, not as Qt rounds them: seven
        // rows of 207 twips (drawn 210) and a line of 40 fit in 1500 ...
        {rows("\\sl-207 ", 7) + "\\pard\\sl-40 e\\par" + line + "f\\par", "f"},
        // ... and seven of 193 (drawn 190) and a line of 160 do not.
        {rows("\\sl-193 ", 7) + "\\pard\\sl-160 e\\par" + line + "f\\par", "e"},
    };
    for (const auto &c : cases) {
        TXTextControl control;
        const QTextDocument *doc = load(control, c.body, 1500, c.documentWords);
        Pagination &pagination = control.pagination();
        ASSERT_GE(pagination.pageCount(), 2) << c.body.constData();
        const int position = pagination.pageFirstPosition(2);
        EXPECT_EQ(position, doc->find(QString::fromLatin1(c.first)).selectionStart())
            << c.body.constData() << " page 2: " << qPrintable(doc->findBlock(position).text());
    }
}

// An empty paragraph right after a table takes its line under the table:
// going over to the next page, it starts that page under the table's last
// row, which stays on the page before.
TEST(PageLayout, AnEmptyParagraphAfterATableGoesOverUnderIt)
{
    const QByteArray line = "\\pard\\sl-300 ";
    TXTextControl control;
    const QTextDocument *doc = load(control, line + "a\\par" + line + "b\\par" + line + "c\\par" + line + "d\\par"
                                                 + row("") + line + "\\par" + line + "f\\par", 1500);
    Pagination &pagination = control.pagination();
    ASSERT_GE(pagination.pageCount(), 2);
    const QTextBlock empty = doc->findBlock(doc->find(u"f"_qs).selectionStart()).previous();
    ASSERT_EQ(empty.length(), 1);
    EXPECT_EQ(pagination.pageFirstPosition(2), empty.position());
    const QTextBlock t = doc->findBlock(doc->find(u"T"_qs).selectionStart());
    EXPECT_GE(pagination.pageTop(2), doc->documentLayout()->blockBoundingRect(t).bottom());
}

TEST(PageLayout, EditsKeepTheSpacingOfTheirParagraphsInOneUndoStep)
{
    TXTextControl control;
    QTextDocument *doc = load(control, "\\pard\\sa200 First\\par\\pard\\sb100\\sa50 Second\\par");
    QTextCursor cursor = doc->find(u"Sec"_qs);
    cursor.clearSelection();
    cursor.insertBlock();  // "Sec" and "ond", both with the second's spacing
    settleLayoutFormats(doc);
    const QTextBlock ond = doc->findBlock(cursor.position());
    EXPECT_NEAR(boxTop(ond) - boxBottom(ond.previous()), twipsToPixels(150), 0.05);
    doc->undo();  // the edit and its spacing together
    settleLayoutFormats(doc);
    EXPECT_EQ(doc->blockCount(), 2);
    EXPECT_NEAR(boxTop(doc->lastBlock()) - boxBottom(doc->begin()), twipsToPixels(300), 0.05);
    // Settling after an undo changes nothing, so the redo is still there.
    ASSERT_TRUE(doc->isRedoAvailable());
    doc->redo();
    settleLayoutFormats(doc);
    EXPECT_EQ(doc->blockCount(), 3);
    const QTextBlock again = doc->findBlock(doc->find(u"ond"_qs).selectionStart());
    EXPECT_NEAR(boxTop(again) - boxBottom(again.previous()), twipsToPixels(150), 0.05);
}

TEST(PageLayout, TextIsSetWithoutLigatures)
{
    if (!QFontDatabase::hasFamily(u"DejaVu Sans"_qs))
        GTEST_SKIP() << "DejaVu Sans (a font with ligatures) is not installed";
    TXTextControl control;
    const QTextDocument *doc = load(control, "\\pard\\f1 \\'d3ptica fi ffl\\par");
    // The fragment's font as the layout resolves it against the document's.
    const QTextBlock block = doc->begin();
    QTextLayout layout(block.text(), block.begin().fragment().charFormat().font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun &run : layout.glyphRuns())
        glyphs += run.glyphIndexes().size();
    EXPECT_EQ(glyphs, doc->begin().length() - 1);  // one glyph a letter: a PDF gives the words back
}

// Pairs such as "AV" are kerned where the text asks for it (\\kerningN:
// in text of N half-points and larger), as word processors kern them, and
// nowhere else.
TEST(PageLayout, PairsAreKernedWhereTheTextAsksForIt)
{
    struct Case {
        const char *words;
        bool kerned;
    };
    const Case cases[] = {
        {"", false}, {"\\kerning1", true}, {"\\kerning0", false},
        {"\\kerning20", true},   // the text is 10 points
        {"\\kerning28", false},  // from 14 points up
    };
    QByteArray body;
    for (const Case &c : cases)
        body += QByteArray("\\pard\\plain\\fs20") + c.words + " AVAWAYAV\\par";
    TXTextControl control;
    const QTextDocument *doc = load(control, body);
    ASSERT_GE(doc->blockCount(), int(std::size(cases)));
    const double unkerned = doc->begin().layout()->lineAt(0).naturalTextWidth();
    QTextBlock block = doc->begin();
    for (const Case &c : cases) {
        const double width = block.layout()->lineAt(0).naturalTextWidth();
        if (c.kerned)
            EXPECT_LT(width, unkerned - toLayout(2)) << c.words;  // four kerned pairs
        else
            EXPECT_DOUBLE_EQ(width, unkerned) << c.words;
        block = block.next();
    }
}

}  // namespace

TEST(PageLayout, TextIsAsWideAsItsSizeInPointsSays)
{
    // A layout that rounded font sizes to whole pixels at 96 dpi would set
    // 10 points 13 pixels wide instead of 13 1/3, and 11 points 15 instead
    // of 14 2/3: lines would hold more or less than a word processor's.
    const auto width = [](int halfPoints) {
        TXTextControl control;
        const QTextDocument *doc =
            load(control, "\\pard\\fs" + QByteArray::number(halfPoints) + " MMMMMMMMMMMMMMMMMMMM\\par");
        return doc->begin().layout()->lineAt(0).naturalTextWidth();
    };
    const double reference = width(40);
    for (int halfPoints : {16, 18, 19, 20, 21, 22, 24}) {
        EXPECT_NEAR(width(halfPoints) / reference, halfPoints / 40.0, 0.001) << halfPoints;
    }
}

TEST(PageLayout, AListParagraphsTextStartsWhereTheTabAfterItsLabelTakesIt)
{
    const QByteArray lists =
        "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01\\'95;}"
        "{\\levelnumbers;}}\\listid1}{\\list\\listtemplateid2{\\listlevel\\levelnfc0\\levelstartat1"
        "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid2}}"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid2\\listoverridecount0\\ls2}}";
    const struct {
        int left;
        int first;
        const char *list;
        int textTwips;  // where the first line's text starts
    } cases[] = {
        {510, -255, "\\ls1", 510},  // the hanging indent is the tab stop
        {300, -100, "\\ls2", 1134},  // "1." ends past it: the next default stop
        {1200, 0, "\\ls2", 2268},
        {720, -360, "", 360},  // no list: the first-line indent as it is
    };
    for (const auto &c : cases) {
        TXTextControl control;
        const QByteArray words = "\\li" + QByteArray::number(c.left) + "\\fi" + QByteArray::number(c.first);
        const QTextDocument *doc = load(control, lists + "\\pard" + words + c.list + " Uno dos tres\\par\\pard After\\par");
        const QTextBlock block = doc->begin();
        EXPECT_NEAR(fromLayout(block.layout()->lineAt(0).x()), twipsToPixels(c.textTwips), 0.1) << words.constData();
        // The file keeps the paragraph's own indents.
        const QByteArray rtf = writeRtf(control.document());
        EXPECT_TRUE(rtf.contains(c.first ? words : words.left(words.indexOf("\\fi")))) << words.constData();
    }
}

// Tab stops are measured from the left margin, whatever the paragraph's
// indents; Qt measures them from where a line starts. The file keeps them.
TEST(PageLayout, TabStopsAreMeasuredFromTheLeftMargin)
{
    for (const QByteArray indents : {"", "\\li720", "\\li720\\fi-360", "\\li360\\fi360"}) {
        TXTextControl control;
        const QTextDocument *doc = load(control, "\\pard" + indents + "\\tx2000\\tqr\\tx6000 A\\tab B\\tab C\\par");
        const QTextLine line = doc->begin().layout()->lineAt(0);
        const QString text = doc->begin().text();
        // "B" starts on the left stop; "C" ends on the right one.
        EXPECT_NEAR(fromLayout(line.cursorToX(int(text.indexOf(u'B')))), twipsToPixels(2000), 0.1) << indents.constData();
        EXPECT_NEAR(fromLayout(line.cursorToX(int(text.size()))), twipsToPixels(6000), 0.1) << indents.constData();
        EXPECT_TRUE(writeRtf(control.document()).contains("\\tx2000\\tqr\\tx6000")) << indents.constData();
    }
}

// A paragraph made by Qt or pasted has no spacing of its own: the margins
// the layout gives it are not read back as its own on the next pass.
TEST(PageLayout, AParagraphWithoutSpacingOfItsOwnKeepsItsPlace)
{
    TXTextControl control;
    QTextDocument *doc = load(control, "\\pard\\sa200 A\\par\\pard B\\par");
    QTextCursor(doc->begin().next()).setBlockFormat(QTextBlockFormat());
    for (int pass = 1; pass <= 3; ++pass) {
        updateLayoutFormats(doc, 0, doc->characterCount());
        EXPECT_NEAR(boxTop(doc->begin().next()) - boxBottom(doc->begin()), twipsToPixels(200), 0.05) << pass;
    }
}
