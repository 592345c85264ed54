#include "textctl/render/tablerows.h"

#include "textctl/model/richdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

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

double cellPadding(const QTextTableCellFormat &format, const QTextTableFormat &table, QTextFormat::Property property)
{
    return toLayout(format.hasProperty(property) ? format.doubleProperty(property) : table.cellPadding());
}

}  // namespace textctl
