#pragma once

// The link between a bar and the rich-text control it shows. The bar holds
// the control weakly (a control destroyed while linked reads as no control)
// and learns of every change through one deferred refreshNeeded(): a merge
// makes hundreds of edits without returning to the event loop, and the bar
// then refreshes once, after it.
//
//   m_link.setControl(control);   // refreshNeeded() at once
//   connect(&m_link, &ControlLink::refreshNeeded, this, &Bar::refresh);

#include "textctl/txtextcontrol.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

namespace textctl {

class ControlLink final : public QObject {
    Q_OBJECT
public:
    explicit ControlLink(QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(ControlLink)

    // nullptr unlinks. Linking emits refreshNeeded() at once.
    void setControl(TXTextControl *control);
    TXTextControl *control() const { return m_control.data(); }

signals:
    void refreshNeeded();

private:
    void schedule();

    QPointer<TXTextControl> m_control;
    QTimer m_timer;
};

}  // namespace textctl
