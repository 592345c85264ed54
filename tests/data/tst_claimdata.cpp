#include "data/claimdata.h"
#include "data/dictionary.h"
#include "tests/data/datafixtures.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace data;
using namespace Qt::StringLiterals;
using datatest::dictionaryLine;
using datatest::padded;
using datatest::repeated;

namespace {

ClaimData parsed(const QByteArray &bytes)
{
    ClaimData claims;
    QString error;
    EXPECT_TRUE(ClaimData::parse(bytes, &claims, &error)) << error.toStdString();
    return claims;
}

// A record with the holder fields at their fixed columns.
QByteArray holderRecord(const QByteArray &titular, const QByteArray &cif)
{
    return padded("00123", 1365) + padded(titular, 30) + padded(cif, 35);
}

}  // namespace

TEST(ClaimData, CutField)
{
    struct Row {
        const char *name;
        QByteArray record;
        int posicion;
        int longitud;
        QString expected;
    };
    const Row rows[] = {
        {"whole field", "ABCDEF", 2, 3, u"BCD"_s},
        {"column 1 is the first character", "ABCDEF", 1, 2, u"AB"_s},
        {"outer spaces go, inner ones stay", "x   a    b   y", 2, 12, u"a    b"_s},
        {"only spaces", "x     y", 2, 5, {}},
        {"record ends inside the field", "abcd", 3, 10, u"cd"_s},
        {"record ends before the field", "abc", 4, 2, {}},
        {"start column 0", "abc", 0, 2, {}},
        {"negative start column", "abc", -5, 9, {}},
        {"negative length", "abc", 1, -1, {}},
        {"zero length", "abc", 1, 0, {}},
        {"tabs are not blanks", "\tab\t", 1, 4, u"\tab\t"_s},
        {"windows-1252", "N\xfa\xf1" "ez \x80 ", 1, 9, u"Núñez €"_s},
        {"undefined byte keeps its value", "\x81", 1, 1, QString(QChar(0x81))},
        {"lone LF is a character", "ab\ncd", 3, 2, u"\nc"_s},
    };
    for (const Row &row : rows)
        EXPECT_EQ(cutField(row.record, row.posicion, row.longitud), row.expected) << row.name;
}

TEST(ClaimData, RecordsAndLineEnds)
{
    struct Row {
        const char *name;
        QByteArray bytes;
        QList<QByteArray> records;
    };
    const Row rows[] = {
        {"crlf", "uno\r\ndos\r\ntres\r\n", {"uno", "dos", "tres"}},
        {"last line without end", "uno\r\ndos\r\ntres", {"uno", "dos", "tres"}},
        {"empty line in the middle", "uno\r\n\r\ntres\r\n", {"uno", "", "tres"}},
        {"lone CR", "uno\rdos\r", {"uno", "dos"}},
        {"lone LF inside a record", "uno\ndos\r\n", {"uno\ndos"}},
        {"empty file", "", {}},
        {"one empty line", "\r\n", {""}},
    };
    for (const Row &row : rows) {
        const ClaimData claims = parsed(row.bytes);
        ASSERT_EQ(claims.recordCount(), row.records.size()) << row.name;
        for (int i = 0; i < row.records.size(); ++i)
            EXPECT_EQ(claims.recordBytes(i + 1), row.records[i]) << row.name << " record " << i + 1;
    }
}

TEST(ClaimData, ValuesByRecordNumber)
{
    const ClaimData claims = parsed("AAAAA11111\r\n"
                                    "BBBBB  2 2 \r\n"
                                    "\r\n"
                                    "CCC\r\n"
                                    "DD\xd1" "DD44444");
    ASSERT_EQ(claims.recordCount(), 5);
    EXPECT_EQ(claims.value(2, 6, 5), u"2 2"_s) << "record 2 comes from the second line";
    EXPECT_EQ(claims.value(1, 6, 5), u"11111"_s);
    EXPECT_EQ(claims.value(3, 1, 5), QString()) << "an empty line gives empty values";
    EXPECT_EQ(claims.value(4, 6, 5), QString()) << "a short record gives empty values";
    EXPECT_EQ(claims.value(5, 1, 5), u"DDÑDD"_s);
    EXPECT_EQ(claims.record(5), u"DDÑDD44444"_s);
    for (int registro : {0, -1, 6, 32767}) {
        EXPECT_EQ(claims.value(registro, 1, 5), QString()) << registro;
        EXPECT_TRUE(claims.recordBytes(registro).isEmpty()) << registro;
    }

    const FieldTable table(QList<campo>{{u"Primero"_s, u"NUM"_s, 5, 6},
                                        {u"Otra vez"_s, u"NUM"_s, 5, 1},
                                        {u"Sin sitio"_s, u"CERO"_s, 5, 0},
                                        {u"Al reves"_s, u"NEG"_s, -3, 2}});
    EXPECT_EQ(valor_campo(table, claims, u"NUM"_s, 1), u"11111"_s) << "the first entry with the key";
    EXPECT_EQ(valor_campo(table, claims, u"num"_s, 1), QString()) << "letter case counts";
    EXPECT_EQ(valor_campo(table, claims, u"FALTA"_s, 1), QString());
    EXPECT_EQ(valor_campo(table, claims, u"CERO"_s, 1), QString());
    EXPECT_EQ(valor_campo(table, claims, u"NEG"_s, 1), QString());
}

