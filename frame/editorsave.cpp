// guardar_fichero: the document of the current window saved by the ending
// of the path. Every kind is written to a temporary file beside the target
// and renamed over it, so a failed save leaves the old file as it was.

#include "frame/editor.h"

#include "frame/mdichild.h"
#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

namespace frame {

bool Editor::guardar_fichero(const QString &path)
{
    MDIchild *child = m_active;
    if (!child)
        return false;
    TXTextControl &control = child->TXTextControl1();
    const int format = textctl::formatForPath(path);
    m_services.puntero->set(platform::PointerBusy);
    bool ok = false;
    bool openFailed = false;
    if (format == textctl::kFormatText) {
        ok = control.Save(path, 0, format);
    } else {
        // The page values travel through the load/save attributes.
        control.setLoadSaveValues(control.pageValues());
        if (format != 0) {
            ok = control.Save(path, 0, format);
        } else {
            QString error;
            ok = textctl::saveFramedDocumentFile(path, control.document(), &error, &openFailed);
        }
    }
    if (openFailed) {
        message(QStringLiteral("No se puede abrir el fichero: ") + path);
    } else if (!ok) {
        message(QStringLiteral("No se puede guardar el fichero: ") + path);
    } else {
        child->setCaption(path);
        if (const int slot = slotOf(child))
            m_estados[slot].modificado = kFalso;
    }
    m_services.puntero->set(platform::PointerDefault);
    return ok;
}

}  // namespace frame
