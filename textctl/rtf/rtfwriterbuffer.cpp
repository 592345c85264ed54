#include "textctl/rtf/rtfwriterbuffer.h"

#include "platform/codepage.h"
#include "textctl/rtf/rtftokenizer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace textctl {

namespace {

// A source line is broken at the next safe point once it is this long.
constexpr qsizetype kLineLength = 200;
// Text without a safe point is still broken at this length (long words,
// URLs): readers ignore line ends in text.
constexpr qsizetype kHardLineLength = 400;
constexpr char kHexDigits[] = "0123456789abcdef";

bool extendsControlWord(char next)
{
    return (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || (next >= '0' && next <= '9')
        || next == ' ' || next == '-';
}

}  // namespace

void RtfWriterBuffer::reserve(qsizetype size)
{
    if (size > m_bytes.size())
        reallocate(size);
}

void RtfWriterBuffer::reallocate(qsizetype needed)
{
    // Doubling keeps appends amortised constant; resize() keeps the bytes
    // written and leaves the new ones uninitialised.
    m_bytes.resize(qMax(needed, qMax<qsizetype>(m_bytes.size() * 2, 256)));
}

QByteArray RtfWriterBuffer::take()
{
    if (!m_pictures.isEmpty())
        return takeOutput().toByteArray();
    m_bytes.truncate(m_size);
    QByteArray out = std::move(m_bytes);
    clear();
    return out;
}

RtfOutput RtfWriterBuffer::takeOutput()
{
    m_bytes.truncate(m_size);
    RtfOutput out{std::move(m_bytes), std::move(m_pictures)};
    clear();
    return out;
}

RtfOutput RtfWriterBuffer::output() const
{
    return RtfOutput{QByteArray(m_bytes.constData(), m_size), m_pictures};
}

void RtfWriterBuffer::clear()
{
    m_bytes.clear();
    m_size = 0;
    m_pictures.clear();
    m_lineStart = 0;
    m_afterControl = false;
}

void RtfWriterBuffer::prepend(QByteArrayView head)
{
    const qsizetype body = m_size;
    grow(head.size());
    char *data = m_bytes.data();
    std::memmove(data + head.size(), data, size_t(body));
    std::memcpy(data, head.data(), size_t(head.size()));
    m_lineStart += head.size();
    for (RtfOutput::Hex &picture : m_pictures)
        picture.at += head.size();
}

void RtfWriterBuffer::put(QByteArrayView bytes)
{
    if (!bytes.isEmpty())
        std::memcpy(grow(bytes.size()), bytes.data(), size_t(bytes.size()));
}

void RtfWriterBuffer::putNumber(int value)
{
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    put(QByteArrayView(digits, result.ptr - digits));
}

void RtfWriterBuffer::delimit(char next)
{
    if (m_afterControl && extendsControlWord(next))
        put(' ');
    m_afterControl = false;
}

void RtfWriterBuffer::control(const char *word)
{
    put('\\');
    put(QByteArrayView(word));
    m_afterControl = true;
}

void RtfWriterBuffer::control(const char *word, int value)
{
    put('\\');
    put(QByteArrayView(word));
    putNumber(value);
    m_afterControl = true;
}

void RtfWriterBuffer::destination(const char *word)
{
    put("{\\*\\");
    put(QByteArrayView(word));
    m_afterControl = true;
}

void RtfWriterBuffer::openGroup()
{
    put('{');
    m_afterControl = false;
}

void RtfWriterBuffer::closeGroup()
{
    put('}');
    m_afterControl = false;
}

void RtfWriterBuffer::raw(QByteArrayView rtf)
{
    if (rtf.isEmpty())
        return;
    delimit(rtf.front());
    put(rtf);
}

void RtfWriterBuffer::verbatim(QByteArrayView rtf)
{
    const auto eightBit = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
    const bool clean = std::none_of(rtf.begin(), rtf.end(), eightBit) && !rtf.contains("\\bin");
    if (clean) {
        raw(rtf);
        return;
    }
    delimit(rtf.isEmpty() ? '{' : rtf.front());
    // \binN data becomes hex digits, other bytes are copied with 8-bit
    // ones escaped. A negative count announces no data: it stays as written.
    rtf::RtfTokenizer tokens(rtf);
    qsizetype copied = 0;
    for (rtf::RtfToken t = tokens.next(); t.type != rtf::RtfToken::End; t = tokens.next()) {
        const bool binary = t.type == rtf::RtfToken::Binary && t.hasParam && !t.negative;
        // A control symbol keeps its character even when it is 8-bit: an
        // escape there would make the backslash escape something else.
        const bool symbol = t.type == rtf::RtfToken::ControlSymbol && eightBit(t.symbol);
        if (!binary && !symbol)
            continue;
        putSevenBit(rtf.sliced(copied, t.offset - copied));
        if (binary) {
            newline();
            hex(t.text);
        } else {
            put(rtf.sliced(t.offset, tokens.position() - t.offset));
        }
        copied = tokens.position();
    }
    putSevenBit(rtf.sliced(copied));
    m_afterControl = false;
}

void RtfWriterBuffer::putSevenBit(QByteArrayView bytes)
{
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            const char hexByte[4] = {'\\', '\'', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
            put(QByteArrayView(hexByte, 4));
        } else {
            put(c);
        }
    }
}

