#include "textctl/rtf/rtfwritercolortable.h"

#include "textctl/rtf/rtfwriterbuffer.h"

#include <cctype>

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
    QByteArrayView body = colortbl.sliced(10);
    int red = 0, green = 0, blue = 0;
    bool first = true;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        if (c == ';') {
            if (!first) {
                const QRgb rgb = qRgb(red, green, blue);
                m_colors.append(rgb);
                if (!m_indexes.contains(rgb))  // the first of equal colours wins
                    m_indexes.insert(rgb, int(m_colors.size()));
            }
            first = false;
            red = green = blue = 0;
        } else if (c == '\\') {
            qsizetype end = i + 1;
            while (end < body.size() && std::isalpha(static_cast<unsigned char>(body.at(end))))
                ++end;
            const QByteArrayView word = body.sliced(i + 1, end - i - 1);
            qsizetype digits = end;
            while (digits < body.size() && std::isdigit(static_cast<unsigned char>(body.at(digits))))
                ++digits;
            const int value = qBound(0, body.sliced(end, digits - end).toInt(), 255);
            if (word == "red")
                red = value;
            else if (word == "green")
                green = value;
            else if (word == "blue")
                blue = value;
            i = digits - 1;
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
    qsizetype i = 0;
    while (i < words.size()) {
        if (words.at(i) != '\\') {
            out.append(words.at(i++));
            continue;
        }
        qsizetype end = i + 1;
        while (end < words.size() && std::isalpha(static_cast<unsigned char>(words.at(end))))
            ++end;
        const QByteArrayView name = words.sliced(i + 1, end - i - 1);
        qsizetype digits = end;
        if (digits < words.size() && words.at(digits) == '-')
            ++digits;
        while (digits < words.size() && std::isdigit(static_cast<unsigned char>(words.at(digits))))
            ++digits;
        if (isBorderSide(name))
            side = name;
        if (!name.isEmpty() && digits > end && isColorWord(name)) {
            const int number = map(name, words.sliced(end, digits - end).toInt(), side);
            if (number >= 0) {
                out.append('\\');
                out.append(name);
                out.append(QByteArray::number(number));
            }
        } else {
            out.append(words.sliced(i, qMax(digits, i + 1) - i));
        }
        i = qMax(digits, i + 1);
    }
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
