#include "data/datafile.h"
#include "data/linereader.h"
#include "tests/data/datafixtures.h"

#include <QTemporaryDir>

#include <limits>

#include <gtest/gtest.h>

using namespace data;
using namespace Qt::StringLiterals;
using datatest::writeFile;

namespace {

QList<QByteArray> splitAll(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    LineReader reader(bytes);
    QByteArrayView line;
    while (reader.next(&line))
        lines.append(line.toByteArray());
    return lines;
}

}  // namespace

TEST(LineReader, LineEnds)
{
    struct Row {
        const char *name;
        QByteArray bytes;
        QList<QByteArray> lines;
    };
    const Row rows[] = {
        {"empty text has no lines", "", {}},
        {"one line without end", "abc", {"abc"}},
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"last line without end counts", "a\r\nb", {"a", "b"}},
        {"lone cr ends a line", "a\rb\r", {"a", "b"}},
        {"lone lf is a character", "a\nb\r\n", {"a\nb"}},
        {"lf before cr stays in the line", "a\n\rb", {"a\n", "b"}},
        {"trailing lone lf is a last line", "a\r\n\n", {"a", "\n"}},
        {"empty lines count", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"cr then crlf", "a\r\r\n", {"a", ""}},
        {"only a cr", "\r", {""}},
        {"cr cr", "\r\r", {"", ""}},
        {"nul bytes are characters", QByteArray("a\0b\r\n", 5), {QByteArray("a\0b", 3)}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(splitAll(row.bytes), row.lines) << row.name;
}

TEST(LineReader, OffsetsAndExhaustion)
{
    const QByteArray bytes("ab\r\ncd\ref");
    LineReader reader(bytes);
    QByteArrayView line;
    const qsizetype offsets[] = {0, 4, 7};
    for (qsizetype offset : offsets) {
        ASSERT_TRUE(reader.next(&line));
        EXPECT_EQ(reader.lineOffset(), offset);
    }
    EXPECT_EQ(line, "ef");
    EXPECT_FALSE(reader.next(&line));
    EXPECT_EQ(line, "ef") << "a failed next() leaves the line alone";
    EXPECT_FALSE(reader.next(&line));
}

TEST(LineReader, ColumnSliceAndTrim)
{
    struct Row {
        const char *name;
        QByteArray line;
        qsizetype first;
        qsizetype count;
        QByteArray expected;
    };
    const Row rows[] = {
        {"inside", "abcdef", 2, 3, "bcd"},
        {"line ends inside", "abcd", 3, 10, "cd"},
        {"line ends just before", "abc", 4, 2, ""},
        {"last column", "abc", 3, 1, "c"},
        {"first below 1", "abc", 0, 2, ""},
        {"negative first", "abc", -3, 5, ""},
        {"negative count", "abc", 1, -1, ""},
        {"zero count", "abc", 1, 0, ""},
        {"huge count", "abc", 2, std::numeric_limits<qsizetype>::max(), "bc"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(columnSlice(row.line, row.first, row.count), row.expected) << row.name;

    EXPECT_EQ(trimSpaces("  a  b  "), "a  b");
    EXPECT_EQ(trimSpaces("    "), "");
    EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t") << "only spaces are trimmed";
}

TEST(ResolvePath, IgnoresLetterCaseInEveryComponent)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.path();
    writeFile(dir, u"plant/inf01.rtf"_s, "x");
    writeFile(dir, u"00123.TXT"_s, "x");
    ASSERT_TRUE(QDir(dir).mkdir(u"fotos"_s));

    struct Row {
        const char *name;
        QString relative;
        QString expected;
    };
    const Row rows[] = {
        {"exact", u"plant/inf01.rtf"_s, dir + u"/plant/inf01.rtf"_s},
        {"upper-case file", u"plant/INF01.RTF"_s, dir + u"/plant/inf01.rtf"_s},
        {"upper-case folder", u"PLANT/inf01.rtf"_s, dir + u"/plant/inf01.rtf"_s},
        {"windows separators", u"Plant\\Inf01.Rtf"_s, dir + u"/plant/inf01.rtf"_s},
        {"file written in upper case", u"00123.txt"_s, dir + u"/00123.TXT"_s},
        {"new file in an existing folder", u"FOTOS/00123.rtf"_s, dir + u"/fotos/00123.rtf"_s},
        {"missing folder keeps the rest", u"nada/Inf01.RTF"_s, dir + u"/nada/Inf01.RTF"_s},
        {"missing file", u"plant/INF99.RTF"_s, dir + u"/plant/INF99.RTF"_s},
        {"empty relative", QString(), dir},
    };
    for (const Row &row : rows)
        EXPECT_EQ(resolvePath(dir, row.relative), row.expected) << row.name;
}

TEST(ResolvePath, PrefersTheExactMatch)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.path();
    writeFile(dir, u"Datos/a.txt"_s, "1");
    writeFile(dir, u"datos/A.TXT"_s, "2");
    writeFile(dir, u"datos/a.txt"_s, "3");
    EXPECT_EQ(resolvePath(dir, u"Datos/a.txt"_s), dir + u"/Datos/a.txt"_s);
    EXPECT_EQ(resolvePath(dir, u"datos/A.TXT"_s), dir + u"/datos/A.TXT"_s);
    EXPECT_EQ(resolvePath(dir, u"datos/a.txt"_s), dir + u"/datos/a.txt"_s);
    // No exact match: one of the case variants, never a missing path.
    const QString some = resolvePath(dir, u"DATOS/a.Txt"_s);
    EXPECT_TRUE(QFileInfo::exists(some)) << some.toStdString();
}

TEST(ReadDataFile, ReadsBytesAndNamesTheFileOnFailure)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QByteArray content("a\r\n\xf1\x80\r\n", 7);
    writeFile(tmp.path(), u"x.txt"_s, content);
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(readDataFile(tmp.path() + u"/x.txt"_s, &bytes, &error));
    EXPECT_EQ(bytes, content);

    const QString missing = tmp.path() + u"/falta.txt"_s;
    bytes = "unchanged";
    EXPECT_FALSE(readDataFile(missing, &bytes, &error));
    EXPECT_EQ(error, u"No se puede leer el fichero "_s + missing);
    EXPECT_EQ(bytes, "unchanged");

    EXPECT_FALSE(readDataFile(tmp.path(), &bytes, &error)) << "a directory is not a data file";
    EXPECT_EQ(error, u"No se puede leer el fichero "_s + tmp.path());
}
