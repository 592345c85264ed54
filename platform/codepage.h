#pragma once

// Conversion between 8-bit text and Unicode. Windows-1252, the code page of
// every data file and of the RTF the system writes, is converted by our own
// table; every other code page goes through the C library's iconv.
//
//   decodeWindows1252("Espa\xf1" "a")           // u"España"
//   encodeWindows1252(u"€ 12", &ok)           // "\x80 12", ok = true

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

// Windows-1252 as Windows maps it: the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
// same value, so every byte decodes and the table is reversible.
QString decodeWindows1252(QByteArrayView bytes);
char16_t windows1252ToUnicode(unsigned char byte);

// The byte for a character, or -1 when Windows-1252 has none.
int unicodeToWindows1252(char16_t ch);
bool fitsWindows1252(QStringView text);
// Characters without a byte become '?' and clear *ok (when given).
QByteArray encodeWindows1252(QStringView text, bool *ok = nullptr);

// Decodes bytes of a Windows code page number (437, 850, 874, 932, 936,
// 949, 950, 1250-1258, 10000 Mac Roman, ...). 1252 and 0 (ANSI) use the
// table above; 65001 is UTF-8. Returns a null QString when the code page is
// unknown to iconv. A single-byte code page decodes byte by byte, so a
// multi-byte code page needs its lead and trail bytes together.
QString decodeCodePage(QByteArrayView bytes, int codePage);

// True for code pages whose characters may take two bytes (932, 936, 949, 950).
bool isDoubleByteCodePage(int codePage);
bool isLeadByte(int codePage, unsigned char byte);

// The code page an RTF \fcharset implies (0 ANSI gives 1252), or 0 when the
// charset names none (2 symbol).
int codePageForCharset(int charset);

}  // namespace platform
