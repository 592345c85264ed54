#include "platform/codepage.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Windows1252, DecodesTheHighHalfAsWindowsDoes)
{
    const QByteArray bytes("\x80\x81\x8a\x9f\xa0\xf1\xe1\xff", 8);
    EXPECT_EQ(decodeWindows1252(bytes), QString::fromUtf8("€\u0081Š\u0178\u00a0ñáÿ"));
}

TEST(Windows1252, EveryByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        const char16_t ch = windows1252ToUnicode(static_cast<unsigned char>(b));
        EXPECT_EQ(unicodeToWindows1252(ch), b) << "byte " << b;
    }
}

TEST(Windows1252, EncodeMarksCharactersWithoutAByte)
{
    bool ok = true;
    EXPECT_EQ(encodeWindows1252(u"€ ñ", &ok), QByteArray("\x80 \xf1"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(encodeWindows1252(u"a\u0416b", &ok), QByteArray("a?b"));
    EXPECT_FALSE(ok);
    EXPECT_FALSE(fitsWindows1252(u"\u2200"));
    EXPECT_TRUE(fitsWindows1252(u"Año 2024 – “ok”"));
}

TEST(CodePage, DecodesThroughIconv)
{
    struct Row { const char *name; int codePage; QByteArray bytes; QString expected; };
    const Row rows[] = {
        {"cp1250", 1250, QByteArray("\x9a\xe8", 2), QString::fromUtf8("šč")},
        {"cp1251", 1251, QByteArray("\xcf\xf0\xe8", 3), QString::fromUtf8("При")},
        {"cp1253", 1253, QByteArray("\xc1\xe1", 2), QString::fromUtf8("Αα")},
        {"cp932", 932, QByteArray("\x93\xfa\x96\x7b", 4), QString::fromUtf8("日本")},
        {"cp950", 950, QByteArray("\xa4\xa4", 2), QString::fromUtf8("中")},
        {"mac roman", 10000, QByteArray("\x8e", 1), QString::fromUtf8("é")},
        {"utf-8", 65001, QByteArray("\xc3\xb1", 2), QString::fromUtf8("ñ")},
        {"ansi default", 0, QByteArray("\x80", 1), QString::fromUtf8("€")},
    };
    for (const Row &row : rows)
        EXPECT_EQ(decodeCodePage(row.bytes, row.codePage), row.expected) << row.name;
}

TEST(CodePage, UnknownCodePageGivesNullAndBadBytesAReplacement)
{
    EXPECT_TRUE(decodeCodePage("abc", 12345).isNull());
    // A lone lead byte of Shift JIS at the end cannot decode.
    EXPECT_EQ(decodeCodePage(QByteArray("a\x93", 2), 932), QString::fromUtf16(u"a\uFFFD"));
}

TEST(CodePage, CharsetsAndLeadBytes)
{
    EXPECT_EQ(codePageForCharset(0), 1252);
    EXPECT_EQ(codePageForCharset(238), 1250);
    EXPECT_EQ(codePageForCharset(128), 932);
    EXPECT_EQ(codePageForCharset(2), 0);
    EXPECT_TRUE(isDoubleByteCodePage(936));
    EXPECT_FALSE(isDoubleByteCodePage(1251));
    EXPECT_TRUE(isLeadByte(932, 0x93));
    EXPECT_FALSE(isLeadByte(932, 0x41));
}
