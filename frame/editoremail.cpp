// The e-mail command of the document window and the single mail form.

#include "frame/editor.h"

#include "frame/mdichild.h"
#include "merge/titular.h"
#include "office/frmemail.h"

#include <QMdiArea>

namespace frame {

void Editor::emailitem()
{
    if (m_emailCommand) {
        m_emailCommand();
        return;
    }
    if (!comprobar_titular()) {
        message(QStringLiteral("No se puede guardar el documento.") + merge::kFaltaTitular.toString());
        return;
    }
    // The file attached is the one just saved; an unsaved document whose
    // name dialog was cancelled keeps its "Sin Titulo:" caption, which the
    // form does not attach.
    guardar_documento();
    mostrarFrmemail(office::Variante::Editor, m_active ? m_active->caption() : QString());
}

office::frmemail *Editor::frmemail() const
{
    return m_frmemail;
}

office::frmemail *Editor::mostrarFrmemail(office::Variante variante, const QString &fichero)
{
    if (!m_frmemail) {
        const office::AjustesCorreo ajustes = m_services.correo ? *m_services.correo : office::AjustesCorreo{};
        m_frmemail = new office::frmemail(variante, fichero, ajustes, *m_services.mensajes, m_area->window());
    }
    m_frmemail->show();
    m_frmemail->raise();
    m_frmemail->activateWindow();
    return m_frmemail;
}

}  // namespace frame
