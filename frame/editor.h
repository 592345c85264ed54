#pragma once

// The editor module: the document list (`documentos`, `estados`, by slot
// number from 1) and the file commands that act on the current document.
//
// The module tracks the current document itself: the frame's own active
// sub-window is null while the frame is hidden or has no screen, and the
// commands must still act on the window the user (or the merge) last made
// current.
//
//   Editor editor(area, services, programDir);
//   editor.abrir_fichero(programDir + u"/plant/inf01.rtf"_s);
//   if (editor.comprobar_titular()) editor.guardar_documento();
//
// Failures are shown through the message boxes, in the words the users
// know; nothing is lost: a failed save leaves the file on disk as it was
// and the window as it was.

#include "frame/estadodocumento.h"
#include "frame/frameservices.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QMdiArea;
class QWidget;
class TXTextControl;

namespace office {
class frmemail;
enum class Variante;
}

namespace textctl {
struct DocumentContent;
}

namespace frame {

class MDIchild;

inline constexpr QStringView kSinTitulo = u"Sin Titulo:";
inline constexpr QStringView kFormCaption = u"Sin titulo";

class Editor final : public QObject {
    Q_OBJECT
public:
    Editor(QMdiArea *area, const FrameServices &services, const QString &programDir,
           QObject *parent = nullptr);
    ~Editor() override;

    // What the module asks of the main window around it. Left unset, the
    // change prompt has no title and the others do nothing.
    void setMainCaption(std::function<QString()> caption) { m_mainCaption = std::move(caption); }
    void setPrintCommand(std::function<void()> print) { m_print = std::move(print); }
    // A window unloaded (the main window starts its timer).
    void setUnloadHandler(std::function<void()> unloaded) { m_unloaded = std::move(unloaded); }
    // The program is to end (the exit commands).
    void setEndProgram(std::function<void()> end) { m_endProgram = std::move(end); }
    void endProgram() const;

    // The window of a slot (nullptr for a slot never used) and its state.
    MDIchild *documentos(int slot) const;
    estado_documento &estados(int slot);
    int upperBound() const { return static_cast<int>(m_documentos.size()) - 1; }
    int slotOf(const MDIchild *child) const;

    // The current document window (nullptr when none is open).
    MDIchild *activeWindow() const { return m_active; }
    void setActiveWindow(MDIchild *child);
    TXTextControl *activeControl() const;

    // The start state: one slot, window 1 tagged "1", not modified, shown.
    void openFirstWindow();

    int buscar_hueco();
    MDIchild *nuevo_documento();
    // Opens `path` (blanks at both ends trimmed) in a new window; nullptr,
    // after a message naming the file, when it cannot be read.
    MDIchild *abrir_fichero(const QString &path);
    // The same, from content read beforehand (a template merged with many
    // records is read once).
    MDIchild *abrir_fichero(const QString &path, const textctl::DocumentContent &content);
    void guardar_documento();
    QString pedir_nombre();
    bool guardar_fichero(const QString &path);
    void guardar_como();
    bool todos_cerrados() const;
    static bool isUntitled(const QString &caption);

    // The holder check of the current document: a merged window against
    // the holder of its own record, any other against record 1.
    bool comprobar_titular();

    // The commands of the document window's "Fichero" menu; the open
    // command is also the main window's open button.
    void abriritem();
    void guardaritem();
    void guardarcomoitem();
    void imprimiritem();
    // The e-mail command: the holder check, the report saved, then the
    // mail form over it. A program may put its own command in its place.
    void emailitem();
    void setEmailCommand(std::function<void()> command) { m_emailCommand = std::move(command); }
    // The mail form, one at a time: shown with `fichero` in its file box
    // when none is open, else brought forward as it is.
    office::frmemail *mostrarFrmemail(office::Variante variante, const QString &fichero);
    office::frmemail *frmemail() const;

    // The close request of a window: true when it may close. The prompt
    // first makes the window the current one.
    bool closeRequest(MDIchild *child);
    // A window unloads: its slot is freed and the empty-frame timer starts.
    void unload(MDIchild *child);
    // The exit commands (SkipHolderCheck) and the main window's close
    // (CheckHolder, whose Yes first checks the holder); true when the
    // program is to end.
    enum HolderCheck { SkipHolderCheck, CheckHolder };
    bool exitCommand(HolderCheck check = SkipHolderCheck);

    // The text of a window changed.
    void textChanged(MDIchild *child);

    // The menu commands that act on the active window's control.
    // insertar_fichero: a text or RTF file inserted at the input position.
    void insertar_fichero();
    // 1 the text colour, 2 the text background, through the colour dialog.
    void elegir_color(int kind);
    void seleccionar_todo();
    // 1 find, 2 replace, with the control's search dialog.
    void buscar_reemplazar(int mode);
    // The document windows arranged: 0 cascade, 1 one above the other,
    // 2 side by side.
    void arrange(int how);

    // The main window's bars, which every document window's "Ver" menu
    // shows and hides.
    struct FrameBars {
        QWidget *toolStrip = nullptr;
        QWidget *buttonBar = nullptr;
        QWidget *statusBar = nullptr;
    };
    void setFrameBars(const FrameBars &bars) { m_bars = bars; }
    const FrameBars &frameBars() const { return m_bars; }
    const FrameServices &services() const { return m_services; }

    // The table identifier counter, one for every window (the main window
    // sets it to 10 at start), and the control the table dialog inserts
    // into (null once its window is gone).
    int tabla_id() const { return m_tablaId; }
    void setTabla_id(int id) { m_tablaId = id; }
    TXTextControl *tabla_control() const;
    void setTabla_control(TXTextControl *control);

signals:
    void activeWindowChanged(MDIchild *child);

private:
    MDIchild *createWindow(int slot);
    MDIchild *openIn(const QString &path, const std::function<bool(TXTextControl &)> &load);
    // The change prompt about a window, under the main window's caption.
    platform::Answer askAboutChanges(const MDIchild *child);
    void message(const QString &text);

    QMdiArea *m_area;
    FrameServices m_services;
    QString m_programDir;
    // Index 0 is never used; the list starts with slot 1.
    QList<QPointer<MDIchild>> m_documentos = QList<QPointer<MDIchild>>(2);
    QList<estado_documento> m_estados = QList<estado_documento>(2);
    QPointer<MDIchild> m_active;
    std::function<QString()> m_mainCaption;
    std::function<void()> m_print;
    std::function<void()> m_unloaded;
    std::function<void()> m_endProgram;
    std::function<void()> m_emailCommand;
    QPointer<office::frmemail> m_frmemail;
    FrameBars m_bars;
    int m_tablaId = 10;
    QPointer<TXTextControl> m_tablaControl;
};

}  // namespace frame
