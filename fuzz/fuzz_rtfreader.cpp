// libFuzzer harness of the RTF reader: any bytes load or fail with a
// message, and what loaded can be written and read again.
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    textctl::RichDocument doc;
    QString error;
    if (!textctl::readRtf(QByteArrayView(bytes, qsizetype(size)), doc, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    textctl::RichDocument again;
    if (!textctl::readRtf(textctl::writeRtf(doc), again, &error))
        std::abort();
    return 0;
}
