#pragma once

// The control's list dialog ("Numeración y viñetas"): the list kind of the
// paragraphs the selection touches in the area being edited, the bullet,
// the number style and first number, the level, and where the label and
// the text start (centimetres from the text area's left edge). It opens on
// the first selected paragraph; accepting puts every selected paragraph in
// a list of the chosen kind with those attributes (or takes them out of
// their lists) as one undo step.
//
//   ListAttributesDialog dialog(control, window);
//   dialog.findChild<QComboBox *>(u"kind"_s)->setCurrentIndex(2);   // Números
//   dialog.accept();

#include "textctl/editing/listattributes.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class TXTextControl;

namespace textctl {

class ListAttributesDialog final : public QDialog {
    Q_OBJECT
public:
    ListAttributesDialog(TXTextControl &control, QWidget *parent = nullptr);

    ListKind kind() const;
    ListAttributes attributes() const;
    void accept() override;

private:
    void kindChosen();
    void showAttributes(const ListAttributes &attributes);

    TXTextControl &m_control;
    ListAttributes m_bullets;
    ListAttributes m_numbers;
    QComboBox *m_kind = nullptr;
    QComboBox *m_bullet = nullptr;
    QComboBox *m_numberStyle = nullptr;
    QSpinBox *m_start = nullptr;
    QSpinBox *m_level = nullptr;
    QDoubleSpinBox *m_labelPosition = nullptr;
    QDoubleSpinBox *m_textPosition = nullptr;
};

// Shows the dialog modally; true when the user accepted it.
bool showListAttributesDialog(TXTextControl &control, QWidget *parent);

}  // namespace textctl
