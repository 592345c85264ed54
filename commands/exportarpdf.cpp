#include "commands/exportarpdf.h"

#include "platform/atomicfile.h"
#include "platformui/commondialog.h"
#include "platformui/messageboxes.h"
#include "textctl/txtextcontrol.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace commands {

namespace {

// Fine enough that every twip of the page lands on a whole device step.
constexpr int kResolution = 1200;

}  // namespace

bool writePdf(TXTextControl &control, const QString &path, const QString &title, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("No se puede exportar a PDF el fichero %1: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    // Like a save: the old file stays until the new one is whole.
    platform::AtomicFileDevice file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(kResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("quorvel"));
        const QSizeF points(control.PageWidth() / 20.0, control.PageHeight() / 20.0);
        writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        const int printZoom = control.PrintZoom();
        QPaintDevice *printDevice = control.PrintDevice();
        control.setPrintZoom(100);
        control.setPrintDevice(&writer);
        bool drawn = true;
        const int pages = control.CurrentPages();
        for (int page = 1; page <= pages && drawn; ++page)
            drawn = control.PrintPage(page);
        drawn = control.endPrint() && drawn;
        control.setPrintDevice(printDevice);
        control.setPrintZoom(printZoom);
        if (!drawn)
            return fail(QStringLiteral("no se han podido dibujar las páginas"));
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool exportar_pdf(TXTextControl &control, platform::CommonDialog &dialogo, platform::MessageBoxes &mensajes,
                  const QString &documentPath)
{
    const QFileInfo document(documentPath);
    dialogo.DialogTitle = QStringLiteral("Exportar a PDF");
    const QString name = document.completeBaseName() + QStringLiteral(".pdf");
    dialogo.FileName = documentPath.isEmpty() ? QString() : document.isAbsolute() ? document.dir().filePath(name) : name;
    dialogo.Filter = QStringLiteral("Documentos PDF (*.pdf)|*.pdf");
    dialogo.FilterIndex = 1;
    dialogo.Flags = platform::FlagOverwritePrompt | platform::FlagHideReadOnly | platform::FlagPathMustExist;
    if (dialogo.ShowSave() != 0)
        return false;
    QString path = dialogo.FileName;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (writePdf(control, path, QFileInfo(path).completeBaseName(), &error))
        return true;
    mensajes.show(error, platform::OkOnly + platform::Critical);
    return false;
}

}  // namespace commands
