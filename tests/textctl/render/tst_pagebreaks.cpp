// Page breaks of real documents, kept right by edits without paginating
// what follows them again, and found in idle time.
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QAbstractTextDocumentLayout>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QTextTable>

#include <gtest/gtest.h>

#include <functional>

using textctl::Pagination;

namespace {

const QString kTemplate = QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/inf01.rtf");

// The demo template's body with a valuation table of 60 rows after it,
// `copies` times, a page break between copies: paragraphs and tables over
// many pages, tables running over from one page to the next.
void loadLong(TXTextControl &control, int copies)
{
    ASSERT_TRUE(control.Load(kTemplate, 0, 5));
    control.usePageOfLoad();
    QTextCursor cursor(control.document().main());
    cursor.movePosition(QTextCursor::End);
    QTextTableFormat format;
    format.setBorder(1);
    format.setCellPadding(2);
    QTextTable *table = cursor.insertTable(60, 3, format);
    for (int row = 0; row < 60; ++row)
        for (int column = 0; column < 3; ++column)
            table->cellAt(row, column).firstCursorPosition().insertText(
                column == 0 ? u"Concepto %1 de la valoración"_qs.arg(row) : u"%1,00"_qs.arg(row * 7));
    const QTextDocumentFragment body(control.document().main());
    for (int i = 1; i < copies; ++i) {
        QTextCursor end(control.document().main());
        end.movePosition(QTextCursor::End);
        end.insertText(QString(QChar(12)));
        end.insertFragment(body);
    }
}

QList<int> pageStarts(Pagination &pagination)
{
    QList<int> starts;
    for (int page = 1; page <= pagination.pageCount(); ++page)
        starts.append(pagination.pageFirstPosition(page));
    return starts;
}

// The pages as a fresh layout of the same text breaks them.
QList<int> freshPageStarts(TXTextControl &control)
{
    control.pagination().releaseLayout();
    return pageStarts(control.pagination());
}

}  // namespace

TEST(PageBreaks, EveryPageHoldsWhatFitsItsBody)
{
    for (int copies : {1, 4}) {
        SCOPED_TRACE(copies);
        TXTextControl control;
        loadLong(control, copies);
        Pagination &p = control.pagination();
        const int pages = p.pageCount();
        ASSERT_GE(pages, copies);
        const double body = p.bodyHeight();
        QTextDocument *main = control.document().main();
        QAbstractTextDocumentLayout *layout = main->documentLayout();
        for (int page = 1; page <= pages; ++page)
            EXPECT_LE(p.pageBottom(page) - p.pageTop(page), body + 1.0 / 32) << "page " << page;
        // Every line, in paragraphs and table cells, is on one page whole.
        for (QTextBlock block = main->begin(); block.isValid(); block = block.next()) {
            const double blockTop = layout->blockBoundingRect(block).top();
            for (int i = 0; i < block.layout()->lineCount(); ++i) {
                const QTextLine line = block.layout()->lineAt(i);
                const double top = blockTop + line.y();
                const int page = p.pageAt(top + 0.5);
                EXPECT_LE(top + line.height(), p.pageBottom(page) + 0.5)
                    << "page " << page << ": " << block.text().toStdString();
            }
        }
    }
}

