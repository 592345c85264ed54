#pragma once

// The main window's status bar: "Page", "Line" and "Col" with the caret's
// numbers in the linked control's target area (see caretplace.h for how they
// are counted). Empty when no control is linked. One status bar serves every
// document window: the frame relinks it to the active control.
//
//   TXStatusBar status;
//   status.setControl(&control);   // "Page 1"  "Line 1"  "Col 1"

#include "textctl/bars/controllink.h"
#include "textctl/editing/caretplace.h"

#include <QStatusBar>

class QLabel;
class TXTextControl;

class TXStatusBar final : public QStatusBar {
    Q_OBJECT
public:
    explicit TXStatusBar(QWidget *parent = nullptr);
    ~TXStatusBar() override;
    Q_DISABLE_COPY_MOVE(TXStatusBar)

    void setControl(TXTextControl *control);
    TXTextControl *control() const { return m_link.control(); }

    // Reads the caret's place now, without waiting for the event loop.
    void refresh();

    QString pageText() const;
    QString lineText() const;
    QString columnText() const;

private:
    QLabel *addField(const QString &name);

    textctl::ControlLink m_link;
    QLabel *m_page = nullptr;
    QLabel *m_line = nullptr;
    QLabel *m_column = nullptr;
};
