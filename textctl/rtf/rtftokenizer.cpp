#include "textctl/rtf/rtftokenizer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace textctl::rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Bytes that end a run of text: group braces, backslash, and the line ends
// and other control bytes that RTF ignores in text.
bool endsText(unsigned char c)
{
    return c == '\\' || c == '{' || c == '}' || (c < 0x20 && c != '\t');
}

}  // namespace

RtfToken RtfTokenizer::next()
{
    while (m_pos < m_data.size()) {
        const qsizetype start = m_pos;
        const unsigned char c = static_cast<unsigned char>(m_data[m_pos]);
        if (c == '{') {
            ++m_pos;
            return {RtfToken::GroupOpen, {}, 0, false, 0, 0, start};
        }
        if (c == '}') {
            ++m_pos;
            return {RtfToken::GroupClose, {}, 0, false, 0, 0, start};
        }
        if (c == '\\')
            return readBackslash(start);
        if (c < 0x20 && c != '\t') {
            ++m_pos;  // line ends and stray control bytes are not text
            continue;
        }
        return readText(start);
    }
    return {RtfToken::End, {}, 0, false, 0, 0, m_pos};
}

QByteArrayView RtfTokenizer::readData()
{
    const qsizetype start = m_pos;
    const char *begin = m_data.data() + start;
    const char *end = m_data.data() + m_data.size();
    // memchr runs many bytes a step: the closing brace first, then the
    // other two only up to it.
    const char *stop = static_cast<const char *>(std::memchr(begin, '}', end - begin));
    if (!stop)
        stop = end;
    for (char c : {'\\', '{'}) {
        if (const void *found = std::memchr(begin, c, stop - begin))
            stop = static_cast<const char *>(found);
    }
    m_pos = start + (stop - begin);
    return m_data.sliced(start, stop - begin);
}

RtfToken RtfTokenizer::readText(qsizetype start)
{
    qsizetype end = start;
    while (end < m_data.size() && !endsText(static_cast<unsigned char>(m_data[end])))
        ++end;
    m_pos = end;
    return {RtfToken::Text, m_data.sliced(start, end - start), 0, false, 0, 0, start};
}

RtfToken RtfTokenizer::readBackslash(qsizetype start)
{
    m_pos = start + 1;
    if (m_pos >= m_data.size())
        return {RtfToken::ControlSymbol, {}, 0, false, '\\', 0, start};
    const char c = m_data[m_pos];
    if (isLetter(c))
        return readControlWord(start);
    ++m_pos;
    if (c == '\'') {
        const int high = m_pos < m_data.size() ? hexValue(m_data[m_pos]) : -1;
        const int low = m_pos + 1 < m_data.size() ? hexValue(m_data[m_pos + 1]) : -1;
        if (high < 0)
            return {RtfToken::BadHex, {}, 0, false, 0, 0, start};
        if (low < 0) {
            // "\'3?" is one broken escape, as other readers take it; a
            // brace or backslash after the digit keeps its meaning.
            ++m_pos;
            if (m_pos < m_data.size() && m_data[m_pos] != '\\' && m_data[m_pos] != '{' && m_data[m_pos] != '}')
                ++m_pos;
            return {RtfToken::BadHex, {}, 0, false, 0, 0, start};
        }
        m_pos += 2;
        return {RtfToken::HexByte, {}, 0, false, 0, static_cast<unsigned char>(high * 16 + low), start};
    }
    if (c == '\r' || c == '\n')  // "\" before a line end is a paragraph mark
        return {RtfToken::ControlWord, "par", 0, false, 0, 0, start};
    return {RtfToken::ControlSymbol, {}, 0, false, c, 0, start};
}

RtfToken RtfTokenizer::readControlWord(qsizetype start)
{
    const qsizetype nameStart = m_pos;
    while (m_pos < m_data.size() && isLetter(m_data[m_pos]))
        ++m_pos;
    const qsizetype nameLength = std::min<qsizetype>(m_pos - nameStart, kMaxWordLength);
    RtfToken token{RtfToken::ControlWord, m_data.sliced(nameStart, nameLength), 0, false, 0, 0, start};

    bool negative = false;
    if (m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
        // Saturate instead of overflowing: a giant number becomes the
        // int limit, and every digit is still consumed.
        constexpr long long kLimit = std::numeric_limits<int>::max();
        long long value = 0;
        while (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
            value = std::min(kLimit + 1, value * 10 + (m_data[m_pos] - '0'));
            ++m_pos;
        }
        if (negative)
            value = -value;
        token.param = static_cast<int>(std::clamp<long long>(value, -kLimit - 1, kLimit));
        token.hasParam = true;
        token.negative = negative;
    }
    if (m_pos < m_data.size() && m_data[m_pos] == ' ') {
        ++m_pos;
        token.spaceDelimited = true;
    }

    if (token.text == "bin") {
        const qsizetype available = m_data.size() - m_pos;
        const qsizetype length = token.param > 0 ? std::min<qsizetype>(token.param, available) : 0;
        token.type = RtfToken::Binary;
        token.text = m_data.sliced(m_pos, length);
        m_pos += length;
    }
    return token;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int wordParam(QByteArrayView rtf, QByteArrayView word, int fallback)
{
    RtfTokenizer tokens(rtf);
    for (RtfToken t = tokens.next(); t.type != RtfToken::End; t = tokens.next()) {
        if (t.type == RtfToken::ControlWord && t.hasParam && t.text == word)
            return t.param;
    }
    return fallback;
}

}  // namespace textctl::rtf
