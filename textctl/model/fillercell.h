#pragma once

// A grid slot that no cell of its row reaches (prop::CellFiller), still a
// single slot and still empty: not a cell of the file, so neither written
// nor a line of plain text.

#include "textctl/model/formatprops.h"

#include <QTextTable>

namespace textctl {

inline bool isEmptyFillerCell(const QTextTableCell &cell)
{
    return cell.format().boolProperty(prop::CellFiller) && cell.rowSpan() == 1 && cell.columnSpan() == 1
        && cell.firstPosition() == cell.lastPosition();
}

}  // namespace textctl
