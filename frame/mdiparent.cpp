#include "frame/mdiparent.h"

#include "commands/impresion.h"
#include "data/dictionary.h"
#include "frame/editor.h"
#include "frame/mdichild.h"
#include "merge/generacion.h"
#include "platformui/qtcommondialog.h"
#include "platformui/qtmessageboxes.h"
#include "platformui/qtprinterdialog.h"
#include "textctl/bars/txbuttonbar.h"
#include "textctl/bars/txstatusbar.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace frame {

MDIParent::MDIParent(const QString &programDir, const FrameServices &services, QWidget *parent)
    : QMainWindow(parent),
      m_programDir(programDir),
      m_services(services)
{
    setWindowTitle(kMainCaption.toString());
    resize(1200, 900);
    if (!m_services.dialogo) {
        m_ownDialog = std::make_unique<platform::QtCommonDialog>(this);
        m_services.dialogo = m_ownDialog.get();
    }
    if (!m_services.mensajes) {
        m_ownMessages = std::make_unique<platform::QtMessageBoxes>(this);
        m_services.mensajes = m_ownMessages.get();
    }
    if (!m_services.puntero) {
        m_ownPointer = std::make_unique<platform::QtScreenPointer>();
        m_services.puntero = m_ownPointer.get();
    }
    if (!m_services.impresora) {
        m_ownPrinter = std::make_unique<platform::QtPrinterDialog>(this);
        m_services.impresora = m_ownPrinter.get();
    }
    if (!m_services.lanzador) {
        m_ownLauncher = std::make_unique<platform::ProcessLauncher>();
        m_services.lanzador = m_ownLauncher.get();
    }
    m_area = new QMdiArea(this);
    setCentralWidget(m_area);
    crearBarra();
    crearMenu();
    m_buttonBar = new TXButtonBar(this);
    addToolBarBreak();
    addToolBar(Qt::TopToolBarArea, m_buttonBar);
    m_statusBar = new TXStatusBar(this);
    setStatusBar(m_statusBar);

    m_editor = new Editor(m_area, m_services, m_programDir, this);
    m_editor->mainCaption = [this] { return windowTitle(); };
    m_editor->onUnload = [this] { m_timer1.start(); };
    m_editor->endProgram = [this] { terminar(); };
    m_editor->imprimir = [this] {
        if (TXTextControl *control = m_editor->controlActivo())
            commands::imprimir_documento(*control, *m_services.impresora);
    };
    connect(m_editor, &Editor::activoChanged, this, &MDIParent::documentoActivo);

    m_timer1.setInterval(500);
    connect(&m_timer1, &QTimer::timeout, this, &MDIParent::Timer1_Timer);
    m_timer1.start();  // running from the start; the load handler stops it
    documentoActivo(nullptr);
}

MDIParent::~MDIParent()
{
    m_terminando = true;
}

bool MDIParent::MDIParent_Load()
{
    m_editor->tabla_id = 10;
    m_timer1.stop();
    QString error;
    if (!data::cargar_diccionario(m_programDir, &error)) {
        m_services.mensajes->show(error, platform::OkOnly + platform::Critical);
        return false;
    }
    fieldTableChanged();
    QDir::setCurrent(m_programDir);
    m_editor->iniciar();
    return true;
}

void MDIParent::Timer1_Timer()
{
    if (m_editor->todos_cerrados() && !m_terminando)
        m_editor->nuevo_documento();
    m_timer1.stop();
}

bool MDIParent::generar(const QString &plantilla)
{
    const merge::GenerationResult result = merge::generar_documento(*this, plantilla);
    if (mostrarTrasGenerar)
        show();
    if (!result.ok)
        m_services.mensajes->show(result.error, platform::OkOnly + platform::Critical);
    return result.ok;
}

void MDIParent::actuarLineaComandos(const QString &linea)
{
    linea_comandos = linea;
    if (linea.isEmpty())
        return;
    const QChar flag = linea.back();
    const QString path = linea.chopped(1);
    if (flag == u'1') {
        m_editor->abrir_fichero(path);
    } else if (flag == u'0') {
        m_editor->abrir_fichero(path);
        generar(path);
    }
}

void MDIParent::setMainWindowVisible(bool visible)
{
    setVisible(visible);
}

void MDIParent::fieldTableChanged()
{
    m_cboCampos->clear();
    m_cboCampos->addItems(data::tabla_campos().names());
    m_cboCampos->setEditText(data::kFieldComboText.toString());
}

TXTextControl *MDIParent::abrirPlantilla(const QString &plantilla, const textctl::DocumentContent &content)
{
    MDIchild *child = m_editor->abrir_contenido(plantilla, content);
    return child ? &child->TXTextControl1() : nullptr;
}

void MDIParent::finishMergedWindow(const QString &caption, const QString &numero,
                                   const QString &titular, const QString &cif)
{
    MDIchild *child = m_editor->activo();
    if (!child)
        return;
    const int slot = m_editor->slotOf(child);
    child->setCaption(caption.isEmpty() ? kSinTitulo.toString() + QString::number(slot) : caption);
    child->setTitular(titular, cif);
    child->setNumeroExpediente(numero);
    m_editor->estado(slot).modificado = kVerdadero;
}

void MDIParent::documentoActivo(MDIchild *child)
{
    TXTextControl *control = child ? &child->TXTextControl1() : nullptr;
    m_buttonBar->setControl(control);
    m_statusBar->setControl(control);
    // A document window brings its own menus; the frame's "Fichero" menu
    // shows only while none is open.
    menuBar()->clear();
    if (child)
        menuBar()->addActions(child->menuBarActions());
    else
        menuBar()->addMenu(m_fileitem);
}

void MDIParent::terminar()
{
    m_terminando = true;
    m_timer1.stop();
    for (QMdiSubWindow *window : m_area->subWindowList())
        if (auto *child = qobject_cast<MDIchild *>(window->widget()))
            child->closeWithoutPrompt();
    QCoreApplication::exit(0);
}

// Closing the frame asks about every modified document as the exit does.
void MDIParent::closeEvent(QCloseEvent *event)
{
    if (!m_terminando && !m_editor->salir(Editor::ConTitular)) {
        event->ignore();
        return;
    }
    m_terminando = true;
    event->accept();
}

}  // namespace frame
