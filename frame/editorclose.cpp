// Closing document windows and ending the program: the change prompt, the
// holder guard of a save on closing, unload, and the two exit commands.

#include "frame/editor.h"

#include "frame/mdichild.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace frame {

namespace {

QString textoCambio(const QString &caption)
{
    return QStringLiteral("El texto en [") + caption + QStringLiteral("] ha cambiado.\n\r")
        + QStringLiteral("Quiere guardar los cambios?");
}

}  // namespace

platform::Answer Editor::preguntarCambios(const MDIchild *child)
{
    return m_services.mensajes->show(textoCambio(child->caption()),
                                     platform::YesNoCancel + platform::Exclamation,
                                     mainCaption ? mainCaption() : QString());
}

bool Editor::peticionCierre(MDIchild *child)
{
    if (child->Tag().isEmpty())
        child->setTag(QStringLiteral("1"));
    const int slot = slotOf(child);
    if (!slot || !m_estados[slot].modificado)
        return true;
    // The holder check and the save act on the current window: make it this one.
    setActivo(child);
    switch (preguntarCambios(child)) {
    case platform::Answer::Yes: {
        if (!comprobar_titular()) {
            mensaje(QStringLiteral("No se puede grabar.Falta el titular y/o el cif"));
            return false;
        }
        const QString path = pedir_nombre();
        // A failed save keeps the window open with its changes.
        if (path.isEmpty() || !guardar_fichero(path))
            return false;
        m_estados[slot].borrado = kVerdadero;
        return true;
    }
    case platform::Answer::No:
        m_estados[slot].borrado = kVerdadero;
        return true;
    default:
        return false;
    }
}

void Editor::descargar(MDIchild *child)
{
    if (const int slot = slotOf(child))
        m_estados[slot].borrado = kVerdadero;
    if (m_activo == child) {
        MDIchild *next = nullptr;
        for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::ActivationHistoryOrder)) {
            auto *other = qobject_cast<MDIchild *>(window->widget());
            if (other && other != child && !m_estados[slotOf(other)].borrado)
                next = other;
        }
        setActivo(next);
    }
    if (onUnload)
        onUnload();
}

// The exit commands. The current window is asked about as the close prompt
// asks (a Yes saves under a name asked for); then every other modified
// window gets its whole close request, so that no unsaved report is
// discarded without asking. Cancel anywhere, or a failed save, stops the
// exit.
bool Editor::salir(ComprobacionSalida comprobacion)
{
    MDIchild *current = m_activo;
    if (current && m_estados[slotOf(current)].modificado) {
        const platform::Answer answer = preguntarCambios(current);
        if (answer == platform::Answer::Cancel)
            return false;
        if (answer == platform::Answer::Yes) {
            if (comprobacion == ConTitular && !comprobar_titular()) {
                mensaje(QStringLiteral("No se puede grabar.Falta el titular y/o el cif"));
                return false;
            }
            const QString path = pedir_nombre();
            if (path.isEmpty() || !guardar_fichero(path))
                return false;
        }
    }
    for (int slot = 1; slot <= upperBound(); ++slot) {
        MDIchild *other = documento(slot);
        if (!other || other == current || m_estados[slot].borrado || !m_estados[slot].modificado)
            continue;
        if (!peticionCierre(other))
            return false;
        other->closeWithoutPrompt();  // saved, or its changes given up
    }
    return true;
}

}  // namespace frame
