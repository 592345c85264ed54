// The one pagination: page counts, page values, and no side effects on the
// text or its undo.
#include "textctl/model/layoutformats.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QAbstractTextDocumentLayout>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cmath>

namespace {

QString paragraphs(int count, const QString &separator)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list.append(QStringLiteral("Párrafo %1").arg(i));
    return list.join(separator);
}

// A text long enough for several pages: 200 lines of 12-point Arial.
QString longText()
{
    return paragraphs(200, u"\r\n"_qs);
}

}  // namespace

TEST(Pagination, PageCountOfKnownDocuments)
{
    struct Row {
        const char *name;
        QString text;
        int pages;
    };
    const Row rows[] = {
        {"empty", QString(), 1},
        {"one line", u"Informe"_qs, 1},
        {"three page breaks", paragraphs(4, u"\f"_qs), 4},
        {"ten page breaks", paragraphs(11, u"\f"_qs), 11},
    };
    for (const Row &row : rows) {
        TXTextControl control;
        control.setText(row.text);
        EXPECT_EQ(control.CurrentPages(), row.pages) << row.name;
    }
}

TEST(Pagination, LongTextFlowsOntoPagesOfTheBodyHeight)
{
    TXTextControl control;
    control.setText(longText());
    const int pages = control.CurrentPages();
    // 200 lines of about 18 px in a body of 931 px: 4 or 5 pages.
    EXPECT_GE(pages, 4);
    EXPECT_LE(pages, 5);
    // Every line sits entirely inside one page's slice, no slice is taller
    // than the body, and the pages follow each other.
    textctl::Pagination &p = control.pagination();
    const double body = p.bodyHeight();
    QAbstractTextDocumentLayout *layout = control.document().main()->documentLayout();
    int lastPage = 0;
    for (QTextBlock b = control.document().main()->begin(); b.isValid(); b = b.next()) {
        const textctl::LineBox line = textctl::lineBox(b, b.layout()->lineAt(0));
        const double top = layout->blockBoundingRect(b).top() + line.top;
        const int page = p.pageAt(top);
        EXPECT_GE(top, p.pageTop(page)) << b.text().toStdString();
        EXPECT_LE(top + line.height, p.pageTop(page) + body) << b.text().toStdString();
        EXPECT_GE(page, lastPage);
        EXPECT_LE(page, lastPage + 1);
        lastPage = page;
    }
    EXPECT_EQ(lastPage, pages);
    for (int page = 1; page < pages; ++page)
        EXPECT_LE(p.pageBottom(page) - p.pageTop(page), body) << page;
}

TEST(Pagination, FollowsChangedPageValuesAndEdits)
{
    TXTextControl control;
    control.setText(longText());
    const int a4 = control.CurrentPages();
    control.setPageHeight(control.PageHeight() / 2);
    const int half = control.CurrentPages();
    EXPECT_GT(half, a4 * 3 / 2);
    control.setPageMarginT(0);
    control.setPageMarginB(0);
    EXPECT_LT(control.CurrentPages(), half);
    // Narrower text wraps into more lines.
    control.setText(paragraphs(40, u" "_qs).repeated(10));
    const int wide = control.CurrentPages();
    control.setPageMarginR(control.PageWidth() / 2);
    EXPECT_GT(control.CurrentPages(), wide);
    // Edits after the first pagination are followed by the layout.
    control.setText(u"Uno\fDos"_qs);
    EXPECT_EQ(control.CurrentPages(), 2);
}

TEST(Pagination, LeavesTextUndoAndChangeAlone)
{
    TXTextControl control;
    control.Load(QString::fromUtf8(VALDRIN_SAMPLES_DIR "/plant/inf01.rtf"), 0, 5);
    control.setHeaderFooter(control.HeaderFooter() | 1);
    QTextDocument *main = control.document().main();
    main->setModified(false);
    const bool couldUndo = control.canUndo();
    QSignalSpy changed(&control, &TXTextControl::Change);
    EXPECT_GE(control.CurrentPages(), 1);
    control.setPageWidth(control.PageWidth() - 1000);
    EXPECT_GE(control.CurrentPages(), 1);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(control.canUndo(), couldUndo);
    EXPECT_FALSE(main->isModified());
}

