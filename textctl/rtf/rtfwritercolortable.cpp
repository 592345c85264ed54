#include "textctl/rtf/rtfwritercolortable.h"

#include "textctl/rtf/rtftokenizer.h"
#include "textctl/rtf/rtfwriterbuffer.h"

namespace textctl {

namespace {

bool isBorderSide(QByteArrayView word)
{
    static const QByteArrayView kSides[] = {"brdrt", "brdrb", "brdrl", "brdrr", "brdrbtw", "brdrbar", "box"};
    for (QByteArrayView side : kSides) {
        if (word == side)
            return true;
    }
    return word.startsWith("clbrdr") || word.startsWith("trbrdr");
}

}  // namespace

int RtfWriterColorTable::indexOf(const QColor &color)
{
    const QRgb rgb = color.rgb() | 0xff000000u;
    const auto found = m_indexes.constFind(rgb);
    if (found != m_indexes.constEnd())
        return *found;
    m_colors.append(rgb);
    const int index = int(m_colors.size());
    m_indexes.insert(rgb, index);
    return index;
}

bool RtfWriterColorTable::adoptTable(QByteArrayView colortbl)
{
    if (!m_colors.isEmpty() || !colortbl.startsWith("{\\colortbl"))
        return false;
    // Entries end at ';'; the first (before any \red) is the auto colour.
    rtf::RtfTokenizer tokens(colortbl.sliced(10));
    int red = 0, green = 0, blue = 0;
    bool first = true;
    for (rtf::RtfToken t = tokens.next(); t.type != rtf::RtfToken::End; t = tokens.next()) {
        if (t.type == rtf::RtfToken::ControlWord) {
            const int value = qBound(0, t.param, 255);
            if (t.text == "red")
                red = value;
            else if (t.text == "green")
                green = value;
            else if (t.text == "blue")
                blue = value;
            continue;
        }
        if (t.type != rtf::RtfToken::Text)
            continue;
        for (qsizetype ends = t.text.count(';'); ends > 0; --ends) {
            if (!first) {
                const QRgb rgb = qRgb(red, green, blue);
                m_colors.append(rgb);
                if (!m_indexes.contains(rgb))  // the first of equal colours wins
                    m_indexes.insert(rgb, int(m_colors.size()));
            }
            first = false;
            red = green = blue = 0;
        }
    }
    return true;
}

bool RtfWriterColorTable::isColorWord(QByteArrayView word)
{
    static const QByteArrayView kWords[] = {"brdrcf", "cf", "cb", "cbpat", "cfpat", "chcbpat", "chcfpat", "highlight",
                                            "clcbpat", "clcfpat", "trcbpat", "trcfpat", "ulc"};
    for (QByteArrayView known : kWords) {
        if (word == known)
            return true;
    }
    return false;
}

QByteArray RtfWriterColorTable::mapColorWords(QByteArrayView words, const ColorMap &map)
{
    QByteArray out;
    if (!map)
        return out;
    out.reserve(words.size());
    QByteArrayView side;
    rtf::RtfTokenizer tokens(words);
    qsizetype copied = 0;
    for (rtf::RtfToken t = tokens.next(); t.type != rtf::RtfToken::End; t = tokens.next()) {
        if (t.type != rtf::RtfToken::ControlWord)
            continue;
        if (isBorderSide(t.text))
            side = t.text;
        if (!t.hasParam || !isColorWord(t.text))
            continue;
        out.append(words.sliced(copied, t.offset - copied));
        const int number = map(t.text, t.param, side);
        if (number >= 0) {
            out.append('\\');
            out.append(t.text);
            out.append(QByteArray::number(number));
        }
        // The space stays when the word goes: it may be what ends the
        // word before it.
        if (t.spaceDelimited)
            out.append(' ');
        copied = tokens.position();
    }
    out.append(words.sliced(copied));
    return out;
}

QByteArray RtfWriterColorTable::toRtf() const
{
    RtfWriterBuffer out;
    out.openGroup();
    out.control("colortbl");
    out.raw(";");
    for (QRgb rgb : m_colors) {
        out.control("red", qRed(rgb));
        out.control("green", qGreen(rgb));
        out.control("blue", qBlue(rgb));
        out.raw(";");
        out.softBreak();
    }
    out.closeGroup();
    return out.take();
}

}  // namespace textctl