TEST(ClaimData, LastLineEndMakesNoDifference)
{
    const QByteArray body = "00123     Agua\r\n00187     Robo";
    const ClaimData without = parsed(body);
    const ClaimData with = parsed(body + "\r\n");
    ASSERT_EQ(without.recordCount(), 2);
    ASSERT_EQ(with.recordCount(), 2);
    for (int registro = 1; registro <= 2; ++registro)
        EXPECT_EQ(without.record(registro), with.record(registro));
}

TEST(ClaimData, HolderFields)
{
    const QByteArray full = holderRecord("  Jos\xe9 \xc1ngel  N\xfa\xf1" "ez", "X4829163Z");
    ASSERT_EQ(full.size(), 1430);
    const HolderFields holder = holderFields(full);
    EXPECT_EQ(holder.titular, u"José Ángel  Núñez"_s);
    EXPECT_EQ(holder.cif, u"X4829163Z"_s);

    const HolderFields shortRecord = holderFields(QByteArray(1365, 'x'));
    EXPECT_TRUE(shortRecord.titular.isEmpty());
    EXPECT_TRUE(shortRecord.cif.isEmpty());

    const HolderFields insideName = holderFields(QByteArray(1365, ' ') + "Ana Ruiz");
    EXPECT_EQ(insideName.titular, u"Ana Ruiz"_s);
    EXPECT_TRUE(insideName.cif.isEmpty());

    // Both fields full, with the record going on after column 1430.
    const QByteArray tight =
        QByteArray(1365, ' ') + QByteArray(30, 'N') + QByteArray(35, 'C') + "14/03/2024";
    EXPECT_EQ(holderFields(tight).titular, QString(30, u'N'));
    EXPECT_EQ(holderFields(tight).cif, QString(35, u'C'));

    const ClaimData claims = parsed("corto\r\n" + full);
    EXPECT_TRUE(claims.holder(1).titular.isEmpty());
    EXPECT_EQ(claims.holder(2).cif, u"X4829163Z"_s);
}

TEST(ClaimData, RecordLimit)
{
    const ClaimData full = parsed(repeated("x\r\n", kMaxClaimRecords - 1) + "ultimo");
    ASSERT_EQ(full.recordCount(), kMaxClaimRecords);
    EXPECT_EQ(full.value(kMaxClaimRecords, 1, 6), u"ultimo"_s);

    ClaimData claims = parsed("previo");
    QString error;
    EXPECT_FALSE(ClaimData::parse(repeated("x\r\n", kMaxClaimRecords) + "y", &claims, &error));
    EXPECT_TRUE(error.startsWith(u"Desbordamiento"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"32767"_s)) << error.toStdString();
    EXPECT_EQ(claims.record(1), u"previo"_s) << "a refused file leaves the data alone";
    // A last line end adds no record, so exactly 32767 lines with ends pass.
    EXPECT_TRUE(ClaimData::parse(repeated("x\r\n", kMaxClaimRecords), &claims, &error));
    EXPECT_FALSE(ClaimData::parse(QByteArray(kMaxClaimRecords + 1, '\r'), &claims, &error));
}

TEST(ClaimDataFile, ReadFromTheProgramDirectory)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const FieldTable table(QList<campo>{{u"Expediente"_s, u"NUMERO"_s, 5, 1}, {u"Causa"_s, u"CAUSA"_s, 10, 6}});
    datatest::writeFile(tmp.path(), u"FinalPrn.TXT"_s,
                        "00123Agua  \r\n"
                        "00187Incendio  \r\n");
    ClaimData claims;
    QString error;
    ASSERT_TRUE(loadClaimData(tmp.path(), &claims, &error)) << error.toStdString();
    EXPECT_EQ(claims.recordCount(), 2);
    EXPECT_EQ(valor_campo(table, claims, u"CAUSA"_s, 2), u"Incendio"_s);
    EXPECT_EQ(valor_campo(table, claims, u"CAUSA"_s, 3), QString());
    EXPECT_EQ(valor_campo(table, claims, u"OTRA"_s, 1), QString());
    EXPECT_EQ(valor_campo(table, claims, u"NUMERO"_s, 2), u"00187"_s);

    ASSERT_TRUE(QFile::remove(tmp.path() + u"/FinalPrn.TXT"_s));
    EXPECT_FALSE(loadClaimData(tmp.path(), &claims, &error));
    EXPECT_EQ(error, u"No se puede leer el fichero "_s + tmp.path() + u"/finalprn.txt"_s);

    datatest::writeFile(tmp.path(), u"finalprn.txt"_s, QByteArray(kMaxClaimRecords + 1, '\r'));
    EXPECT_FALSE(loadClaimData(tmp.path(), &claims, &error));
    const QString prefix =
        u"Error en el fichero "_s + tmp.path() + u"/finalprn.txt: Desbordamiento"_s;
    EXPECT_TRUE(error.startsWith(prefix)) << error.toStdString();
    EXPECT_EQ(claims.recordCount(), 2) << "a refused file leaves the data alone";
}

