#pragma once

// Splits the 8-bit text of a data file (dictionary, claim data, section
// files) into lines as the claim-management application writes them.
//
// A line ends at CR LF or at a lone CR; a lone LF is an ordinary character
// of the line. A last line without a line end counts; a text that ends with
// a line end has no empty line after it, and an empty text has no lines.
// The reader never copies: each line is a view into the bytes it was given,
// which must outlive it.
//
//   LineReader reader(bytes);
//   QByteArrayView line;
//   while (reader.next(&line))
//       use(platform::decodeWindows1252(line));

#include <QByteArrayView>

namespace data {

class LineReader final {
public:
    explicit LineReader(QByteArrayView bytes);

    // The next line without its end; false, leaving *line alone, when the
    // text is exhausted.
    bool next(QByteArrayView *line);
    // True when no line is left to read.
    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // Offset in the bytes of the line last returned by next().
    qsizetype lineOffset() const { return m_lineOffset; }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    qsizetype m_lineOffset = 0;
};

// Columns `first` (1-based) to first + count - 1 of a line: the part that is
// there when the line ends inside them, empty when it ends before them or
// when first < 1 or count < 0.
QByteArrayView columnSlice(QByteArrayView line, qsizetype first, qsizetype count);

// The text without the spaces (only spaces) at both ends.
QByteArrayView trimSpaces(QByteArrayView text);

}  // namespace data
