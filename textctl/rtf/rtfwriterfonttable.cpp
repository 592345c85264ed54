#include "textctl/rtf/rtfwriterfonttable.h"

#include "textctl/rtf/rtfwriterbuffer.h"

using namespace Qt::StringLiterals;

namespace textctl {

namespace {

// The family class helps a reader without the font pick a similar one.
const char *familyClass(const QString &family)
{
    static const QStringList roman{u"Times New Roman"_s, u"Times"_s, u"Liberation Serif"_s,
                                   u"Georgia"_s, u"Cambria"_s, u"Garamond"_s,
                                   u"Book Antiqua"_s, u"DejaVu Serif"_s, u"Palatino Linotype"_s};
    static const QStringList swiss{u"Arial"_s, u"Helvetica"_s, u"Liberation Sans"_s,
                                   u"Verdana"_s, u"Tahoma"_s, u"Calibri"_s,
                                   u"Segoe UI"_s, u"DejaVu Sans"_s, u"Trebuchet MS"_s,
                                   u"Century Gothic"_s, u"Arial Narrow"_s};
    static const QStringList modern{u"Courier New"_s, u"Courier"_s, u"Liberation Mono"_s,
                                    u"Consolas"_s, u"Lucida Console"_s, u"DejaVu Sans Mono"_s};
    if (RtfWriterFontTable::isSymbolFamily(family))
        return "ftech";
    if (roman.contains(family, Qt::CaseInsensitive))
        return "froman";
    if (swiss.contains(family, Qt::CaseInsensitive))
        return "fswiss";
    if (modern.contains(family, Qt::CaseInsensitive))
        return "fmodern";
    return "fnil";
}

}  // namespace

RtfWriterFontTable::RtfWriterFontTable(const QString &defaultFamily)
{
    indexOf(defaultFamily);
}

int RtfWriterFontTable::indexOf(const QString &family)
{
    const auto found = m_indexes.constFind(family);
    if (found != m_indexes.constEnd())
        return *found;
    const int index = int(m_families.size());
    m_families.append(family);
    m_indexes.insert(family, index);
    return index;
}

bool RtfWriterFontTable::isSymbolFamily(const QString &family)
{
    return family.compare(u"Symbol"_s, Qt::CaseInsensitive) == 0
        || family.startsWith(u"Wingdings"_s, Qt::CaseInsensitive)
        || family.compare(u"Webdings"_s, Qt::CaseInsensitive) == 0
        || family.compare(u"ZapfDingbats"_s, Qt::CaseInsensitive) == 0;
}

QByteArray RtfWriterFontTable::toRtf() const
{
    RtfWriterBuffer out;
    out.openGroup();
    out.control("fonttbl");
    for (int i = 0; i < m_families.size(); ++i) {
        const QString &family = m_families.at(i);
        out.openGroup();
        out.control("f", i);
        out.control(familyClass(family));
        // Symbol fonts too: their characters are written as \uN (U+F0xx),
        // and \fcharset2 would turn a plain letter in them into one.
        out.control("fcharset", 0);
        // A ';' would end the name early.
        QString name = family;
        name.remove(u';');
        out.text(name);
        out.raw(";");
        out.closeGroup();
        out.softBreak();
    }
    out.closeGroup();
    return out.take();
}

}  // namespace textctl
