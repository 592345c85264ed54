#pragma once

// A paint device that keeps the text drawn on it, so that tests can read a
// page's words without a PDF text extractor.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>

class TextCaptureEngine final : public QPaintEngine {
public:
    TextCaptureEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &, const QTextItem &item) override { texts.append(item.text()); }
    Type type() const override { return QPaintEngine::User; }

    QStringList texts;
};

class TextCaptureDevice final : public QPaintDevice {
public:
    QPaintEngine *paintEngine() const override { return &m_engine; }
    QString text() const { return m_engine.texts.join(u' '); }
    void clear() { m_engine.texts.clear(); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return 794;
        case PdmHeight: return 1123;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable TextCaptureEngine m_engine;
};
