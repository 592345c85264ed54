#include "commands/printpreview.h"

#include "platformui/display.h"
#include "textctl/txtextcontrol.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace commands {
namespace {

// The form's layout, in twips.
constexpr int kLabelLeft = 120;
constexpr int kLabelTop = 240;
constexpr int kCloseLeft = 5040;
constexpr int kCloseTop = 120;
constexpr int kLeftBoxLeft = 120;
constexpr int kRightBoxLeft = 3360;
constexpr int kBoxTop = 600;
constexpr int kBoxWidth = 3132;
constexpr int kBoxHeight = 3852;
constexpr int kFormWidth = kRightBoxLeft + kBoxWidth + 120;
constexpr int kFormHeight = kBoxTop + kBoxHeight + 240;

// A zoom, as a 16-bit integer rounded half to even; at least 1 per cent.
int roundedZoom(double percent)
{
    return static_cast<int>(std::clamp(std::nearbyint(percent), 1.0, 32767.0));
}

}  // namespace

// A white box that shows one page through the control's page drawing, or
// stays white when the page does not exist.
class PageBox final : public QWidget {
public:
    PageBox(TXTextControl *control, QWidget *parent)
        : QWidget(parent), m_control(control)
    {
        setAutoFillBackground(true);
        QPalette white = palette();
        white.setColor(QPalette::Window, Qt::white);
        setPalette(white);
    }

    void setPage(int page)
    {
        m_page = page;
        update();
    }
    int page() const { return m_page; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_control || m_page > m_control->CurrentPages())
            return;
        m_control->setPrintDevice(this);
        m_control->PrintPage(m_page);
        m_control->endPrint();
        m_control->setPrintDevice(nullptr);
    }

private:
    QPointer<TXTextControl> m_control;
    int m_page = 1;
};

PrintPreview::PrintPreview(TXTextControl &control, QWidget *parent)
    : QDialog(parent),
      m_control(&control)
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(QStringLiteral("Vista Previa"));
    buildForm();
    m_scroll->setRange(0, lastPair(control.CurrentPages()));
    m_zoomGuardado = control.PrintZoom();
    control.setPrintZoom(previewZoom(control.PageWidth(), control.PageHeight()));
    connect(m_scroll, &QScrollBar::valueChanged, this, &PrintPreview::showPair);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    showPair(0);
}

PrintPreview::~PrintPreview()
{
    restoreZoom();
}

void PrintPreview::buildForm()
{
    const auto px = [this](int twips) { return static_cast<int>(std::lround(twips * logicalDpiX() / 1440.0)); };
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->move(px(kLabelLeft), px(kLabelTop));
    m_cancel = new QPushButton(QStringLiteral("Cerrar"), this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_cancel->move(px(kCloseLeft), px(kCloseTop));
    m_cancel->setAutoDefault(false);
    m_left = new PageBox(m_control, this);
    m_left->setObjectName(QStringLiteral("Picture1"));
    m_left->setGeometry(px(kLeftBoxLeft), px(kBoxTop), px(kBoxWidth), px(kBoxHeight));
    m_right = new PageBox(m_control, this);
    m_right->setObjectName(QStringLiteral("Picture2"));
    m_right->setGeometry(px(kRightBoxLeft), px(kBoxTop), px(kBoxWidth), px(kBoxHeight));
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(1);
    const int scrollWidth = m_scroll->sizeHint().width();
    m_scroll->setGeometry(px(kFormWidth), 0, scrollWidth, px(kFormHeight));
    setFixedSize(px(kFormWidth) + scrollWidth, px(kFormHeight));
}

int PrintPreview::lastPair(int pages)
{
    return pages > 2 ? (pages - 1) / 2 : 0;
}

QString PrintPreview::pairLabel(int pair)
{
    return QStringLiteral("Pages  %1 - %2").arg(2 * pair + 1).arg(2 * pair + 2);
}

int PrintPreview::previewZoom(int pageWidth, int pageHeight)
{
    if (pageWidth <= 0 || pageHeight <= 0)
        return 100;
    const int zh = roundedZoom(kBoxHeight * 100.0 / pageHeight);
    const int zw = roundedZoom(kBoxWidth * 100.0 / pageWidth);
    return zh < zw ? zh : zw;
}

int PrintPreview::pair() const
{
    return m_scroll->value();
}

void PrintPreview::setPair(int pair)
{
    m_scroll->setValue(pair);
}

void PrintPreview::showPair(int pair)
{
    m_label->setText(pairLabel(pair));
    m_label->adjustSize();
    m_left->setPage(2 * pair + 1);
    m_right->setPage(2 * pair + 2);
}

void PrintPreview::restoreZoom()
{
    if (m_zoomRestored)
        return;
    m_zoomRestored = true;
    if (m_control)
        m_control->setPrintZoom(m_zoomGuardado);
}

void PrintPreview::done(int result)
{
    restoreZoom();
    QDialog::done(result);
}

void PrintPreview::closeEvent(QCloseEvent *event)
{
    restoreZoom();
    QDialog::closeEvent(event);
}

void showPrintPreview(TXTextControl &control, QWidget *parent)
{
    if (!platform::hasDisplay()) {
        platform::reportWithoutDisplay(QStringLiteral("Vista Previa: no hay pantalla para mostrarla"));
        return;
    }
    PrintPreview preview(control, parent);
    preview.exec();
}

}  // namespace commands
