#include "plaintext.h"

#include "formatprops.h"
#include "richdocument.h"

#include <QTextBlock>
#include <QTextDocument>

namespace textctl {

namespace {

QString areaLabel(int code)
{
    switch (code) {
    case RichDocument::Header: return QStringLiteral("[cabecera]");
    case RichDocument::FirstHeader: return QStringLiteral("[cabecera1]");
    case RichDocument::Footer: return QStringLiteral("[pie]");
    case RichDocument::FirstFooter: return QStringLiteral("[pie1]");
    default: return {};
    }
}

}  // namespace

QString textPlainText(const QTextDocument &text)
{
    QString out;
    out.reserve(text.characterCount() + 16);
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        if (block.length() == 1 && block.blockFormat().boolProperty(prop::SeparatorBlock))
            continue;  // a block the text model needs beside a table
        for (QChar c : block.text()) {
            if (c == QChar::ObjectReplacementCharacter)
                continue;
            out.append(c == QChar::LineSeparator ? QChar(u'\n') : c);
        }
        out.append(u'\n');
    }
    return out;
}

QString documentPlainText(const RichDocument &doc)
{
    QString out = textPlainText(*doc.main());
    for (int code : RichDocument::kAreaCodes) {
        if (const QTextDocument *area = doc.area(code)) {
            out += areaLabel(code);
            out += u'\n';
            out += textPlainText(*area);
        }
    }
    return out;
}

}  // namespace textctl
