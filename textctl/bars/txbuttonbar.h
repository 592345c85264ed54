#pragma once

// The main window's format bar: font family and size, bold, italic and
// underline, the four alignments (one at a time), bullets and numbering. It
// shows the format at the linked control's caret or selection (a mixed value
// shows empty or unchecked) and applies its commands there, each as one undo
// step; character commands without a selection act on the word at the caret.
// One bar serves every document window: the frame relinks it to the active
// control.
//
//   TXButtonBar bar;
//   bar.setControl(&control);   // nullptr unlinks

#include "textctl/bars/controllink.h"
#include "textctl/editing/formatstate.h"

#include <QToolBar>

class QAction;
class QComboBox;
class QFontComboBox;
class TXTextControl;

class TXButtonBar final : public QToolBar {
    Q_OBJECT
public:
    explicit TXButtonBar(QWidget *parent = nullptr);
    ~TXButtonBar() override;
    Q_DISABLE_COPY_MOVE(TXButtonBar)

    void setControl(TXTextControl *control);
    TXTextControl *control() const { return m_link.control(); }

    // Reads the control's format now, without waiting for the event loop.
    void refresh();

private:
    QAction *addToggle(const QString &name, const QString &toolTip, const QIcon &icon);
    void setFamily(const QString &family);
    void setSize(const QString &text);
    void toggleCharFormat(QAction *action);
    void setAlignment(Qt::Alignment alignment);
    void toggleList(textctl::ListKind kind);
    void showState(const textctl::FormatState &state, bool enabled);

    textctl::ControlLink m_link;
    QFontComboBox *m_family = nullptr;
    QComboBox *m_size = nullptr;
    QAction *m_bold = nullptr;
    QAction *m_italic = nullptr;
    QAction *m_underline = nullptr;
    QAction *m_left = nullptr;
    QAction *m_centre = nullptr;
    QAction *m_right = nullptr;
    QAction *m_justify = nullptr;
    QAction *m_bullets = nullptr;
    QAction *m_numbers = nullptr;
    textctl::FormatState m_shown;
};
