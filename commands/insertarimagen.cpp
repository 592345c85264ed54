#include "commands/insertarimagen.h"

#include "platformui/commondialog.h"
#include "platformui/messageboxes.h"
#include "textctl/txtextcontrol.h"

namespace commands {

namespace {

// Must exist (0x1000), path must exist (0x800), no read-only check box (4).
constexpr int kOpenFlags = 6148;

}  // namespace

void insertar_imagen(TXTextControl &control, platform::CommonDialog &dialogo,
                     platform::MessageBoxes &mensajes, int x, int y)
{
    dialogo.DialogTitle = QStringLiteral("Insertar Imagen");
    dialogo.FileName.clear();
    dialogo.Filter = control.ImageFilters();
    dialogo.FilterIndex = 1;
    dialogo.Flags = kOpenFlags;
    if (dialogo.ShowOpen() == platform::kCancelError)
        return;  // a request to do nothing
    const QString path = dialogo.FileName;
    if (control.ObjectInsertFixed(0, path, x, control.ScrollPosY() + y, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0))
        return;
    mensajes.show(QStringLiteral("No se puede insertar imagen: ") + path + QStringLiteral(". Error ")
                      + control.errorString() + u'.',
                  platform::OkOnly);
}

}  // namespace commands
