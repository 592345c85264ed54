// libFuzzer harness of the framed format, which is only written: page
// values and a text taken from the input are saved, and the file starts
// with the 28-byte header of exactly those values, followed by RTF that
// reads back to the same text.
#include "textctl/controltext.h"
#include "textctl/documentfiles.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

QTemporaryDir *folder;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    static QTemporaryDir dir;
    folder = &dir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    constexpr size_t kValues = 6;
    if (size < kValues * 4)
        return 0;
    qint32 values[kValues];
    std::memcpy(values, bytes, sizeof values);
    textctl::RichDocument doc;
    doc.page.marginLeft = values[0];
    doc.page.marginTop = values[1];
    doc.page.marginRight = values[2];
    doc.page.marginBottom = values[3];
    doc.page.height = values[4];
    doc.page.width = values[5];
    QTextCursor cursor(doc.main());
    textctl::insertControlText(
        cursor, textctl::decodeTextFile(QByteArrayView(bytes + sizeof values, qsizetype(size - sizeof values))),
        QTextCharFormat());
    const QString path = folder->filePath(QStringLiteral("informe.abc"));
    QString error;
    if (!textctl::saveFramedDocumentFile(path, doc, &error))
        std::abort();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const QByteArray written = file.readAll();
    if (written.size() < textctl::kFramedHeaderSize
        || qFromLittleEndian<qint32>(written.constData()) != 23)
        std::abort();
    for (size_t i = 0; i < kValues; ++i) {
        if (qFromLittleEndian<qint32>(written.constData() + 4 * (i + 1)) != values[i])
            std::abort();
    }
    textctl::RichDocument again;
    if (!textctl::readRtf(written.mid(textctl::kFramedHeaderSize), again, &error)
        || textctl::controlText(*again.main()) != textctl::controlText(*doc.main()))
        std::abort();
    return 0;
}
