#pragma once

// Splits RTF bytes into tokens: group braces, control words with their
// parameter, control symbols, runs of plain text bytes, \'xx bytes and the
// raw data of \binN. It never fails: anything odd becomes a token the
// reader may ignore, and every call moves forward, so a loop over next()
// ends at End for any input.
//
//   RtfTokenizer tokens(bytes);
//   for (RtfToken t = tokens.next(); t.type != RtfToken::End; t = tokens.next())
//       handle(t);

#include <QByteArrayView>

namespace textctl::rtf {

struct RtfToken {
    enum Type {
        End,
        GroupOpen,
        GroupClose,
        ControlWord,    // name in `text`, `param` when `hasParam`
        ControlSymbol,  // `symbol`: the character after the backslash
        Text,           // plain bytes in `text`, line ends removed
        HexByte,        // `byte` from \'xx
        BadHex,         // \' without two hex digits
        Binary,         // the bytes of \binN in `text`
    };
    Type type = End;
    QByteArrayView text;
    int param = 0;
    bool hasParam = false;
    char symbol = 0;
    unsigned char byte = 0;
    qsizetype offset = 0;  // of the token's first byte
    // Of a control word: its parameter was written with a '-' ("\li-0"
    // too), and a space ended it and was taken with it. Code that copies
    // the bytes around a word it rewrites needs both.
    bool negative = false;
    bool spaceDelimited = false;
};

// The value of a hexadecimal digit, or -1.
int hexValue(char c);

// The parameter of the first control word `word` (with a parameter) in
// `rtf`, or `fallback`.
int wordParam(QByteArrayView rtf, QByteArrayView word, int fallback);

class RtfTokenizer final {
public:
    explicit RtfTokenizer(QByteArrayView data)
        : m_data(data)
    {
    }

    RtfToken next();
    // The bytes from here to the next brace or backslash, line ends and
    // all, consumed: a picture's data, read in one piece rather than a
    // token a line.
    QByteArrayView readData();
    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }

    // Longest control word name kept; longer names are cut (and so unknown).
    static constexpr int kMaxWordLength = 32;

private:
    RtfToken readBackslash(qsizetype start);
    RtfToken readControlWord(qsizetype start);
    RtfToken readText(qsizetype start);

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

}  // namespace textctl::rtf
