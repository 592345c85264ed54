#include "textctl/render/tablerows.h"

#include "textctl/model/richdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <limits>

namespace textctl {

int firstRowBelow(const QTextTable &table, const QAbstractTextDocumentLayout &layout, double y)
{
    const QTextDocument &doc = *table.document();
    int low = 0;
    int high = table.rows();
    while (low < high) {
        const int mid = (low + high) / 2;
        const double rowTop = layout.blockBoundingRect(doc.findBlock(table.cellAt(mid, 0).firstPosition())).top();
        if (rowTop > y)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

double paragraphUnder(const QTextTable &table, const QAbstractTextDocumentLayout &layout)
{
    const QTextDocument &doc = *table.document();
    const QTextBlock after = doc.findBlock(table.lastPosition() + 1);
    if (!after.isValid() || after.length() <= 1 || doc.frameAt(after.position()) != table.parentFrame())
        return std::numeric_limits<double>::quiet_NaN();
    return layout.blockBoundingRect(after).top() - toLayout(table.format().bottomMargin());
}

double cellPadding(const QTextTableCellFormat &format, const QTextTableFormat &table, QTextFormat::Property property)
{
    return toLayout(format.hasProperty(property) ? format.doubleProperty(property) : table.cellPadding());
}

}  // namespace textctl