void RtfWriterBuffer::controls(QByteArrayView rtf)
{
    if (rtf.isEmpty())
        return;
    delimit(rtf.front());
    put(rtf);
    const char last = rtf.back();
    m_afterControl = extendsControlWord(last) && last != ' ' && last != '-';
}

bool RtfWriterBuffer::isDropped(char16_t ch)
{
    return (ch < 0x20 && ch != '\t') || ch == 0xFDD0 || ch == 0xFDD1 || ch == 0xFFFC || ch == 0x2029;
}

void RtfWriterBuffer::escaped(char16_t ch)
{
    switch (ch) {
    case '\\':
    case '{':
    case '}':
        m_afterControl = false;
        put('\\');
        put(char(ch));
        return;
    case '\t':
        control("tab");
        return;
    case 0x2028:
        control("line");
        return;
    default:
        break;
    }
    if (isDropped(ch))
        return;
    if (ch < 0x80) {
        delimit(char(ch));
        put(char(ch));
        return;
    }
    m_afterControl = false;
    const int byte = platform::unicodeToWindows1252(ch);
    if (byte >= 0) {
        const char hex[4] = {'\\', '\'', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
        put(QByteArrayView(hex, 4));
        return;
    }
    put("\\u");
    putNumber(static_cast<short>(ch));
    put('?');
}

void RtfWriterBuffer::text(QStringView text)
{
    for (QChar qc : text) {
        const char16_t ch = qc.unicode();
        escaped(ch);
        const qsizetype length = m_size - m_lineStart;
        // After a blank the next word starts cleanly on a new line.
        if ((ch == ' ' && length > kLineLength) || length > kHardLineLength)
            newline();
    }
}

void RtfWriterBuffer::hex(QByteArrayView data)
{
    if (m_afterControl)
        newline();
    m_afterControl = false;
    const qsizetype size = RtfOutput::hexSize(data.size());
    RtfOutput::encodeHex(data, grow(size));
    m_lineStart = m_size;
}

void RtfWriterBuffer::pictureHex(const QByteArray &data)
{
    // Below this the hex is written at once: small pictures cost nothing to
    // encode and keep take() a plain move.
    constexpr qsizetype kDeferredBytes = 64 * 1024;
    if (data.size() < kDeferredBytes) {
        hex(data);
        return;
    }
    if (m_afterControl)
        newline();
    m_afterControl = false;
    m_pictures.append({m_size, data});
    m_lineStart = m_size;
}

void RtfWriterBuffer::newline()
{
    put('\n');
    m_lineStart = m_size;
    // A line end after a control word ends it; a following letter can
    // no longer extend it.
    m_afterControl = false;
}

void RtfWriterBuffer::softBreak()
{
    if (m_size - m_lineStart > kLineLength)
        newline();
}

}  // namespace textctl
