// Where the caret is, as the status bar shows it: page, line and column,
// with and without a page layout.
#include "textctl/editing/caretplace.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

QTextCursor caretAt(TXTextControl &control, int position)
{
    QTextCursor cursor = control.cursor();
    cursor.setPosition(position);
    return cursor;
}

struct ParagraphRow {
    const char *name;
    QString text;
    int position;
    CaretPlace expected;
};

const ParagraphRow kParagraphRows[] = {
    {"start", u"uno\ndos\ntres"_qs, 0, {1, 1, 1}},
    {"third_paragraph", u"uno\ndos\ntres"_qs, 11, {1, 3, 4}},
    {"end_of_the_text", u"uno\ndos\ntres"_qs, 12, {1, 3, 5}},
    {"after_a_page_break", u"uno\fdos\ntres"_qs, 11, {2, 3, 4}},
    {"before_the_page_break", u"uno\fdos\ntres"_qs, 3, {1, 1, 4}},
    {"two_page_breaks", u"uno\fdos\ftres"_qs, 9, {3, 3, 2}},
};

}  // namespace

TEST(CaretPlace, WithoutALayoutLinesAreParagraphsFromTheStart)
{
    for (const ParagraphRow &row : kParagraphRows) {
        SCOPED_TRACE(row.name);
        TXTextControl control;
        control.setText(row.text);
        ASSERT_FALSE(control.document().main()->pageSize().isValid());
        EXPECT_EQ(caretPlace(caretAt(control, row.position)), row.expected);
    }
}

TEST(CaretPlace, WithALayoutLinesAreCountedPerPage)
{
    TXTextControl control;
    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines.append(u"línea %1"_qs.arg(i));
    control.setText(lines.join(u'\n'));
    // A body about 150 px tall: a few lines a page.
    control.setPageHeight(control.PageMarginT() + control.PageMarginB() + 2250);
    Pagination &pagination = control.pagination();
    const int pages = pagination.pageCount();
    ASSERT_GT(pages, 2);

    // Walking the paragraphs (one line each): the line number runs up by one
    // and starts again at 1 on each new page.
    CaretPlace previous{1, 0, 1};
    QTextDocument *doc = control.document().main();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const CaretPlace at = caretPlace(caretAt(control, block.position() + 2), &pagination);
        SCOPED_TRACE(block.blockNumber());
        EXPECT_EQ(at.column, 3);
        if (at.page == previous.page) {
            EXPECT_EQ(at.line, previous.line + 1);
        } else {
            EXPECT_EQ(at.page, previous.page + 1);
            EXPECT_EQ(at.line, 1);
        }
        previous = at;
    }
    EXPECT_EQ(previous.page, pages);
}

TEST(CaretPlace, WithALayoutAWrappedParagraphHasALineForEachScreenLine)
{
    TXTextControl control;
    control.setText((u"corto\n"_qs) + QStringList(30, u"palabra"_qs).join(u' '));
    // A body 200 px wide.
    control.setPageWidth(control.PageMarginL() + control.PageMarginR() + 3000);
    Pagination &pagination = control.pagination();
    pagination.ensureLayout();
    QTextDocument *doc = control.document().main();
    const QTextBlock paragraph = doc->findBlockByNumber(1);
    doc->documentLayout()->blockBoundingRect(paragraph);
    ASSERT_GT(paragraph.layout()->lineCount(), 2);
    const int third = paragraph.position() + paragraph.layout()->lineAt(2).textStart();

    EXPECT_EQ(caretPlace(caretAt(control, third), &pagination), (CaretPlace{1, 4, 1}));
    EXPECT_EQ(caretPlace(caretAt(control, third + 3), &pagination), (CaretPlace{1, 4, 4}));
    pagination.releaseLayout();
    EXPECT_EQ(caretPlace(caretAt(control, third + 3), &pagination).line, 2) << "no layout: paragraphs again";
}
