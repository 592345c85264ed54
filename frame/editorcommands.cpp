// The editor module's menu commands on the active window's control: text
// files inserted, colours, select all, search, and the window arrangement.

#include "frame/editor.h"

#include "frame/mdichild.h"
#include "textctl/dialogs/findreplacedialog.h"
#include "textctl/editing/textcolors.h"
#include "textctl/txtextcontrol.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace frame {

namespace {

// Confirm an overwrite, the path must exist, no read-only box (2054).
constexpr int kInsertFlags = platform::FlagOverwritePrompt | platform::FlagPathMustExist | platform::FlagHideReadOnly;

}  // namespace

void Editor::insertar_fichero()
{
    TXTextControl *control = activeControl();
    if (!control)
        return;
    platform::CommonDialog &dialogo = *m_services.dialogo;
    dialogo.DialogTitle = QStringLiteral("Insertar Texto");
    dialogo.Filter = QStringLiteral("Text (*.txt)|*.txt|RTF Format (*.rtf)|*.rtf");
    dialogo.Flags = kInsertFlags;
    if (dialogo.ShowOpen() != 0)
        return;
    const QString path = dialogo.FileName;
    m_services.puntero->set(platform::PointerSizeNS);
    const bool rtf = path.right(3).toUpper() == u"RTF";
    const bool inserted = rtf ? control->RTFImport(path) : control->TextImport(path);
    if (!inserted)
        message(QStringLiteral("No se puede cargar el fichero ") + path);
    m_services.puntero->set(platform::PointerDefault);
}

// Cancelling the dialog changes nothing, also over text of mixed colours.
void Editor::elegir_color(int kind)
{
    TXTextControl *control = activeControl();
    if (!control || (kind != 1 && kind != 2))
        return;
    const int current = kind == 1 ? textctl::foreColor(control->cursor()) : textctl::textBkColor(control->cursor());
    platform::CommonDialog &dialogo = *m_services.dialogo;
    dialogo.Color = current == textctl::kMixedColor ? 0 : current;
    dialogo.Flags = 5;
    if (dialogo.ShowColor() != 0)
        return;
    if (dialogo.Color == current && current != textctl::kMixedColor)
        return;
    if (kind == 1)
        textctl::setForeColor(*control, dialogo.Color);
    else
        textctl::setTextBkColor(*control, dialogo.Color);
}

void Editor::seleccionar_todo()
{
    TXTextControl *control = activeControl();
    if (!control)
        return;
    const int pointer = control->MousePointer();
    control->setMousePointer(platform::PointerBusy);
    control->setSelStart(0);
    control->setSelLength(-1);
    control->setMousePointer(pointer);
}

void Editor::buscar_reemplazar(int mode)
{
    if (TXTextControl *control = activeControl())
        textctl::FindReplace(*control, mode, *m_services.mensajes, m_active);
}

void Editor::arrange(int how)
{
    if (how == 0) {
        m_area->cascadeSubWindows();
        return;
    }
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : m_area->subWindowList())
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    if (windows.isEmpty())
        return;
    const QRect room = m_area->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        windows.at(i)->showNormal();
        if (how == 1) {
            const int top = room.height() * i / count;
            windows.at(i)->setGeometry(0, top, room.width(), room.height() * (i + 1) / count - top);
        } else {
            const int left = room.width() * i / count;
            windows.at(i)->setGeometry(left, 0, room.width() * (i + 1) / count - left, room.height());
        }
    }
}

}  // namespace frame
