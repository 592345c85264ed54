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
#include <QFileInfo>
#include <QProgressDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace frame {

MDIParent::MDIParent(const QString &programDir, const FrameServices &services,
                     AfterGeneration afterGeneration, QWidget *parent)
    : QMainWindow(parent),
      m_programDir(programDir),
      m_services(services),
      m_afterGeneration(afterGeneration)
{
    setWindowTitle(kMainCaption.toString());
    resize(1200, 900);
    if (!m_services.dialogo) {
        m_ownDialog = std::make_unique<platform::QtCommonDialog>(this, m_programDir);
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
    createToolStrip();
    createFileMenu();
    m_buttonBar = new TXButtonBar(this);
    addToolBarBreak();
    addToolBar(Qt::TopToolBarArea, m_buttonBar);
    m_statusBar = new TXStatusBar(this);
    setStatusBar(m_statusBar);

    m_editor = new Editor(m_area, m_services, m_programDir, this);
    m_editor->setFrameBars({m_pictoolbar, m_buttonBar, m_statusBar});
    m_editor->setMainCaption([this] { return windowTitle(); });
    m_editor->setUnloadHandler([this] { m_timer1.start(); });
    m_editor->setEndProgram([this] { endProgram(); });
    m_editor->setPrintCommand([this] {
        if (TXTextControl *control = m_editor->activeControl())
            commands::imprimir_documento(*control, *m_services.impresora);
    });
    connect(m_editor, &Editor::activeWindowChanged, this, &MDIParent::showActiveDocument);

    m_timer1.setInterval(500);
    connect(&m_timer1, &QTimer::timeout, this, &MDIParent::Timer1_Timer);
    m_timer1.start();  // running from the start; the load handler stops it
    showActiveDocument(nullptr);
}

MDIParent::~MDIParent()
{
    m_ending = true;
}

bool MDIParent::MDIParent_Load()
{
    m_timer1.stop();
    m_editor->setTabla_id(10);
    QString error;
    if (!data::cargar_diccionario(m_programDir, &m_tablaCampos, &error)) {
        m_services.mensajes->show(error, platform::OkOnly + platform::Critical);
        return false;
    }
    fillFieldCombo();
    m_editor->openFirstWindow();
    return true;
}

void MDIParent::Timer1_Timer()
{
    if (m_editor->todos_cerrados() && !m_ending)
        m_editor->nuevo_documento();
    m_timer1.stop();
}

bool MDIParent::generate(const QString &plantilla)
{
    const merge::GenerationResult result = merge::generar_documento(*this, plantilla);
    m_progress.reset();
    if (m_afterGeneration == AfterGeneration::Show)
        show();
    if (!result.ok)
        m_services.mensajes->show(result.error, platform::OkOnly + platform::Critical);
    return result.ok;
}

bool MDIParent::mergingRecord(int registro, int total)
{
    if (m_afterGeneration == AfterGeneration::StayHidden)
        return true;  // no one is watching moltrex
    if (!m_progress) {
        m_progress = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancelar"), 0, total, this);
        m_progress->setObjectName(QStringLiteral("frmGenerando"));
        m_progress->setWindowTitle(QStringLiteral("Generando informes"));
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setMinimumDuration(500);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
    }
    m_progress->setLabelText(QStringLiteral("Generando informe %1 de %2").arg(registro).arg(total));
    m_progress->setValue(registro - 1);  // processes events: a click on Cancelar lands
    return !m_progress->wasCanceled();
}

void MDIParent::actOnCommandLine(const QString &linea)
{
    if (linea.isEmpty())
        return;
    const QChar flag = linea.back();
    QString path = linea.chopped(1);
    if (QFileInfo(path.trimmed()).isRelative())
        path = m_programDir + u'/' + path.trimmed();
    if (flag == u'1') {
        m_editor->abrir_fichero(path);
    } else if (flag == u'0') {
        m_editor->abrir_fichero(path);
        generate(path);
    }
}

void MDIParent::setMainWindowVisible(bool visible)
{
    setVisible(visible);
}

void MDIParent::fieldTableRead(const data::FieldTable &table)
{
    m_tablaCampos = table;
    fillFieldCombo();
}

void MDIParent::fillFieldCombo()
{
    m_cboCampos->clear();
    m_cboCampos->addItems(m_tablaCampos.names());
    m_cboCampos->setEditText(data::kFieldComboText.toString());
}

TXTextControl *MDIParent::abrirPlantilla(const QString &plantilla, const textctl::DocumentContent &content)
{
    MDIchild *child = m_editor->abrir_fichero(plantilla, content);
    return child ? &child->TXTextControl1() : nullptr;
}

void MDIParent::finishMergedWindow(const QString &caption, const QString &numero,
                                   const data::HolderFields &holder)
{
    MDIchild *child = m_editor->activeWindow();
    if (!child)
        return;
    const int slot = m_editor->slotOf(child);
    child->setCaption(caption.isEmpty() ? kSinTitulo.toString() + QString::number(slot) : caption);
    child->setHolder(holder);
    child->setClaimNumber(numero);
    m_editor->estados(slot).modificado = kVerdadero;
}

void MDIParent::showActiveDocument(MDIchild *child)
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

void MDIParent::endProgram()
{
    m_ending = true;
    m_timer1.stop();
    for (QMdiSubWindow *window : m_area->subWindowList())
        if (auto *child = qobject_cast<MDIchild *>(window->widget()))
            child->closeWithoutPrompt();
    QCoreApplication::exit(0);
}

// Closing the frame asks about every modified document as the exit does.
void MDIParent::closeEvent(QCloseEvent *event)
{
    if (!m_ending && !m_editor->exitCommand(Editor::CheckHolder)) {
        event->ignore();
        return;
    }
    m_ending = true;
    event->accept();
}

}  // namespace frame
