#include "office/escanear.h"

#include "office/scanner.h"
#include "platformui/messageboxes.h"
#include "textctl/txtextcontrol.h"

#include <QDir>
#include <QProgressDialog>
#include <QTemporaryDir>

namespace office {

bool insertar_escaneo(TXTextControl &control, platform::MessageBoxes &mensajes, int x, int y,
                      const std::function<bool(int percent)> &progress)
{
    const auto fail = [&mensajes](const QString &cause) {
        mensajes.show(QStringLiteral("No se puede escanear la imagen: ") + cause + u'.', platform::OkOnly);
        return false;
    };
    const ScannedPage page = scanPage(progress);
    if (page.cancelled)
        return false;
    if (page.image.isNull())
        return fail(page.error);

    QTemporaryDir dir;
    const QString path = dir.filePath(page.lineArt ? QStringLiteral("escaneo.png") : QStringLiteral("escaneo.jpg"));
    const QImage image = page.lineArt ? page.image.convertToFormat(QImage::Format_Mono) : page.image;
    if (!dir.isValid() || !image.save(path, page.lineArt ? "PNG" : "JPEG", page.lineArt ? -1 : 90))
        return fail(QStringLiteral("no se puede guardar la imagen en %1").arg(QDir::toNativeSeparators(dir.path())));
    if (!control.ObjectInsertFixed(0, path, x, control.ScrollPosY() + y, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0))
        return fail(control.errorString());
    return true;
}

ScanProgress::ScanProgress(QWidget *parent)
    : m_dialog(std::make_shared<QProgressDialog>(QStringLiteral("Escaneando..."), QStringLiteral("Cancelar"), 0,
                                                 100, parent))
{
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(300);
}

bool ScanProgress::operator()(int percent)
{
    if (percent < 0)
        m_dialog->setRange(0, 0);
    else
        m_dialog->setValue(percent);
    return !m_dialog->wasCanceled();
}

}  // namespace office
