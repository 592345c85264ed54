#pragma once

// The byte buffer the RTF writer builds its output in: control words, text
// escaped for an \ansicpg1252 file, verbatim groups and picture hex, with
// source lines kept short.
//
// Text escaping: printable ASCII as is ('\', '{', '}' escaped), other
// Windows-1252 characters as \'xx, everything else as \uN? (N a signed
// 16-bit number, '?' the fallback for readers without Unicode; a character
// beyond the BMP is its two surrogates). A control word gets its delimiting
// space only when the next byte would otherwise extend it.
//
//   RtfWriterBuffer out;
//   out.control("b");
//   out.text(u"Año");      // "\b A\'f1o"

#include "textctl/rtf/rtfoutput.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace textctl {

class RtfWriterBuffer final {
public:
    RtfWriterBuffer() = default;

    void reserve(qsizetype size);
    // The bytes written so far (a copy), pictures' hex included.
    QByteArray bytes() const { return output().toByteArray(); }
    // The bytes written so far, leaving the buffer empty.
    QByteArray take();
    // The same, large pictures' hex left to encode (rtfoutput.h).
    RtfOutput takeOutput();
    // Bytes in memory: a large picture's hex not counted.
    qsizetype size() const { return m_size; }
    void clear();
    // Puts `head` in front of everything written, in place.
    void prepend(QByteArrayView head);

    // "\word"; "\wordN".
    void control(const char *word);
    void control(const char *word, int value);
    // "{\*\word" opens an ignorable destination; the caller closes it.
    void destination(const char *word);
    void openGroup();
    void closeGroup();
    // RTF written as it stands (kept groups, finished tokens); a letter or
    // digit after it is text.
    void raw(QByteArrayView rtf);
    // A group kept from a read file, made 7-bit: \bin data becomes hex
    // digits and other 8-bit bytes \'xx escapes.
    void verbatim(QByteArrayView rtf);
    // A run of control words ending in a control word (a cached format):
    // text after it gets its delimiting space.
    void controls(QByteArrayView rtf);
    // Document text, escaped; tabs become \tab, U+2028 \line.
    void text(QStringView text);
    // Binary picture data as hex digits, in lines of 128.
    void hex(QByteArrayView data);
    // The same for a picture's bytes; a large picture's hex is only encoded
    // when the output is taken or streamed.
    void pictureHex(const QByteArray &data);

    // Ends the source line here.
    void newline();
    // Ends the source line when it is long; call between tokens only.
    void softBreak();

    // Characters that the text escaping drops: C0 controls other than the
    // tab, the frame markers and U+FFFC (objects are written apart).
    static bool isDropped(char16_t ch);

private:
    // Room for `count` more bytes; returns where they go.
    char *grow(qsizetype count)
    {
        if (m_size + count > m_bytes.size())
            reallocate(m_size + count);
        char *at = m_bytes.data() + m_size;
        m_size += count;
        return at;
    }
    void reallocate(qsizetype needed);
    void put(char c) { *grow(1) = c; }
    void put(QByteArrayView bytes);
    void putNumber(int value);
    // Bytes as they are, 8-bit ones as \'xx escapes.
    void putSevenBit(QByteArrayView bytes);
    void delimit(char next);
    void escaped(char16_t ch);
    RtfOutput output() const;

    // Its size is the capacity; m_size bytes of it are written.
    QByteArray m_bytes;
    qsizetype m_size = 0;
    QList<RtfOutput::Hex> m_pictures;
    qsizetype m_lineStart = 0;
    // True right after a control word: a letter, digit, '-' or space that
    // follows needs a delimiting space.
    bool m_afterControl = false;
};

// "\word" and "\wordN" appended to a run of control words that a format
// cache keeps (and later writes with RtfWriterBuffer::controls).
inline void appendWord(QByteArray &out, const char *word)
{
    out.append('\\');
    out.append(word);
}

inline void appendWord(QByteArray &out, const char *word, int value)
{
    appendWord(out, word);
    out.append(QByteArray::number(value));
}

}  // namespace textctl
