#include "textctl/controltext.h"

#include "platform/codepage.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace textctl {

namespace {

constexpr char16_t kPageBreak = 12;

bool isBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar(kPageBreak);
}

void insertBreak(QTextCursor &cursor, const QTextCharFormat &format, bool newPage)
{
    QTextBlockFormat block = cursor.blockFormat();
    block.setPageBreakPolicy(newPage ? QTextFormat::PageBreak_AlwaysBefore
                                     : QTextFormat::PageBreak_Auto);
    cursor.insertBlock(block, format);
}

// Calls run(text) for each run between breaks and brk(newPage) for each
// break: CR LF and LF CR are one break, CR CR or LF LF two, 12 a page break.
template<typename Run, typename Break>
void splitControlText(QStringView text, Run run, Break brk)
{
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isBreak(text[i])) {
            ++i;
            continue;
        }
        if (i > runStart)
            run(text.sliced(runStart, i - runStart));
        const QChar c = text[i++];
        if (c != QChar(kPageBreak)) {
            const QChar pair = c == u'\r' ? u'\n' : u'\r';
            if (i < text.size() && text[i] == pair)
                ++i;
        }
        brk(c == QChar(kPageBreak));
        runStart = i;
    }
    if (i > runStart)
        run(text.sliced(runStart, i - runStart));
}

}  // namespace

void insertControlText(QTextCursor &cursor, QStringView text, const QTextCharFormat &format)
{
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    splitControlText(
        text, [&](QStringView run) { cursor.insertText(run.toString(), format); },
        [&](bool newPage) { insertBreak(cursor, format, newPage); });
    cursor.endEditBlock();
}

QString rawControlText(QStringView text)
{
    QString raw;
    raw.reserve(text.size());
    splitControlText(
        text, [&](QStringView run) { raw += run; },
        [&](bool) { raw += QChar(QChar::ParagraphSeparator); });
    return raw;
}

QString controlText(const QTextDocument &doc, int from, int to)
{
    const QString raw = doc.toRawText();
    if (to < 0 || to > raw.size())
        to = raw.size();
    from = qBound(0, from, to);
    QString out = raw.mid(from, to - from);
    for (QChar &c : out) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case 0xFDD0:  // start of a table or frame, and each cell boundary
        case 0xFDD1:  // end of a table or frame
            c = u'\n';
            break;
        default:
            break;
        }
    }
    // The separator before a paragraph that starts a page reads as "\f".
    for (QTextBlock b = doc.findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        const int sep = b.position() - 1;
        if (sep >= from && sep < to
            && b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            out[sep - from] = QChar(kPageBreak);
    }
    return out;
}

namespace {

// Control characters a report cannot hold (all but tab, line ends and the
// page break) are left out: no file format of the control keeps them.
QString withoutStrayControls(QString text)
{
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f';
    });
    return text;
}

QString decodeUnmarked(QByteArrayView bytes)
{
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return platform::decodeWindows1252(bytes);
}

}  // namespace

QString decodeTextFile(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        // The mark is not text; a second one after it is (U+FEFF).
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return withoutStrayControls(utf8.decode(bytes.sliced(3)));
    }
    return withoutStrayControls(decodeUnmarked(bytes));
}

QByteArray encodeTextFile(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\n':
        case QChar::LineSeparator:
            out += u"\r\n";
            break;
        case QChar::ObjectReplacementCharacter:
            break;
        default:
            out += c;
        }
    }
    // Windows-1252 only where it reads back as itself: "Ã±" in Windows-1252
    // is the UTF-8 of "ñ", and "ï»¿" is a byte-order mark.
    if (platform::fitsWindows1252(out)) {
        const QByteArray bytes = platform::encodeWindows1252(out);
        if (decodeUnmarked(bytes) == out && !bytes.startsWith("\xEF\xBB\xBF"))
            return bytes;
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

}  // namespace textctl
