#pragma once

// The control's paragraph dialog ("Párrafo"): alignment, indents, spacing
// before and after, line spacing and the keep options of the paragraphs
// the selection touches in the area being edited. Lengths are centimetres.
// A value the paragraphs do not share shows empty (a check box partly
// checked) and stays as each paragraph has it unless the user sets it.
// Accepting applies the changes to every selected paragraph as one undo
// step; cancelling changes nothing.
//
//   ParagraphDialog dialog(control, window);
//   dialog.findChild<QComboBox *>(u"lineSpacing"_s)->setCurrentIndex(2);  // Doble
//   dialog.accept();

#include "textctl/editing/paragraphsettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class TXTextControl;

namespace textctl {

class ParagraphDialog final : public QDialog {
    Q_OBJECT
public:
    ParagraphDialog(TXTextControl &control, QWidget *parent = nullptr);

    // The settings the user changed; the others absent.
    ParagraphSettings changes() const;
    void accept() override;

private:
    ParagraphSettings shown() const;
    void showSettings(const ParagraphSettings &settings);
    void lineSpacingChosen(int index);

    TXTextControl &m_control;
    ParagraphSettings m_initialShown;
    QComboBox *m_alignment = nullptr;
    QDoubleSpinBox *m_left = nullptr;
    QDoubleSpinBox *m_right = nullptr;
    QDoubleSpinBox *m_firstLine = nullptr;
    QDoubleSpinBox *m_before = nullptr;
    QDoubleSpinBox *m_after = nullptr;
    QComboBox *m_lineSpacing = nullptr;
    QDoubleSpinBox *m_lineValue = nullptr;
    QCheckBox *m_keepWithNext = nullptr;
    QCheckBox *m_keepTogether = nullptr;
    QCheckBox *m_widowControl = nullptr;
    QCheckBox *m_pageBreakBefore = nullptr;
};

// Shows the dialog modally; true when the user accepted it.
bool showParagraphDialog(TXTextControl &control, QWidget *parent);

}  // namespace textctl
