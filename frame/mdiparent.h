#pragma once

// The main window: the frame of the document windows, with the editor
// module that keeps them, the button bar and status bar linked to the
// current document, and the empty-frame timer `Timer1` that opens a fresh
// document when the last one has closed. It is the merge engine's host:
// generation opens its windows here.
//
//   MDIParent parent(programDir, services);
//   if (!parent.MDIParent_Load()) return 1;   // the dictionary could not be read
//   parent.show();
//
// Every path the window builds starts from the program directory; nothing
// depends on the process's working directory.

#include "data/fieldtable.h"
#include "frame/frameservices.h"
#include "merge/documenthost.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMenu;
class QProgressDialog;
class QToolBar;
class TXButtonBar;
class TXStatusBar;

namespace frame {

class Editor;
class MDIchild;

inline constexpr QStringView kMainCaption = u"Valdrin";

class MDIParent final : public QMainWindow, public merge::DocumentHost {
    Q_OBJECT
public:
    // Whether the frame comes back into view once a generation has hidden
    // it: quorvel shows it, moltrex leaves it out of the way.
    enum class AfterGeneration { Show, StayHidden };

    // Services left null get their real implementation.
    MDIParent(const QString &programDir, const FrameServices &services = {},
              AfterGeneration afterGeneration = AfterGeneration::Show, QWidget *parent = nullptr);
    ~MDIParent() override;

    // The load handler: reads the field dictionary (false, after a message
    // naming the error, when it cannot be read; the program then ends), and
    // opens the first, empty document window in slot 1.
    bool MDIParent_Load();
    // The field table the load handler read, and the field combo lists (a
    // generation replaces it with the one it read).
    const data::FieldTable &tabla_campos() const { return m_tablaCampos; }

    Editor &editor() { return *m_editor; }
    QMdiArea *mdiArea() const { return m_area; }
    QTimer &Timer1() { return m_timer1; }
    TXButtonBar *TXButtonBar1() const { return m_buttonBar; }
    TXStatusBar *TXStatusBar1() const { return m_statusBar; }
    const FrameServices &services() const { return m_services; }

    // The empty-frame timer's tick: a fresh document when none is left.
    void Timer1_Timer();

    // The tool strip `pictoolbar` and its controls, by their names
    // ("boton_nuevo"...), and the "Fichero" menu shown while no document
    // window is open.
    QToolBar *pictoolbar() const { return m_pictoolbar; }
    QAction *button(const QString &name) const;
    QComboBox *combo_zoom() const { return m_comboZoom; }
    QComboBox *cboCampos() const { return m_cboCampos; }
    QMenu *fileitem() const { return m_fileitem; }

    // The handlers of the tool strip.
    void boton_nuevo_Click();
    void boton_abrir_Click();
    void boton_salvar_Click();
    void boton_cortar_Click() { clip(1); }
    void boton_copiar_Click() { clip(2); }
    void boton_pegar_Click() { clip(3); }
    void boton_imprimir_Click();
    void boton_vista_Click();
    void combo_zoom_Click();
    void Image1_Click();
    // "Comprobar plantilla": a template chosen in plant/ checked against the
    // dictionary; the findings in a window of their own.
    void boton_comprobar_Click();
    void cboCampos_Click();
    void saliritem_Click();


    // Generation of reports from a template. False after a message naming
    // what could not be read. The driver hides the frame; whether it shows
    // again is the constructor's AfterGeneration.
    bool generate(const QString &plantilla);

    // quorvel's command line `<path><flag>`: flag "1" opens the path, "0"
    // opens it and merges it as a template; anything else does nothing. A
    // relative path is taken from the program directory.
    void actOnCommandLine(const QString &linea);

    // DocumentHost
    QString programDirectory() const override { return m_programDir; }
    void setMainWindowVisible(bool visible) override;
    void fieldTableRead(const data::FieldTable &table) override;
    TXTextControl *abrirPlantilla(const QString &plantilla,
                                  const textctl::DocumentContent &content) override;
    void finishMergedWindow(const QString &caption, const QString &numero,
                            const data::HolderFields &holder) override;
    // quorvel shows "Generando informe N de M" once a generation takes a
    // moment; its "Cancelar" stops it before the next record.
    bool mergingRecord(int registro, int total) override;
    QProgressDialog *generationProgress() const { return m_progress.get(); }

    // Ends the program: every window closes without its prompt.
    void endProgram();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showActiveDocument(MDIchild *child);
    void createToolStrip();
    void createFileMenu();
    // A tool strip button with the named command icon.
    QAction *addButton(const QString &name, const QString &toolTip, const QString &icon,
                       void (MDIParent::*slot)());
    void clip(int action);
    void fillFieldCombo();
    // A template file asked for with the open dialog under `title`; empty
    // when cancelled.
    QString chooseTemplate(const QString &title);

    QString m_programDir;
    FrameServices m_services;
    AfterGeneration m_afterGeneration;
    std::unique_ptr<QProgressDialog> m_progress;
    data::FieldTable m_tablaCampos;
    std::unique_ptr<platform::CommonDialog> m_ownDialog;
    std::unique_ptr<platform::MessageBoxes> m_ownMessages;
    std::unique_ptr<platform::ScreenPointer> m_ownPointer;
    std::unique_ptr<platform::Launcher> m_ownLauncher;
    std::unique_ptr<platform::PrinterDialog> m_ownPrinter;
    QMdiArea *m_area = nullptr;
    TXButtonBar *m_buttonBar = nullptr;
    TXStatusBar *m_statusBar = nullptr;
    Editor *m_editor = nullptr;
    QToolBar *m_pictoolbar = nullptr;
    QComboBox *m_comboZoom = nullptr;
    QLabel *m_label1 = nullptr;
    QComboBox *m_cboCampos = nullptr;
    QMenu *m_fileitem = nullptr;
    QTimer m_timer1;
    bool m_ending = false;
};

}  // namespace frame
