#include "platform/codepage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <mutex>
#include <unordered_map>

namespace platform {

namespace {

// 0x80..0x9F of Windows-1252; the undefined bytes keep their C1 value.
constexpr std::array<char16_t, 32> kHigh1252{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const char *iconvName(int codePage)
{
    switch (codePage) {
    case 437: return "CP437";
    case 708: return "ISO-8859-6";
    case 737: return "CP737";
    case 775: return "CP775";
    case 850: return "CP850";
    case 852: return "CP852";
    case 855: return "CP855";
    case 857: return "CP857";
    case 860: return "CP860";
    case 861: return "CP861";
    case 862: return "CP862";
    case 863: return "CP863";
    case 864: return "CP864";
    case 865: return "CP865";
    case 866: return "CP866";
    case 869: return "CP869";
    case 874: return "CP874";
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 1361: return "JOHAB";
    case 10000: return "MACINTOSH";
    case 10001: return "SHIFT_JIS";
    case 10002: return "BIG5";
    case 10003: return "EUC-KR";
    case 10004: return "MACARABIC";
    case 10005: return "MACHEBREW";
    case 10006: return "MACGREEK";
    case 10007: return "MACCYRILLIC";
    case 10008: return "EUC-CN";
    case 10021: return "TIS-620";
    case 10029: return "MAC-CENTRALEUROPE";
    case 10079: return "MACICELAND";
    case 10081: return "MACTURKISH";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28595: return "ISO-8859-5";
    case 28597: return "ISO-8859-7";
    case 28599: return "ISO-8859-9";
    case 28605: return "ISO-8859-15";
    default: return nullptr;
    }
}

// iconv descriptors are costly to open; keep one per code page. A reader
// decodes many short runs, so this matters.
class IconvCache {
public:
    ~IconvCache()
    {
        for (auto &[cp, cd] : m_open)
            if (cd != reinterpret_cast<iconv_t>(-1))
                iconv_close(cd);
    }

    QString decode(QByteArrayView bytes, int codePage)
    {
        std::lock_guard lock(m_mutex);
        iconv_t cd = descriptor(codePage);
        if (cd == reinterpret_cast<iconv_t>(-1))
            return {};
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        QString out;
        out.reserve(bytes.size());
        char *in = const_cast<char *>(bytes.data());
        size_t inLeft = bytes.size();
        std::array<char16_t, 256> buffer;
        while (inLeft > 0) {
            char *outPtr = reinterpret_cast<char *>(buffer.data());
            size_t outLeft = sizeof(buffer);
            const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(reinterpret_cast<const QChar *>(buffer.data()),
                       (sizeof(buffer) - outLeft) / sizeof(char16_t));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
                // An invalid or incomplete sequence: show one replacement
                // character and go on after the offending byte.
                out.append(QChar::ReplacementCharacter);
                ++in;
                --inLeft;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t descriptor(int codePage)
    {
        auto it = m_open.find(codePage);
        if (it != m_open.end())
            return it->second;
        const char *name = iconvName(codePage);
        iconv_t cd = name ? iconv_open("UTF-16LE", name) : reinterpret_cast<iconv_t>(-1);
        m_open.emplace(codePage, cd);
        return cd;
    }

    std::mutex m_mutex;
    std::unordered_map<int, iconv_t> m_open;
};

IconvCache &iconvCache()
{
    static IconvCache cache;
    return cache;
}

}  // namespace

char16_t windows1252ToUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHigh1252[byte - 0x80] : char16_t(byte);
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (char c : bytes)
        *dst++ = QChar(windows1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

int unicodeToWindows1252(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < int(kHigh1252.size()); ++i)
        if (kHigh1252[i] == ch)
            return 0x80 + i;
    return -1;
}

bool fitsWindows1252(QStringView text)
{
    for (QChar ch : text)
        if (unicodeToWindows1252(ch.unicode()) < 0)
            return false;
    return true;
}

QByteArray encodeWindows1252(QStringView text, bool *ok)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    bool all = true;
    char *dst = out.data();
    for (QChar ch : text) {
        const int byte = unicodeToWindows1252(ch.unicode());
        all = all && byte >= 0;
        *dst++ = byte >= 0 ? char(byte) : '?';
    }
    if (ok)
        *ok = all;
    return out;
}

QString decodeCodePage(QByteArrayView bytes, int codePage)
{
    if (codePage == 1252 || codePage == 0)
        return decodeWindows1252(bytes);
    if (codePage == 65001)
        return QString::fromUtf8(bytes);
    return iconvCache().decode(bytes, codePage);
}

bool isDoubleByteCodePage(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950
        || codePage == 1361 || codePage == 10001 || codePage == 10003 || codePage == 10008;
}

bool isLeadByte(int codePage, unsigned char byte)
{
    switch (codePage) {
    case 932:
    case 10001:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
    case 1361:
    case 10003:
    case 10008:
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
}

int codePageForCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;     // ANSI
    case 1: return 0;        // default: the document's
    case 2: return 0;        // symbol: no code page
    case 77: return 10000;   // Mac Roman
    case 78: return 10001;   // Mac Shift JIS
    case 79: return 10003;   // Mac Hangul
    case 80: return 10008;   // Mac GB2312
    case 81: return 10002;   // Mac Big5
    case 83: return 10005;   // Mac Hebrew
    case 84: return 10004;   // Mac Arabic
    case 85: return 10006;   // Mac Greek
    case 86: return 10081;   // Mac Turkish
    case 87: return 10021;   // Mac Thai
    case 88: return 10029;   // Mac East Europe
    case 89: return 10007;   // Mac Russian
    case 128: return 932;    // Shift JIS
    case 129: return 949;    // Hangul
    case 130: return 1361;   // Johab
    case 134: return 936;    // GB2312
    case 136: return 950;    // Big5
    case 161: return 1253;   // Greek
    case 162: return 1254;   // Turkish
    case 163: return 1258;   // Vietnamese
    case 177: return 1255;   // Hebrew
    case 178: return 1256;   // Arabic
    case 186: return 1257;   // Baltic
    case 204: return 1251;   // Russian
    case 222: return 874;    // Thai
    case 238: return 1250;   // Eastern European
    case 254: return 437;    // PC 437
    case 255: return 850;    // OEM
    default: return 0;
    }
}

}  // namespace platform
