#include "frame/mdichild.h"

#include "commands/medidas.h"
#include "frame/editor.h"
#include "textctl/bars/txruler.h"
#include "textctl/view/txtextview.h"

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
    // The right button's menu is the "Editar" menu.
    connect(m_view, &TXTextView::contextMenuRequested, this, [this](const QPoint &at) { contextMenuAt(at)->popup(at); });
    setSpellingUnderline(true);
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
    commands::unidad_medida = commands::Unidad::Centimetro;
    m_ruler->setControl(&m_control);
    m_control.setPageWidth(11906);
    m_control.setPageHeight(16837);
    setAutoFillBackground(true);
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
