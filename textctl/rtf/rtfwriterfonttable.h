#pragma once

// The font table of a file being written: font 0 is the document's default
// family (the file says \deff0), every other family gets the next number the
// first time a format uses it, so the table holds only the fonts in use and
// the same document always gives the same table.
//
//   RtfWriterFontTable fonts(u"Arial"_s);
//   fonts.indexOf(QStringLiteral("Courier New"));   // 1
//   fonts.toRtf();   // {\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern...}}

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace textctl {

class RtfWriterFontTable final {
public:
    explicit RtfWriterFontTable(const QString &defaultFamily);

    // The number of a family, registered on first use.
    int indexOf(const QString &family);
    int size() const { return int(m_families.size()); }
    QByteArray toRtf() const;

    // True for the symbol fonts (Symbol, Wingdings...). They are written
    // with \fcharset0 all the same: their glyphs go out as \uN (U+F0xx).
    static bool isSymbolFamily(const QString &family);

private:
    QStringList m_families;
    QHash<QString, int> m_indexes;
};

}  // namespace textctl
