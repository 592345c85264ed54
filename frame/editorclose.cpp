// Closing document windows and ending the program: the change prompt, the
// holder guard of a save on closing, unload, and the two exit commands.

#include "frame/editor.h"

#include "frame/mdichild.h"
#include "merge/titular.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace frame {

namespace {

QString changePrompt(const QString &caption)
{
    return QStringLiteral("El texto en [") + caption + QStringLiteral("] ha cambiado.\n\r")
        + QStringLiteral("Quiere guardar los cambios?");
}

QString cannotSave()
{
    return QStringLiteral("No se puede grabar.") + merge::kFaltaTitular.toString();
}

}  // namespace

platform::Answer Editor::askAboutChanges(const MDIchild *child)
{
    return m_services.mensajes->show(changePrompt(child->caption()),
                                     platform::YesNoCancel + platform::Exclamation,
                                     m_mainCaption ? m_mainCaption() : QString());
}

bool Editor::closeRequest(MDIchild *child)
{
    if (child->Tag().isEmpty())
        child->setTag(QStringLiteral("1"));
    const int slot = slotOf(child);
    if (!slot || !m_estados[slot].modificado)
        return true;
    // The holder check and the save act on the current window: make it this one.
    setActiveWindow(child);
    switch (askAboutChanges(child)) {
    case platform::Answer::Yes: {
        if (!comprobar_titular()) {
            message(cannotSave());
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

void Editor::unload(MDIchild *child)
{
    if (const int slot = slotOf(child))
        m_estados[slot].borrado = kVerdadero;
    if (m_active == child) {
        MDIchild *next = nullptr;
        for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::ActivationHistoryOrder)) {
            auto *other = qobject_cast<MDIchild *>(window->widget());
            if (other && other != child && !m_estados[slotOf(other)].borrado)
                next = other;
        }
        setActiveWindow(next);
    }
    if (m_unloaded)
        m_unloaded();
}

// The exit commands. The current window is asked about as the close prompt
// asks (a Yes saves under a name asked for); then every other modified
// window gets its whole close request, so that no unsaved report is
// discarded without asking. Cancel anywhere, or a failed save, stops the
// exit.
bool Editor::exitCommand(HolderCheck check)
{
    MDIchild *current = m_active;
    if (current && m_estados[slotOf(current)].modificado) {
        const platform::Answer answer = askAboutChanges(current);
        if (answer == platform::Answer::Cancel)
            return false;
        if (answer == platform::Answer::Yes) {
            if (check == CheckHolder && !comprobar_titular()) {
                message(cannotSave());
                return false;
            }
            const QString path = pedir_nombre();
            if (path.isEmpty() || !guardar_fichero(path))
                return false;
        }
    }
    for (int slot = 1; slot <= upperBound(); ++slot) {
        MDIchild *other = documentos(slot);
        if (!other || other == current || m_estados[slot].borrado || !m_estados[slot].modificado)
            continue;
        if (!closeRequest(other))
            return false;
        other->closeWithoutPrompt();  // saved, or its changes given up
    }
    return true;
}

}  // namespace frame