TEST(PageBreaks, EditsGiveThePagesOfAFreshLayout)
{
    using Edit = std::function<void(TXTextControl &)>;
    const auto at = [](double fraction, const QString &text) -> Edit {
        return [=](TXTextControl &control) {
            QTextCursor cursor(control.document().main());
            cursor.setPosition(int(fraction * (control.document().main()->characterCount() - 1)));
            cursor.insertText(text);
        };
    };
    struct Row {
        const char *name;
        Edit edit;
    };
    const Row rows[] = {
        {"a word at the start", at(0, u"Palabra "_qs)},
        {"paragraphs in the middle", at(0.5, u"uno\ndos\ntres\ncuatro\ncinco\n"_qs.repeated(6))},
        {"a page break in the middle", at(0.5, QString(QChar(12)))},
        {"text at the end", at(1, u"\nfin"_qs.repeated(30))},
        {"a deleted stretch",
         [](TXTextControl &control) {
             QTextCursor cursor(control.document().main());
             cursor.setPosition(2000);
             cursor.setPosition(4500, QTextCursor::KeepAnchor);
             cursor.removeSelectedText();
         }},
        {"lines in a table cell",
         [](TXTextControl &control) {
             QTextCursor cursor(control.document().main());
             cursor.movePosition(QTextCursor::End);
             while (!cursor.currentTable() && cursor.movePosition(QTextCursor::PreviousBlock)) {
             }
             ASSERT_NE(cursor.currentTable(), nullptr);
             cursor.insertText(u"línea de celda\n"_qs.repeated(12));
         }},
        {"a taller page header",
         [](TXTextControl &control) {
             control.setHeaderFooter(control.HeaderFooter() | textctl::PageHeader);
             QTextCursor(control.document().area(textctl::PageHeader)).insertText(u"cabecera\n"_qs.repeated(4));
         }},
        {"a taller page footer",
         [](TXTextControl &control) {
             control.setHeaderFooter(control.HeaderFooter() | textctl::PageFooter);
             QTextCursor(control.document().area(textctl::PageFooter)).insertText(u"pie\n"_qs.repeated(6));
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TXTextControl control;
        loadLong(control, 4);
        pageStarts(control.pagination());
        row.edit(control);
        const QList<int> kept = pageStarts(control.pagination());
        EXPECT_EQ(kept, freshPageStarts(control));
    }
}

TEST(PageBreaks, EditsOneAfterAnotherBeforeThePagesAreFoundAgain)
{
    TXTextControl control;
    loadLong(control, 4);
    Pagination &p = control.pagination();
    p.pageCount();
    QTextCursor cursor(control.document().main());
    for (int i = 0; i < 30; ++i) {
        cursor.setPosition(200 + 97 * i);
        cursor.insertText(i % 5 == 4 ? u"\n"_qs : u"tecla"_qs);
        p.pageTop(2);  // what a view of page 1 asks between keys
    }
    cursor.setPosition(1000);
    cursor.setPosition(1400, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    const QList<int> kept = pageStarts(p);
    EXPECT_EQ(kept, freshPageStarts(control));
}

TEST(PageBreaks, AnEditOnPageOneLeavesThePagesAfterItAlone)
{
    TXTextControl control;
    loadLong(control, 10);
    Pagination &p = control.pagination();
    const int pages = p.pageCount();
    ASSERT_GE(pages, 20);
    // What one key asks of the pagination: the caret's page and the view's.
    const auto key = [&](const QString &text) {
        QTextCursor cursor(control.document().main());
        cursor.setPosition(p.pageFirstPosition(1) + 300);
        cursor.insertText(text);
        const qint64 before = p.unitsPaginated();
        p.pageAt(p.pageTop(1) + 10);
        p.pageBottom(2);
        return p.unitsPaginated() - before;
    };
    const qint64 typed = key(u"a"_qs);
    const qint64 wrapped = key(u" una línea más de texto para que el párrafo pase a la línea siguiente"_qs);
    // A page is at most a few hundred lines and rows: three pages' worth
    // is far less than the document's.
    EXPECT_LT(typed, 3 * 200);
    EXPECT_LT(wrapped, 3 * 200);
    EXPECT_TRUE(p.isComplete()) << "the pages after the edit start where they did";
    EXPECT_EQ(p.knownPageCount(), pages);
}

TEST(PageBreaks, PagesAreFoundInIdleTimeAndReported)
{
    TXTextControl control;
    loadLong(control, 6);
    Pagination &p = control.pagination();
    QSignalSpy reported(&p, &Pagination::pagesChanged);
    p.ensureLayout();
    EXPECT_EQ(p.knownPageCount(), 1) << "nothing is paginated before it is asked for";
    EXPECT_FALSE(p.isComplete());
    int steps = 0;
    while (!p.paginateFor(0))
        ++steps;
    EXPECT_GT(steps, 3) << "a step finds a page or a few, not the whole text";
    EXPECT_EQ(p.reportedPageCount(), p.knownPageCount());
    EXPECT_GT(reported.count(), 3);
    const int pages = p.knownPageCount();
    EXPECT_EQ(p.pageCount(), pages);

    // Edited, the views keep their page count until the new pages are known.
    QTextCursor cursor(control.document().main());
    cursor.insertText(u"x"_qs);
    EXPECT_EQ(p.reportedPageCount(), pages);
    EXPECT_FALSE(p.isComplete());
}
