#include "textctl/bars/controllink.h"

#include "textctl/txtextcontrol.h"

namespace textctl {

ControlLink::ControlLink(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ControlLink::refreshNeeded);
}

void ControlLink::setControl(TXTextControl *control)
{
    if (m_control)
        disconnect(m_control, nullptr, this, nullptr);
    m_control = control;
    if (control) {
        // The slots only schedule: some of these signals come from a control
        // in the middle of an edit or of its own destruction.
        connect(control, &TXTextControl::Change, this, &ControlLink::schedule);
        connect(control, &TXTextControl::selectionChanged, this, &ControlLink::schedule);
        connect(control, &TXTextControl::zoomChanged, this, &ControlLink::schedule);
        connect(control, &TXTextControl::headerFooterChanged, this, &ControlLink::schedule);
        connect(control, &TXTextControl::pageValuesChanged, this, &ControlLink::schedule);
        connect(control, &QObject::destroyed, this, &ControlLink::schedule);
    }
    m_timer.stop();
    emit refreshNeeded();
}

void ControlLink::schedule()
{
    if (!m_timer.isActive())
        m_timer.start();
}

}  // namespace textctl
