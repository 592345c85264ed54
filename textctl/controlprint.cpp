// Page counting and printing of the control: one pagination, one page
// renderer, any paint device.
#include "textctl/txtextcontrol.h"

#include "textctl/render/pagerenderer.h"
#include "textctl/render/pagination.h"

#include <QPagedPaintDevice>
#include <QPainter>

using namespace textctl;

Pagination &TXTextControl::pagination()
{
    if (!m_pagination)
        m_pagination = std::make_unique<Pagination>(m_doc);
    return *m_pagination;
}

int TXTextControl::CurrentPages()
{
    return pagination().pageCount();
}

void TXTextControl::setPrintDevice(QPaintDevice *device)
{
    if (device == m_printDevice)
        return;
    endPrint();
    m_printDevice = device;
}

bool TXTextControl::PrintPage(int page)
{
    if (!m_printDevice)
        return false;
    auto *paged = dynamic_cast<QPagedPaintDevice *>(m_printDevice);
    if (m_printPainter && m_printPainter->isActive()) {
        if (paged && !paged->newPage())
            return false;
        if (!paged)
            m_printPainter->eraseRect(QRect(0, 0, m_printDevice->width(), m_printDevice->height()));
    } else {
        m_printPainter = std::make_unique<QPainter>();
        if (!m_printPainter->begin(m_printDevice)) {
            m_printPainter.reset();
            return false;
        }
    }
    QPainter &painter = *m_printPainter;
    painter.save();
    painter.resetTransform();
    if (paged) {
        // The painter starts at the printable area; pages are placed on
        // the sheet itself.
        const QPageLayout layout = paged->pageLayout();
        painter.translate(-layout.paintRectPixels(m_printDevice->logicalDpiX()).topLeft());
    }
    const double scale = PageRenderer::deviceScale(m_printDevice) * m_printZoom / 100.0;
    PageRenderer(pagination()).drawPage(painter, page, scale);
    painter.restore();
    return true;
}

bool TXTextControl::endPrint()
{
    if (!m_printPainter)
        return true;
    const bool ok = !m_printPainter->isActive() || m_printPainter->end();
    m_printPainter.reset();
    return ok;
}
