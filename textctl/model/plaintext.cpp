#include "textctl/model/plaintext.h"

#include "textctl/model/fillercell.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace textctl {

namespace {

QString areaLabel(int code)
{
    switch (code) {
    case PageHeader: return QStringLiteral("[cabecera]");
    case FirstPageHeader: return QStringLiteral("[cabecera1]");
    case PageFooter: return QStringLiteral("[pie]");
    case FirstPageFooter: return QStringLiteral("[pie1]");
    default: return {};
    }
}

// The only block of an empty filler cell.
bool inEmptyFillerCell(const QTextBlock &block)
{
    const QTextTable *table = QTextCursor(block).currentTable();
    return table && isEmptyFillerCell(table->cellAt(block.position()));
}

}  // namespace

QString textPlainText(const QTextDocument &text)
{
    QString out;
    out.reserve(text.characterCount() + 16);
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        if (block.length() == 1
            && (block.blockFormat().boolProperty(prop::SeparatorBlock) || inEmptyFillerCell(block)))
            continue;  // a block the text model needs beside a table, or in one
        const QString line = block.text();
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (c == QChar::ObjectReplacementCharacter)
                continue;
            if (c.isSurrogate()) {
                // A file may hold a lone half of a pair; the model keeps it
                // so that a save writes it back, plain text cannot.
                const bool paired = c.isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate();
                out.append(paired ? line.mid(i++, 2) : QString(QChar(QChar::ReplacementCharacter)));
                continue;
            }
            out.append(c == QChar::LineSeparator ? QChar(u'\n') : c);
        }
        out.append(u'\n');
    }
    return out;
}

QString documentPlainText(const RichDocument &doc)
{
    QString out = textPlainText(*doc.main());
    for (int code : kHeaderFooterAreas) {
        if (const QTextDocument *area = doc.area(code)) {
            out += areaLabel(code);
            out += u'\n';
            out += textPlainText(*area);
        }
    }
    return out;
}

}  // namespace textctl