TEST(ClaimDataFile, DemoProgramDirectory)
{
    const QString dir = QStringLiteral(VALDRIN_SAMPLES_DIR);
    FieldTable table;
    ClaimData claims;
    QString error;
    ASSERT_TRUE(cargar_diccionario(dir, &table, &error)) << error.toStdString();
    ASSERT_TRUE(loadClaimData(dir, &claims, &error)) << error.toStdString();
    ASSERT_EQ(claims.recordCount(), 3);
    EXPECT_EQ(claims.recordBytes(1).size(), 1440);
    EXPECT_EQ(claims.recordBytes(2).size(), 1430);
    const auto valor = [&](const char16_t *codigo, int registro) {
        return valor_campo(table, claims, QString::fromUtf16(codigo), registro);
    };
    EXPECT_EQ(valor(u"NUMERO", 1), u"00123"_s);
    EXPECT_EQ(valor(u"NUMERO", 2), u"00187"_s);
    EXPECT_EQ(valor(u"NUMERO", 3), u"00201"_s);
    EXPECT_EQ(valor(u"FECCIERRE", 1), u"14/03/2024"_s);
    EXPECT_EQ(valor(u"FECCIERRE", 2), QString()) << "record 2 ends at column 1430";
    EXPECT_EQ(valor(u"DIRRIE", 1), u"C/ Santiago, 14   3º B"_s) << "inner blanks stay";
    EXPECT_EQ(valor(u"FRANQUICIA", 1), u"150,00"_s) << "right-aligned amount";
    EXPECT_EQ(valor(u"PERJUDICA", 1), u"Ángel Martín Cuesta (vivienda 2º B)"_s);
    EXPECT_EQ(valor(u"PERJUDICA", 2), QString());
    EXPECT_EQ(valor(u"TITULAR", 1), u"María Jesús Fernández Llorente"_s);
    const HolderFields holder1 = claims.holder(1);
    EXPECT_EQ(holder1.titular, u"María Jesús Fernández Llorente"_s);
    EXPECT_EQ(holder1.cif, u"71934862Q"_s);
    EXPECT_EQ(claims.holder(2).titular, u"Asador El Olivar, S.L."_s);
    EXPECT_EQ(claims.holder(2).cif, u"B34526178"_s);
    EXPECT_EQ(claims.holder(3).titular, u"José Ángel Núñez Ibáñez"_s);
}

TEST(ClaimData, Pathological)
{
    QByteArray binary;
    for (int i = 0; i < 8192; ++i)
        binary.append(char(i % 256));
    QByteArray random(1 << 16, Qt::Uninitialized);
    QRandomGenerator generator(1430);
    for (char &c : random)
        c = char(generator.bounded(256));
    struct Row {
        const char *name;
        QByteArray bytes;
        int records;
    };
    const Row rows[] = {
        {"huge line", QByteArray(16 << 20, 'x'), 1},
        {"binary bytes", binary, 33},  // one CR in every 256 bytes, none last
        {"only CRs", QByteArray(kMaxClaimRecords, '\r'), kMaxClaimRecords},
        {"only LFs", QByteArray(1 << 20, '\n'), 1},
        {"nul bytes", QByteArray(5000, '\0'), 1},
        {"random bytes", random, -1},
    };
    for (const Row &row : rows) {
        ClaimData claims;
        QString error;
        ASSERT_TRUE(ClaimData::parse(row.bytes, &claims, &error)) << row.name;
        if (row.records >= 0) {
            EXPECT_EQ(claims.recordCount(), row.records) << row.name;
        }
        qsizetype total = 0;
        for (int registro = 1; registro <= claims.recordCount(); ++registro) {
            total += claims.recordBytes(registro).size();
            EXPECT_LE(claims.value(registro, 1, 40).size(), 40) << row.name;
        }
        EXPECT_LE(total, row.bytes.size()) << row.name;
        EXPECT_EQ(claims.value(1, 1366, 30), holderFields(claims.recordBytes(1)).titular)
            << row.name;
    }
}
