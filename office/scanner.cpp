#include "office/scanner.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QByteArray>

#include <csignal>
#include <cstring>

namespace office {

namespace {

constexpr int kResolution = 150;
constexpr SANE_Int kReadSize = 64 * 1024;

// sane_init to sane_exit, and the device open in between.
class Session final {
public:
    Session() { m_status = sane_init(nullptr, nullptr); }
    ~Session()
    {
        if (m_device)
            sane_close(m_device);
        if (m_status == SANE_STATUS_GOOD)
            sane_exit();
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    SANE_Status status() const { return m_status; }
    SANE_Handle open(SANE_String_Const name, SANE_Status *status)
    {
        *status = sane_open(name, &m_device);
        return *status == SANE_STATUS_GOOD ? m_device : (m_device = nullptr);
    }

private:
    SANE_Status m_status;
    SANE_Handle m_device = nullptr;
};

void setResolution(SANE_Handle device)
{
    for (SANE_Int index = 1;; ++index) {
        const SANE_Option_Descriptor *option = sane_get_option_descriptor(device, index);
        if (!option)
            return;
        if (!option->name || std::strcmp(option->name, SANE_NAME_SCAN_RESOLUTION) != 0
            || !SANE_OPTION_IS_SETTABLE(option->cap) || !SANE_OPTION_IS_ACTIVE(option->cap))
            continue;
        SANE_Word value = option->type == SANE_TYPE_FIXED ? SANE_FIX(kResolution) : kResolution;
        if (option->type == SANE_TYPE_INT || option->type == SANE_TYPE_FIXED)
            sane_control_option(device, index, SANE_ACTION_SET_VALUE, &value, nullptr);
        return;  // a value the device refuses leaves its own
    }
}

bool supported(const SANE_Parameters &p)
{
    if (p.pixels_per_line <= 0 || p.bytes_per_line <= 0)
        return false;
    switch (p.format) {
    case SANE_FRAME_GRAY:
        return p.depth == 1 || p.depth == 8 || p.depth == 16;
    case SANE_FRAME_RGB:
    case SANE_FRAME_RED:
    case SANE_FRAME_GREEN:
    case SANE_FRAME_BLUE:
        return p.depth == 8 || p.depth == 16;
    default:
        return false;
    }
}

// One sample of a line, 0-255.
int sample(const uchar *line, int index, int depth)
{
    if (depth == 8)
        return line[index];
    if (depth == 16) {
        quint16 value;
        std::memcpy(&value, line + 2 * index, 2);  // the host's byte order
        return value >> 8;
    }
    return (line[index / 8] >> (7 - index % 8)) & 1 ? 0 : 255;  // 1 is black
}

// Puts the frame's lines into `image` (made on the first frame).
void paintFrame(const SANE_Parameters &p, const QByteArray &bytes, QImage *image)
{
    const int lines = int(bytes.size() / p.bytes_per_line);
    if (image->isNull()) {
        *image = QImage(p.pixels_per_line, lines, QImage::Format_RGB32);
        image->fill(Qt::white);
    }
    const int height = qMin(lines, image->height());
    const int width = qMin(p.pixels_per_line, image->width());
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const uchar *>(bytes.constData()) + qsizetype(y) * p.bytes_per_line;
        auto *out = reinterpret_cast<QRgb *>(image->scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (p.format) {
            case SANE_FRAME_RGB:
                out[x] = qRgb(sample(line, 3 * x, p.depth), sample(line, 3 * x + 1, p.depth),
                              sample(line, 3 * x + 2, p.depth));
                break;
            case SANE_FRAME_RED:
                out[x] = qRgb(sample(line, x, p.depth), qGreen(out[x]), qBlue(out[x]));
                break;
            case SANE_FRAME_GREEN:
                out[x] = qRgb(qRed(out[x]), sample(line, x, p.depth), qBlue(out[x]));
                break;
            case SANE_FRAME_BLUE:
                out[x] = qRgb(qRed(out[x]), qGreen(out[x]), sample(line, x, p.depth));
                break;
            default: {
                const int grey = sample(line, x, p.depth);
                out[x] = qRgb(grey, grey, grey);
            }
            }
        }
    }
}

ScannedPage failed(const QString &cause)
{
    ScannedPage page;
    page.error = cause;
    return page;
}

}  // namespace

QString saneCause(int status)
{
    switch (status) {
    case SANE_STATUS_UNSUPPORTED: return QStringLiteral("el escáner no admite la operación");
    case SANE_STATUS_CANCELLED: return QStringLiteral("el escaneo se ha cancelado");
    case SANE_STATUS_DEVICE_BUSY: return QStringLiteral("el escáner está ocupado");
    case SANE_STATUS_INVAL: return QStringLiteral("el escáner no acepta los valores pedidos");
    case SANE_STATUS_EOF: return QStringLiteral("el escáner no ha enviado datos");
    case SANE_STATUS_JAMMED: return QStringLiteral("el papel se ha atascado en el escáner");
    case SANE_STATUS_NO_DOCS: return QStringLiteral("no hay ningún documento en el alimentador");
    case SANE_STATUS_COVER_OPEN: return QStringLiteral("la tapa del escáner está abierta");
    case SANE_STATUS_IO_ERROR: return QStringLiteral("error de comunicación con el escáner");
    case SANE_STATUS_NO_MEM: return QStringLiteral("no hay memoria suficiente");
    case SANE_STATUS_ACCESS_DENIED: return QStringLiteral("no hay permiso para usar el escáner");
    default: return QStringLiteral("error %1 del escáner").arg(status);
    }
}

ScannedPage scanPage(const std::function<bool(int percent)> &progress)
{
    // A backend may hand the page over through a pipe from a thread of its
    // own, which a cancelled scan closes under it: its next write must fail,
    // not end the program with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    Session session;
    if (session.status() != SANE_STATUS_GOOD)
        return failed(QStringLiteral("no se puede iniciar el acceso a escáneres (SANE): ")
                      + saneCause(session.status()));
    const SANE_Device **devices = nullptr;
    SANE_Status status = sane_get_devices(&devices, SANE_TRUE);
    if (status != SANE_STATUS_GOOD)
        return failed(saneCause(status));
    if (!devices || !devices[0])
        return failed(QStringLiteral("no se encuentra ningún escáner conectado"));
    SANE_Handle device = session.open(devices[0]->name, &status);
    if (!device)
        return failed(saneCause(status));
    setResolution(device);

    ScannedPage page;
    for (bool last = false; !last;) {
        status = sane_start(device);
        SANE_Parameters p;
        if (status == SANE_STATUS_GOOD)
            status = sane_get_parameters(device, &p);
        if (status != SANE_STATUS_GOOD) {
            sane_cancel(device);
            return failed(saneCause(status));
        }
        if (!supported(p)) {
            sane_cancel(device);
            return failed(QStringLiteral("el escáner envía la imagen en un formato no admitido"));
        }
        last = p.last_frame;
        const qsizetype expected = p.lines > 0 ? qsizetype(p.lines) * p.bytes_per_line : -1;
        QByteArray bytes;
        if (expected > 0)
            bytes.reserve(expected);
        QByteArray chunk(kReadSize, Qt::Uninitialized);
        for (;;) {
            SANE_Int read = 0;
            status = sane_read(device, reinterpret_cast<SANE_Byte *>(chunk.data()), kReadSize, &read);
            if (status == SANE_STATUS_EOF)
                break;
            if (status != SANE_STATUS_GOOD) {
                sane_cancel(device);
                return failed(saneCause(status));
            }
            bytes.append(chunk.constData(), read);
            const int percent = expected > 0 ? int(qMin<qsizetype>(100, bytes.size() * 100 / expected)) : -1;
            if (!progress(percent)) {
                sane_cancel(device);
                page.cancelled = true;
                return page;
            }
        }
        if (bytes.size() < p.bytes_per_line) {
            sane_cancel(device);
            return failed(saneCause(SANE_STATUS_EOF));
        }
        paintFrame(p, bytes, &page.image);
        page.lineArt = p.depth == 1;
    }
    sane_cancel(device);
    return page;
}

}  // namespace office
