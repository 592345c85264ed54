// libFuzzer harness of the text file import: any bytes load, and what
// loaded saves as a text file that loads back to the same text.
#include "textctl/controltext.h"
#include "textctl/model/richdocument.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

namespace {

QString loaded(QByteArrayView bytes)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    textctl::insertControlText(cursor, textctl::decodeTextFile(bytes), QTextCharFormat());
    return textctl::controlText(doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString text = loaded(QByteArrayView(bytes, qsizetype(size)));
    if (loaded(textctl::encodeTextFile(text)) != text)
        std::abort();
    return 0;
}