TEST(Pagination, NoLayoutUntilAskedFor)
{
    // Edits of a merge run with no layout attached: the layout object
    // appears on the first pagination only.
    TXTextControl control;
    control.setText(longText());
    control.Find(u"Párrafo 7"_qs, 0, 16);
    control.setSelText(u"Valor"_qs);
    EXPECT_EQ(control.document().main()->findChild<QAbstractTextDocumentLayout *>(), nullptr);
    const int pages = control.CurrentPages();
    EXPECT_NE(control.document().main()->findChild<QAbstractTextDocumentLayout *>(), nullptr);
    // Released before a merge, laid out again afterwards.
    QSignalSpy changed(&control, &TXTextControl::Change);
    control.pagination().releaseLayout();
    EXPECT_EQ(control.document().main()->findChild<QAbstractTextDocumentLayout *>(), nullptr);
    EXPECT_EQ(changed.count(), 0);
    control.setText(longText() + u"\fFin"_qs);
    EXPECT_EQ(control.document().main()->findChild<QAbstractTextDocumentLayout *>(), nullptr);
    EXPECT_EQ(control.CurrentPages(), pages + 1);
}

TEST(Pagination, FirstPageAreasOnlyOnPageOne)
{
    struct Row {
        const char *name;
        int set;
        int headerPage1, headerPage2, footerPage1, footerPage2;
    };
    const Row rows[] = {
        {"no areas", 0, 0, 0, 0, 0},
        {"header and footer", 1 + 4, 1, 1, 4, 4},
        {"first-page set", 1 + 2 + 4 + 8, 2, 1, 8, 4},
        {"first header only: page 1 has no footer", 1 + 2 + 4, 2, 1, 0, 4},
        {"first footer only: page 1 has no header", 1 + 4 + 8, 0, 1, 8, 4},
    };
    for (const Row &row : rows) {
        TXTextControl control;
        control.setHeaderFooter(row.set);
        const textctl::Pagination &p = control.pagination();
        EXPECT_EQ(p.areaForPage(1, 1), row.headerPage1) << row.name;
        EXPECT_EQ(p.areaForPage(1, 2), row.headerPage2) << row.name;
        EXPECT_EQ(p.areaForPage(4, 1), row.footerPage1) << row.name;
        EXPECT_EQ(p.areaForPage(4, 2), row.footerPage2) << row.name;
    }
}

TEST(Pagination, SheetAndLayoutCoordinatesRoundTrip)
{
    TXTextControl control;
    control.setText(u"Uno\fDos\fTres"_qs);
    textctl::Pagination &p = control.pagination();
    ASSERT_EQ(p.pageCount(), 3);
    const QRectF body = p.bodyRect();
    EXPECT_DOUBLE_EQ(body.left(), 96.0);   // 1440 twips
    EXPECT_DOUBLE_EQ(body.top(), 96.0);
    // Page 3 shows the layout from the top of its first line, "Tres".
    QTextDocument *main = control.document().main();
    const double tres = main->documentLayout()->blockBoundingRect(main->lastBlock()).top();
    EXPECT_DOUBLE_EQ(p.pageTop(3), tres);
    const QPointF layout = p.sheetToLayout(3, QPointF(150, 200));
    EXPECT_DOUBLE_EQ(layout.y(), textctl::toLayout(200 - 96) + tres);
    int page = 0;
    const QPointF sheet = p.layoutToSheet(layout, &page);
    EXPECT_EQ(page, 3);
    EXPECT_DOUBLE_EQ(sheet.x(), 150);
    EXPECT_DOUBLE_EQ(sheet.y(), 200);
}

