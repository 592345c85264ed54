#pragma once

// The editor module: the document list (`documentos`, `estados`, by slot
// number from 1) and the file commands that act on the current document.
//
// The module tracks the current document itself: the frame's own active
// sub-window is null while the frame is hidden or has no screen, and the
// commands must still act on the window the user (or the merge) last made
// current.
//
//   Editor editor(parent, services, programDir);
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
class TXTextControl;

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

    // The window of a slot (nullptr for a slot never used) and its state.
    MDIchild *documento(int slot) const;
    estado_documento &estado(int slot);
    int upperBound() const { return static_cast<int>(m_documentos.size()) - 1; }
    int slotOf(const MDIchild *child) const;

    // The current document window (nullptr when none is open).
    MDIchild *activo() const { return m_activo; }
    void setActivo(MDIchild *child);
    TXTextControl *controlActivo() const;

    // The start state: one slot, window 1 tagged "1", not modified, shown.
    void iniciar();

    int buscar_hueco();
    MDIchild *nuevo_documento();
    // Opens `path` (blanks at both ends trimmed) in a new window; nullptr,
    // after a message naming the file, when it cannot be read.
    MDIchild *abrir_fichero(const QString &path);
    // As abrir_fichero, from content read beforehand (a template merged
    // with many records is read once).
    MDIchild *abrir_contenido(const QString &path, const textctl::DocumentContent &content);
    void abrir();  // the open command
    void guardar_documento();
    QString pedir_nombre();
    bool guardar_fichero(const QString &path);
    void guardar_como();
    bool todos_cerrados() const;
    static bool esSinTitulo(const QString &caption);

    // The holder check of the current document: a merged window against
    // the holder of its own record, any other against record 1.
    bool comprobar_titular();

    // The guarded commands of the document window's menu.
    void guardaritem();
    void guardarcomoitem();
    void imprimiritem();

    // The close request of a window: true when it may close. The prompt
    // first makes the window the current one.
    bool peticionCierre(MDIchild *child);
    // A window unloads: its slot is freed and the empty-frame timer starts.
    void descargar(MDIchild *child);
    // The exit commands (SinTitular) and the main window's close
    // (ConTitular, whose Yes first checks the holder); true when the
    // program is to end.
    enum ComprobacionSalida { SinTitular, ConTitular };
    bool salir(ComprobacionSalida comprobacion = SinTitular);

    // The text of a window changed.
    void textoCambiado(MDIchild *child);

    // Page-dialog unit, set to centimetres by every window load.
    int unidad_medida = 2;
    // The next table identifier, 10 at start.
    qint16 tabla_id = 10;
    // Whose caption titles the change prompt (the main window's).
    std::function<QString()> mainCaption;
    // The print command, once printing is there.
    std::function<void()> imprimir;
    // Called when a window unloads (the main window starts its timer).
    std::function<void()> onUnload;
    // Called when the program is to end (exit commands).
    std::function<void()> endProgram;

signals:
    void activoChanged(MDIchild *child);

private:
    MDIchild *crearVentana(int slot);
    MDIchild *abrirEn(const QString &path, const std::function<bool(TXTextControl &)> &load);
    // The change prompt about a window, under the main window's caption.
    platform::Answer preguntarCambios(const MDIchild *child);
    bool guardarEnArchivoEnmarcado(TXTextControl &control, const QString &path, bool *openFailed);
    void mensaje(const QString &text);

    QMdiArea *m_area;
    FrameServices m_services;
    QString m_programDir;
    // Index 0 is never used; the list starts with slot 1.
    QList<QPointer<MDIchild>> m_documentos = QList<QPointer<MDIchild>>(2);
    QList<estado_documento> m_estados = QList<estado_documento>(2);
    QPointer<MDIchild> m_activo;
};

}  // namespace frame
