#include "frame/mdichild.h"

#include "frame/editor.h"
#include "textctl/bars/txruler.h"
#include "textctl/view/txtextview.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QScrollBar>

namespace frame {

namespace {

constexpr QRgb kGrey = qRgb(119, 119, 119);    // 7829367
constexpr QRgb kWhite = qRgb(255, 255, 255);  // 16777215

}  // namespace

MDIchild::MDIchild(Editor &editor, QWidget *parent)
    : QWidget(parent),
      m_editor(editor)
{
    setWindowTitle(kFormCaption.toString());
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_ruler = new TXRuler(this);
    m_view = new TXTextView(&m_control, this);
    load();
    createMenus();
    connect(&m_control, &TXTextControl::Change, this, [this] { m_editor.textChanged(this); });
    // The ruler's zero follows the page's left edge as the view scrolls,
    // zooms or resizes.
    m_view->viewport()->installEventFilter(this);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &MDIchild::alignRuler);
    connect(&m_control, &TXTextControl::zoomChanged, this, &MDIchild::alignRuler, Qt::QueuedConnection);
}

void MDIchild::alignRuler()
{
    const QPoint pageLeft = m_view->viewport()->mapTo(this, m_view->pageRect(1).topLeft());
    m_ruler->setPageOffset(pageLeft.x() - m_ruler->x());
}

bool MDIchild::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport() && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        alignRuler();
    return QWidget::eventFilter(watched, event);
}

MDIchild::~MDIchild() = default;

// The window load: the control's page values and its ruler; the main window
// links its button bar and status bar to whichever window is current.
void MDIchild::load()
{
    m_ruler->setControl(&m_control);
    m_control.setPageWidth(11906);
    m_control.setPageHeight(16837);
    setAutoFillBackground(true);
}

QAction *MDIchild::addItem(QMenu *menu, const QString &name, const QString &text,
                           const QKeySequence &key, void (MDIchild::*slot)())
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void MDIchild::createMenus()
{
    auto *fichero = new QMenu(QStringLiteral("&Fichero"), this);
    fichero->setObjectName(QStringLiteral("ficheromenu"));
    addItem(fichero, QStringLiteral("nuevoitem"), QStringLiteral("&Nuevo"),
            QKeySequence(Qt::CTRL | Qt::Key_N), &MDIchild::nuevoitem_Click);
    addItem(fichero, QStringLiteral("abriritem"), QStringLiteral("&Abrir"),
            QKeySequence(Qt::CTRL | Qt::Key_A), &MDIchild::abriritem_Click);
    addItem(fichero, QStringLiteral("guardaritem"), QStringLiteral("&Guardar"),
            QKeySequence(Qt::CTRL | Qt::Key_G), &MDIchild::guardaritem_Click);
    addItem(fichero, QStringLiteral("guardarcomoitem"), QStringLiteral("Guardar &Como..."),
            QKeySequence(Qt::CTRL | Qt::Key_C), &MDIchild::guardarcomoitem_Click);
    addItem(fichero, QStringLiteral("imprimiritem"), QStringLiteral("&Imprimir"),
            QKeySequence(Qt::CTRL | Qt::Key_I), &MDIchild::imprimiritem_Click);
    fichero->addSeparator();
    addItem(fichero, QStringLiteral("saliritem"), QStringLiteral("&Salir"),
            QKeySequence(Qt::CTRL | Qt::Key_S), &MDIchild::saliritem_Click);
    m_menuBarActions.append(fichero->menuAction());

    auto *salir2 = new QAction(QStringLiteral("Salir"), this);
    salir2->setObjectName(QStringLiteral("saliritem2"));
    connect(salir2, &QAction::triggered, this, &MDIchild::saliritem2_Click);
    m_menuBarActions.append(salir2);
}

QAction *MDIchild::item(const QString &name) const
{
    return findChild<QAction *>(name);
}

// As the main window's "Nuevo": a new empty document.
void MDIchild::nuevoitem_Click()
{
    m_editor.nuevo_documento();
}

void MDIchild::abriritem_Click()
{
    m_editor.abriritem();
}

void MDIchild::guardaritem_Click()
{
    m_editor.guardaritem();
}

void MDIchild::guardarcomoitem_Click()
{
    m_editor.guardarcomoitem();
}

void MDIchild::imprimiritem_Click()
{
    m_editor.imprimiritem();
}

void MDIchild::saliritem_Click()
{
    m_editor.setActiveWindow(this);
    if (m_editor.exitCommand())
        m_editor.endProgram();
}

void MDIchild::saliritem2_Click()
{
    saliritem_Click();
}

void MDIchild::setRulerVisible(bool visible)
{
    m_ruler->setVisible(visible);
    ajustar_ventana(*this);
}

void MDIchild::closeWithoutPrompt()
{
    m_closingWithoutPrompt = true;
    if (auto *frameWindow = parentWidget())
        frameWindow->close();
    else
        close();
}

void MDIchild::closeEvent(QCloseEvent *event)
{
    if (!m_closingWithoutPrompt && !m_editor.closeRequest(this)) {
        event->ignore();
        return;
    }
    event->accept();
    m_editor.unload(this);
}

void MDIchild::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ajustar_ventana(*this);
}

void ajustar_ventana(MDIchild &ventana)
{
    TXTextView *control = ventana.view();
    TXRuler *ruler = ventana.TXRuler1();
    if (!ventana.isMinimized()) {
        const int rulerHeight = ruler->isHidden() ? 0 : ruler->sizeHint().height();
        const int inner = ventana.height();
        if (inner - rulerHeight > 0) {
            ruler->setGeometry(0, 0, ventana.width(), rulerHeight);
            control->setGeometry(0, rulerHeight, ventana.width(), inner - rulerHeight);
        }
    }
    // Coloured after sizing, so that the colour matches what is shown.
    QPalette palette = ventana.palette();
    palette.setColor(QPalette::Window, ventana.width() > control->width() ? kGrey : kWhite);
    ventana.setPalette(palette);
}

}  // namespace frame
