#pragma once

// The control's table attributes dialog ("Propiedades de la tabla") for
// the cells the selection covers in the area being edited, or the cell of
// the caret: each border with its width in points and its colour, the
// shading, the vertical alignment, the height of their rows, and the width
// of each column of their table. A value the cells do not share shows
// empty and stays as each cell has it unless the user sets it. Accepting
// applies the changes as one undo step; cancelling changes nothing.
//
//   TableAttributesDialog dialog(control, window);
//   dialog.findChild<QDoubleSpinBox *>(u"borderWidth0"_s)->setValue(1);  // top, 1 pt
//   dialog.accept();

#include "textctl/editing/tableattributes.h"

#include <QDialog>

#include <array>

class QComboBox;
class QDoubleSpinBox;
class TXTextControl;

namespace textctl {

class TableAttributesDialog final : public QDialog {
    Q_OBJECT
public:
    TableAttributesDialog(TXTextControl &control, QWidget *parent = nullptr);

    // The attributes the user changed; the others absent.
    TableAttributes changes() const;
    void accept() override;

private:
    TableAttributes shown() const;
    void showAttributes(const TableAttributes &attributes);
    void showColumn(int index);

    TXTextControl &m_control;
    TableAttributes m_initialShown;
    QList<int> m_widths;
    std::array<QDoubleSpinBox *, 4> m_borderWidth{};
    std::array<QComboBox *, 4> m_borderColor{};
    QComboBox *m_shading = nullptr;
    QComboBox *m_verticalAlign = nullptr;
    QDoubleSpinBox *m_rowHeight = nullptr;
    QComboBox *m_column = nullptr;
    QDoubleSpinBox *m_columnWidth = nullptr;
};

// Shows the dialog modally when the caret is in a table; true when the user
// accepted it.
bool showTableAttributesDialog(TXTextControl &control, QWidget *parent);

}  // namespace textctl
