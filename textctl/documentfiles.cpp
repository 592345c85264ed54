#include "textctl/documentfiles.h"

#include "platform/atomicfile.h"
#include "textctl/controltext.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

namespace textctl {

namespace {

constexpr QByteArrayView kOle2Signature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr int kConversionTimeoutMs = 120'000;

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

bool readWhole(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("No se puede leer el fichero %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    *bytes = file.readAll();
    return true;
}

bool writeAtomically(const QString &path, const QByteArray &head, const RtfOutput &body,
                     QString *error, bool *openFailed = nullptr)
{
    // Every write is checked (a full disk, a size limit), and the file
    // takes the target's name only when whole. The body goes out a piece at
    // a time (a report's photos are encoded as they are written).
    platform::AtomicFile file(path);
    const bool opened = file.open();
    if (openFailed)
        *openFailed = !opened;
    const auto write = [&file](QByteArrayView piece) { return file.write(piece); };
    if (!opened || !write(head) || !body.writeTo(write) || !file.commit())
        return fail(error, QStringLiteral("No se puede guardar el fichero %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    return true;
}

void loadText(const QByteArray &bytes, RichDocument &doc)
{
    doc.clear();
    QTextCursor cursor(doc.main());
    insertControlText(cursor, decodeTextFile(bytes), QTextCharFormat());
}

bool loadRtf(const QByteArray &bytes, const QString &path, RichDocument &doc, QString *error)
{
    QString why;
    if (readRtf(bytes, doc, &why))
        return true;
    return fail(error, QStringLiteral("No se puede leer el fichero %1: %2")
                           .arg(QDir::toNativeSeparators(path), why));
}

QByteArray framedHeader(const PageValues &page)
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    for (qint32 field : {23, page.marginLeft, page.marginTop, page.marginRight, page.marginBottom,
                         page.height, page.width})
        out << field;
    return header;
}

}  // namespace

int formatForPath(const QString &path)
{
    const QString ending = path.trimmed().right(3).toUpper();
    if (ending == u"RTF")
        return kFormatRtf;
    if (ending == u"DOC")
        return kFormatWord;
    if (ending == u"TXT")
        return kFormatText;
    return 0;
}

QByteArray convertWordToRtf(const QString &path, QString *error)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        fail(error, QStringLiteral("No se puede abrir el documento de Word %1: hace falta "
                                   "LibreOffice (soffice) para convertirlo y no está instalado.")
                        .arg(QDir::toNativeSeparators(path)));
        return {};
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        fail(error, QStringLiteral("No se puede crear un directorio temporal."));
        return {};
    }
    // A private profile, so a running LibreOffice of the user is not disturbed.
    QProcess office;
    office.setProgram(soffice);
    office.setArguments({QStringLiteral("-env:UserInstallation=file://") + work.filePath(QStringLiteral("perfil")),
                         QStringLiteral("--headless"), QStringLiteral("--norestore"),
                         QStringLiteral("--convert-to"), QStringLiteral("rtf"),
                         QStringLiteral("--outdir"), work.path(), QFileInfo(path).absoluteFilePath()});
    office.start();
    const bool finished = office.waitForFinished(kConversionTimeoutMs);
    if (!finished)
        office.kill();
    const QString converted = work.filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".rtf"));
    QByteArray rtf;
    if (!finished || !QFile::exists(converted) || !readWhole(converted, &rtf, nullptr)) {
        fail(error, QStringLiteral("LibreOffice no ha podido convertir el documento de Word %1.")
                        .arg(QDir::toNativeSeparators(path)));
        return {};
    }
    return rtf;
}

bool readDocumentContent(const QString &path, int format, DocumentContent *content, QString *error)
{
    content->path = path;
    content->format = format == kFormatText ? kFormatText : kFormatRtf;
    if (!readWhole(path, &content->bytes, error))
        return false;
    switch (format) {
    case kFormatText:
    case kFormatRtf:
        return true;
    case kFormatWord:
        if (looksLikeRtf(content->bytes))
            return true;
        if (QByteArrayView(content->bytes).startsWith(kOle2Signature)) {
            content->bytes = convertWordToRtf(path, error);
            return !content->bytes.isEmpty();
        }
        return fail(error, QStringLiteral("El fichero %1 no es un documento de Word.")
                               .arg(QDir::toNativeSeparators(path)));
    default:
        return fail(error, QStringLiteral("Formato de fichero desconocido: %1").arg(format));
    }
}

bool loadDocumentContent(const DocumentContent &content, RichDocument &doc, QString *error)
{
    if (content.format == kFormatText) {
        loadText(content.bytes, doc);
        return true;
    }
    return loadRtf(content.bytes, content.path, doc, error);
}

bool loadDocumentFile(const QString &path, int format, RichDocument &doc, QString *error)
{
    DocumentContent content;
    return readDocumentContent(path, format, &content, error)
        && loadDocumentContent(content, doc, error);
}

bool saveDocumentFile(const QString &path, int format, const RichDocument &doc, QString *error)
{
    switch (format) {
    case kFormatText:
    case kFormatTextSave:
        return writeAtomically(path, {}, {encodeTextFile(controlText(*doc.main())), {}}, error);
    case kFormatRtf:
    case kFormatWord:
        return writeAtomically(path, {}, writeRtfOutput(doc), error);
    default:
        return fail(error, QStringLiteral("Formato de fichero desconocido: %1").arg(format));
    }
}

bool saveDocumentAtOffset(const QString &path, qint64 offset, const RichDocument &doc,
                          QString *error)
{
    if (offset < 0)
        return fail(error, QStringLiteral("Posición de escritura no válida: %1").arg(offset));
    QByteArray head;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly))
        head = existing.read(offset);
    existing.close();
    if (head.size() < offset)
        head.append(offset - head.size(), '\0');
    return writeAtomically(path, head, writeRtfOutput(doc), error);
}

bool saveFramedDocumentFile(const QString &path, const RichDocument &doc, QString *error,
                            bool *openFailed)
{
    return writeAtomically(path, framedHeader(doc.page), writeRtfOutput(doc), error, openFailed);
}

}  // namespace textctl
