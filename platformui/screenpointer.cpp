#include "platformui/screenpointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

QtScreenPointer::~QtScreenPointer()
{
    if (m_shape != PointerDefault && qGuiApp)
        QGuiApplication::restoreOverrideCursor();
}

void QtScreenPointer::set(int shape)
{
    if (shape == m_shape)
        return;
    if (m_shape != PointerDefault)
        QGuiApplication::restoreOverrideCursor();
    m_shape = shape;
    if (shape == PointerBusy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else if (shape == PointerSizeNS)
        QGuiApplication::setOverrideCursor(QCursor(Qt::SizeVerCursor));
    else
        m_shape = PointerDefault;
}

}  // namespace platform
