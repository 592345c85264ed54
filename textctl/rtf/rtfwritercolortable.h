#pragma once

// The colour table of a file being written. Entry 0 is the reader's "auto"
// colour, written empty; every colour in use gets the next number the first
// time it is asked for, so the same document always gives the same table.
//
//   RtfWriterColorTable colors;
//   colors.indexOf(QColor(255, 0, 0));   // 1
//   colors.toRtf();   // {\colortbl;\red255\green0\blue0;}

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QHash>
#include <QList>

#include <functional>

namespace textctl {

class RtfWriterColorTable final {
public:
    RtfWriterColorTable() = default;

    // The number of a colour (alpha ignored), registered on first use; 1 or more.
    int indexOf(const QColor &color);
    int size() const { return int(m_colors.size()); }
    QByteArray toRtf() const;

    // Starts the table with the entries of a {\colortbl ...} group, at their
    // own numbers, so that kept RTF words that name colours by number keep
    // naming the same colours. Only on an empty table; false when the group
    // is not a colour table.
    bool adoptTable(QByteArrayView colortbl);

    // Kept control words with their colour numbers passed through `map`:
    // it gets the word, its number and the last border side word before
    // it (\clbrdrt, \brdrb, ...), and returns the new number, or -1 to drop
    // the word. Other words are copied as they are.
    using ColorMap = std::function<int(QByteArrayView word, int number, QByteArrayView side)>;
    static QByteArray mapColorWords(QByteArrayView words, const ColorMap &map);
    static bool isColorWord(QByteArrayView word);

private:
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_indexes;
};

}  // namespace textctl
