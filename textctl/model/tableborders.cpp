#include "textctl/model/tableborders.h"

#include <QTextTable>

#include <utility>

namespace textctl {

bool hasCellBorder(const QTextTableCellFormat &format)
{
    constexpr std::pair<QTextFormat::Property, QTextFormat::Property> kSides[] = {
        {QTextFormat::TableCellTopBorderStyle, QTextFormat::TableCellTopBorder},
        {QTextFormat::TableCellLeftBorderStyle, QTextFormat::TableCellLeftBorder},
        {QTextFormat::TableCellBottomBorderStyle, QTextFormat::TableCellBottomBorder},
        {QTextFormat::TableCellRightBorderStyle, QTextFormat::TableCellRightBorder},
    };
    for (const auto &[style, width] : kSides) {
        if (format.hasProperty(style) && (!format.hasProperty(width) || format.doubleProperty(width) != 0))
            return true;
    }
    return false;
}

void collapseBordersOf(QTextTable *table)
{
    QTextTableFormat format = table->format();
    if (format.borderCollapse())
        return;
    format.setBorderCollapse(true);
    table->setFormat(format);
}

}  // namespace textctl