TEST(Pagination, TallHeaderAndFooterPushTheBody)
{
    TXTextControl control;
    control.setText(longText());
    const int plain = control.CurrentPages();
    const QRectF margins = control.pagination().bodyRect();
    control.setHeaderFooter(1 + 4);
    QTextCursor(control.document().area(1)).insertText(paragraphs(6, u"\n"_qs));
    QTextCursor(control.document().area(4)).insertText(u"Pie"_qs);
    EXPECT_GE(control.CurrentPages(), plain);
    const QRectF body = control.pagination().bodyRect();
    // The main text paginates at the shorter body: every page but the last
    // fills it to within a line.
    textctl::Pagination &p = control.pagination();
    for (int page = 1; page < p.pageCount(); ++page) {
        const double slice = p.pageBottom(page) - p.pageTop(page);
        EXPECT_LE(slice, textctl::toLayout(body.height())) << page;
        EXPECT_GT(slice, textctl::toLayout(body.height() - 20)) << page;
    }
    const double headerBottom = 720 / 15.0 + textctl::fromLayout(control.document().area(1)->size().height());
    EXPECT_DOUBLE_EQ(body.top(), headerBottom);
    // A one-line footer fits in the bottom margin: the body ends there.
    EXPECT_NEAR(body.bottom(), margins.bottom(), 1.0 / 32);
    // Emptying the header gives the margin back.
    control.document().area(1)->clear();
    control.CurrentPages();
    EXPECT_DOUBLE_EQ(control.pagination().bodyRect().top(), margins.top());
}

TEST(Pagination, TextRightTabbedToTheRightMarginStaysOnItsLine)
{
    // Words whose last glyph overhangs its advance ("referencia" in
    // Liberation Sans, the face templates' Arial becomes) wrapped onto a
    // second line when a right tab put their end on the right margin.
    for (const QString &words : {u"Su referencia"_qs, u"Tramitador: &Tramitador&"_qs, u"Informe emitido para"_qs}) {
        TXTextControl control;
        control.setPageMarginL(1134);
        control.setPageMarginR(1134);
        QTextCursor cursor(control.document().main());
        QTextBlockFormat format;
        format.setTabPositions({QTextOption::Tab(textctl::twipsToPixels(control.PageWidth() - 2268),
                                                 QTextOption::RightTab)});
        cursor.setBlockFormat(format);
        QTextCharFormat arial;
        arial.setFontFamilies({u"Arial"_qs});
        arial.setFontPointSize(8.5);
        cursor.insertText(u"\t"_qs + words, arial);
        control.pagination().ensureLayout();
        EXPECT_EQ(control.document().main()->firstBlock().layout()->lineCount(), 1) << words.toStdString();
    }
}

TEST(Pagination, ALineHoldsNoWordThatRunsPastTheMargin)
{
    // Words that end exactly at the margin stay on their line; words that run
    // a point past it go to the next, as a word processor breaks them.
    const QString words = u"Rohdaten umfassen etwa Datensätze inklusive Dubletten"_qs;
    struct Row {
        int overrunTwips;
        int lines;
    };
    for (const Row &row : {Row{0, 1}, Row{20, 2}}) {
        TXTextControl control;
        control.setPageMarginL(1134);
        control.setPageMarginR(1134);
        QTextCursor cursor(control.document().main());
        QTextCharFormat times;
        times.setFontFamilies({u"Times New Roman"_qs});
        times.setFontPointSize(12);
        cursor.insertText(words, times);
        control.pagination().ensureLayout();
        QTextLayout *layout = control.document().main()->firstBlock().layout();
        ASSERT_EQ(layout->lineCount(), 1);
        // A layout pixel is ten twips (144 to the inch).
        const int advanceTwips = int(std::ceil(layout->lineAt(0).naturalTextWidth() * 10));
        control.setPageMarginR(control.PageWidth() - 1134 - advanceTwips + row.overrunTwips);
        control.pagination().ensureLayout();
        EXPECT_EQ(control.document().main()->firstBlock().layout()->lineCount(), row.lines)
            << "overrun " << row.overrunTwips;
    }
}
