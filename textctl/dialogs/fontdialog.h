#pragma once

// The control's font dialog ("Fuente"): family, style, size, colour,
// underline, strike-out, super- and subscript, with a preview. It opens on
// the format of the selection in the area being edited; a value the
// selection does not share shows empty and stays as it is unless the user
// sets it. Accepting applies what the user changed to the selection, or to
// the word at the caret, as one undo step; cancelling changes nothing.
//
//   FontDialog dialog(control, window);
//   dialog.findChild<QComboBox *>(u"underline"_s)->setCurrentIndex(2);
//   dialog.accept();

#include "textctl/editing/charactersettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class TXTextControl;

namespace textctl {

class FontDialog final : public QDialog {
    Q_OBJECT
public:
    FontDialog(TXTextControl &control, QWidget *parent = nullptr);

    // The settings the user changed; the others absent.
    CharacterSettings changes() const;
    void accept() override;

private:
    CharacterSettings shown() const;
    void showSettings(const CharacterSettings &settings);
    void updatePreview();

    TXTextControl &m_control;
    CharacterSettings m_initial;
    CharacterSettings m_initialShown;
    QComboBox *m_family = nullptr;
    QComboBox *m_style = nullptr;
    QComboBox *m_size = nullptr;
    QComboBox *m_color = nullptr;
    QComboBox *m_underline = nullptr;
    QCheckBox *m_strikeOut = nullptr;
    QCheckBox *m_superscript = nullptr;
    QCheckBox *m_subscript = nullptr;
    QLabel *m_preview = nullptr;
};

// Shows the dialog modally; true when the user accepted it.
bool showFontDialog(TXTextControl &control, QWidget *parent);

}  // namespace textctl
