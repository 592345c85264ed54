#include "rtfreader.h"

#include "richdocument.h"

#include <QTextCursor>

namespace textctl {

bool looksLikeRtf(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

bool readRtf(QByteArrayView rtf, RichDocument &doc, QString *error)
{
    if (!looksLikeRtf(rtf)) {
        if (error)
            *error = QStringLiteral("El fichero no es RTF.");
        return false;
    }
    doc.clear();
    return true;
}

bool insertRtf(QByteArrayView rtf, QTextCursor &, QString *error)
{
    if (!looksLikeRtf(rtf)) {
        if (error)
            *error = QStringLiteral("El fichero no es RTF.");
        return false;
    }
    return true;
}

}  // namespace textctl
