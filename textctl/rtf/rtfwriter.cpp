#include "rtfwriter.h"

#include "richdocument.h"

#include <QTextDocument>
#include <QTextDocumentFragment>

namespace textctl {

QByteArray writeRtf(const RichDocument &)
{
    return QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\n}");
}

QByteArray writeRtfFragment(const QTextDocumentFragment &)
{
    return QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\n}");
}

}  // namespace textctl
