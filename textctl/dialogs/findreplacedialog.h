#pragma once

// The control's search dialog: "Buscar" (mode 1) or "Reemplazar" (mode 2,
// the same dialog with the replace row). Modeless, one per control: asking
// again brings the same dialog back, with the selection's text as the
// search text. It works in the area being edited; questions and messages
// go through the message boxes it is given.
//
//   FindReplace(control, 2, boxes, window);   // shows "Reemplazar"

#include "textctl/editing/findreplace.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TXTextControl;

namespace platform {
class MessageBoxes;
}

namespace textctl {

class FindReplaceDialog final : public QDialog {
    Q_OBJECT
public:
    FindReplaceDialog(TXTextControl &control, platform::MessageBoxes &boxes, QWidget *parent = nullptr);

    int mode() const { return m_mode; }
    void setMode(int mode);
    // The search text becomes the selection's text when that is on one line.
    void takeSelection();

    // What the buttons do: true when a match was found and selected.
    bool findNext();
    bool replace();
    int replaceAllMatches();

private:
    FindOptions options() const;
    QString title() const;

    TXTextControl &m_control;
    platform::MessageBoxes &m_boxes;
    int m_mode = 1;
    QLineEdit *m_find = nullptr;
    QLabel *m_replaceLabel = nullptr;
    QLineEdit *m_replace = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_replaceAll = nullptr;
    QPushButton *m_close = nullptr;
};

// Shows the control's search dialog in `mode` (1 find, 2 replace), made on
// first use and kept until the control goes.
FindReplaceDialog *FindReplace(TXTextControl &control, int mode, platform::MessageBoxes &boxes, QWidget *parent);

}  // namespace textctl
