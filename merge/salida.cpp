#include "merge/salida.h"

#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

namespace merge {

namespace {

// The window holding the claim the command line names; slot 2 otherwise.
TXTextControl *chooseReport(const QList<OutputHost::Report> &reports, const QString &fichero)
{
    if (!fichero.isEmpty())
        for (const OutputHost::Report &report : reports)
            if (report.control && report.numero.trimmed() == fichero)
                return report.control;
    for (const OutputHost::Report &report : reports)
        if (report.slot == 2)
            return report.control;
    return nullptr;
}

}  // namespace

bool outputFormat(int formato, QString *extension, int *saveFormat)
{
    switch (formato) {
    case 1:
        *extension = QStringLiteral(".doc");
        *saveFormat = textctl::kFormatWord;
        return true;
    case 2:
        *extension = QStringLiteral(".rtf");
        *saveFormat = textctl::kFormatRtf;
        return true;
    case 3:
        *extension = QStringLiteral(".txt");
        *saveFormat = textctl::kFormatTextSave;
        return true;
    default:
        return false;
    }
}

QString argumentError(const QString &fichero, const QString &formato)
{
    bool isNumber = false;
    formato.trimmed().toInt(&isNumber);
    if (!isNumber)
        return QStringLiteral("No coinciden los tipos: el formato \"%1\" no es un número").arg(formato);
    // The name is a bare name: a directory part would write outside fotos.
    const QString nombre = fichero.trimmed();
    if (nombre.contains(u'/') || nombre.contains(u'\\') || nombre.startsWith(u'.'))
        return QStringLiteral("Nombre de fichero no válido: \"%1\"").arg(fichero);
    return {};
}

OutputResult guardar_resultado(OutputHost &host, const QString &fichero, const QString &formato,
                               const QString &destino)
{
    OutputResult result;
    result.error = argumentError(fichero, formato);
    if (!result.error.isEmpty())
        return result;
    const int code = formato.trimmed().toInt();
    const QString nombre = fichero.trimmed();
    TXTextControl *report = chooseReport(host.reports(), nombre);
    if (!report) {
        result.error = QStringLiteral("No se ha generado ningún informe que guardar");
        return result;
    }

    QString extension;
    int saveFormat = 0;
    if (outputFormat(code, &extension, &saveFormat)) {
        const QString path = host.programDirectory() + QStringLiteral("/fotos/") + nombre + extension;
        if (!report->Save(path, 0, saveFormat)) {
            // The control's message names the file and the cause.
            result.error = report->errorString();
            if (result.error.isEmpty())
                result.error = QStringLiteral("No se puede guardar el fichero %1").arg(path);
            return result;
        }
        result.path = path;
    }

    if (destino == u"W") {
        if (!result.path.isEmpty())
            host.openWithAssociatedApplication(result.path);
    } else if (destino == u"E") {
        if (!result.path.isEmpty()
            && !host.startDetached(host.programDirectory() + QStringLiteral("/quorvel"),
                                   {result.path, QStringLiteral("1")}, &result.error))
            return result;
    } else if (destino == u"I") {
        if (!host.print(*report, &result.error))
            return result;
    }
    result.ok = true;
    return result;
}

}  // namespace merge
