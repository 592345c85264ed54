#include "data/dictionary.h"
#include "data/fieldtable.h"
#include "tests/data/datafixtures.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace data;
using namespace Qt::StringLiterals;
using datatest::dictionaryLine;
using datatest::repeated;

namespace {

FieldTable parsed(const QByteArray &bytes)
{
    FieldTable table;
    QString error;
    EXPECT_TRUE(parseDictionary(bytes, &table, &error)) << error.toStdString();
    return table;
}

}  // namespace

TEST(ColumnNumber, Conversion)
{
    struct Row {
        const char *text;
        int expected;
    };
    const Row rows[] = {
        {"030", 30},       {"  12", 12},      {"12  ", 12},     {"12.5", 12},
        {"13.5", 14},      {"7x", 7},         {"x7", 0},        {"", 0},
        {"    ", 0},       {"-3", -3},        {"+4", 4},        {"1 2", 12},
        {"- 5", -5},       {"0.5", 0},        {"1.5", 2},       {"2.5", 2},
        {"2.51", 3},       {"2.49", 2},       {"2.50000001", 3}, {"-2.5", -2},
        {"-3.5", -4},      {"-0.5", 0},       {".5", 0},        {".51", 1},
        {"1.2.3", 1},      {"1e3", 1},        {"+-1", 0},       {"1 . 5", 2},
        {"\t7", 7},        {"9999", 9999},    {"32767", 32767}, {"32767.49", 32767},
        {"-32768", -32768}, {"-32768.5", -32768}, {"0000000000032767", 32767},
    };
    for (const Row &row : rows) {
        qint16 value = 12345;
        EXPECT_TRUE(parseColumnNumber(row.text, &value)) << row.text;
        EXPECT_EQ(value, row.expected) << row.text;
    }
}

TEST(ColumnNumber, OverflowIsAFailure)
{
    const char *rows[] = {"32768", "32767.5", "-32769", "-32768.51", "99999999999999999999999",
                          "-1000000"};
    for (const char *text : rows) {
        qint16 value = 77;
        EXPECT_FALSE(parseColumnNumber(text, &value)) << text;
        EXPECT_EQ(value, 77) << text;
    }
}

TEST(Dictionary, LineColumns)
{
    struct Row {
        const char *name;
        QByteArray line;
        campo expected;
    };
    const Row rows[] = {
        {"padded columns", dictionaryLine("Nombre del titular", "X1", "030", "12"),
         {u"Nombre del titular"_s, u"X1"_s, 30, 12}},
        {"20-character line", "Nombre de 20 letras ", {u"Nombre de 20 letras"_s, {}, 0, 0}},
        {"ends inside the key", "Causa                         CAU", {u"Causa"_s, u"CAU"_s, 0, 0}},
        {"ends inside the position", dictionaryLine("A", "K", "010", "1234").left(45),
         {u"A"_s, u"K"_s, 10, 12}},
        {"columns after 47 ignored", dictionaryLine("A", "K", "005", "  12") + "999 tail",
         {u"A"_s, u"K"_s, 5, 12}},
        {"30-character name, key at 31",
         "peritaje,texto parte siniestroPARTES    000   0",
         {u"peritaje,texto parte siniestro"_s, u"PARTES"_s, 0, 0}},
        {"10-character key", dictionaryLine("Franquicia", "FRANQUICIA", "010", "741"),
         {u"Franquicia"_s, u"FRANQUICIA"_s, 10, 741}},
        {"blanks inside kept", dictionaryLine("  Fecha   de  cierre ", " A B ", "0 1", "1 2"),
         {u"Fecha   de  cierre"_s, u"A B"_s, 1, 12}},
        {"non-numeric columns", dictionaryLine("A", "K", "abc", "x7"), {u"A"_s, u"K"_s, 0, 0}},
        {"halves to even", dictionaryLine("A", "K", "2.5", "13.5"), {u"A"_s, u"K"_s, 2, 14}},
        {"windows-1252", dictionaryLine("N\xfamero, compa\xf1\xed" "a \x80", "A\xd1O", "001", "1"),
         {u"Número, compañía €"_s, u"AÑO"_s, 1, 1}},
        {"empty line", "", {}},
    };
    for (const Row &row : rows) {
        campo entry{u"stale"_s, u"stale"_s, 9, 9};
        QString error;
        ASSERT_TRUE(parseDictionaryLine(row.line, &entry, &error)) << row.name;
        EXPECT_EQ(entry.nombre, row.expected.nombre) << row.name;
        EXPECT_EQ(entry.codigo, row.expected.codigo) << row.name;
        EXPECT_EQ(entry.longitud, row.expected.longitud) << row.name;
        EXPECT_EQ(entry.posicion, row.expected.posicion) << row.name;
    }
}

TEST(Dictionary, ThreeLinesGiveThreeEntriesAndASpare)
{
    const FieldTable table = parsed(dictionaryLine("Primero", "A", "005", "1") + "\r\n"
                                    + dictionaryLine("", "B", "010", "6") + "\r\n"
                                    + dictionaryLine("Primero", "C", "003", "16") + "\r\n");
    ASSERT_EQ(table.entries().size(), 4);
    EXPECT_EQ(table.lineCount(), 3);
    EXPECT_EQ(table.names(), QStringList({u"Primero"_s, QString(), u"Primero"_s}))
        << "combo items: file order, empty and repeated names too";
    const campo &spare = table.entries().last();
    EXPECT_TRUE(spare.nombre.isEmpty() && spare.codigo.isEmpty());
    EXPECT_EQ(spare.longitud, 0);
    EXPECT_EQ(spare.posicion, 0);
    EXPECT_EQ(table.posicion_campo(u"C"_s), 16);
    EXPECT_EQ(table.longitud_campo(u"B"_s), 10);
    EXPECT_EQ(kFieldComboText, u"Agencia");
}

TEST(Dictionary, LookupsTakeTheFirstMatchExactly)
{
    const FieldTable table = parsed(dictionaryLine("Uno", "X1", "030", "12") + "\r\n"
                                    + dictionaryLine("Dos", "X1", "005", "99") + "\r\n"
                                    + dictionaryLine("Tres", "", "007", "40") + "\r\n"
                                    + dictionaryLine("Cuatro", "", "008", "50"));
    EXPECT_EQ(table.posicion_campo(u"X1"_s), 12);
    EXPECT_EQ(table.longitud_campo(u"X1"_s), 30);
    EXPECT_EQ(table.indexOf(u"X1"_s), 0);
    EXPECT_EQ(table.posicion_campo(u"x1"_s), 0) << "letter case counts";
    EXPECT_EQ(table.longitud_campo(u"x1"_s), 0);
    EXPECT_EQ(table.posicion_campo(u"NADA"_s), 0);
    EXPECT_EQ(table.indexOf(u"NADA"_s), -1);
    EXPECT_EQ(table.posicion_campo(u" X1"_s), 0) << "the argument is not trimmed";
    EXPECT_EQ(table.longitud_campo(QString()), 7) << "an empty key finds the first empty-key line";
    EXPECT_EQ(table.posicion_campo(QString()), 40);

    const FieldTable noEmptyKey = parsed(dictionaryLine("Uno", "X1", "030", "12"));
    EXPECT_EQ(noEmptyKey.indexOf(QString()), 1) << "the spare entry takes part in the scan";
    EXPECT_EQ(noEmptyKey.posicion_campo(QString()), 0);
}

TEST(Dictionary, EmptyTextGivesNoEntries)
{
    const FieldTable table = parsed({});
    EXPECT_TRUE(table.entries().isEmpty());
    EXPECT_EQ(table.lineCount(), 0);
    EXPECT_TRUE(table.names().isEmpty());
    EXPECT_EQ(table.posicion_campo(QString()), 0);
    EXPECT_EQ(table.longitud_campo(u"NUMERO"_s), 0);
    EXPECT_EQ(table.indexOf(QString()), -1);

    // A single line end is one empty line, not an empty file.
    EXPECT_EQ(parsed("\r\n").entries().size(), 2);
}

TEST(Dictionary, LineEnds)
{
    const QByteArray a = dictionaryLine("A", "KA", "001", "1");
    const QByteArray b = dictionaryLine("B", "KB", "002", "2");
    EXPECT_EQ(parsed(a + "\r\n" + b).lineCount(), 2) << "last line without end";
    EXPECT_EQ(parsed(a + "\r" + b + "\r").lineCount(), 2) << "lone CR";
    const FieldTable lf = parsed(a + "\n" + b + "\r\n");
    EXPECT_EQ(lf.lineCount(), 1) << "a lone LF does not end a line";
    EXPECT_EQ(lf.posicion_campo(u"KA"_s), 1);
    EXPECT_EQ(lf.indexOf(u"KB"_s), -1);
}

TEST(Dictionary, LineLimit)
{
    const QByteArray line = dictionaryLine("N", "K", "001", "1") + "\r\n";
    const FieldTable full = parsed(repeated(line, kMaxDictionaryLines));
    EXPECT_EQ(full.entries().size(), kMaxDictionaryLines + 1);

    FieldTable table = parsed(line);
    QString error;
    EXPECT_FALSE(parseDictionary(repeated(line, kMaxDictionaryLines + 1), &table, &error));
    EXPECT_TRUE(error.startsWith(u"Desbordamiento"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"32766"_s)) << error.toStdString();
    EXPECT_EQ(table.lineCount(), 1) << "a failed parse leaves the table alone";
    // Only CRs: every one is an empty line.
    EXPECT_FALSE(parseDictionary(QByteArray(kMaxDictionaryLines + 1, '\r'), &table, &error));
    EXPECT_TRUE(parseDictionary(QByteArray(kMaxDictionaryLines, '\r'), &table, &error));
}

TEST(Dictionary, ReadFromTheProgramDirectory)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    FieldTable table(QList<campo>{{u"Viejo"_s, u"OLD"_s, 1, 1}});

    QString error;
    EXPECT_FALSE(cargar_diccionario(tmp.path(), &table, &error));
    EXPECT_EQ(error, u"No se puede leer el fichero "_s + tmp.path() + u"/finstru.txt"_s);
    EXPECT_EQ(table.posicion_campo(u"OLD"_s), 1) << "a failed load leaves the table alone";

    // The claim-management application may write the name in upper case.
    datatest::writeFile(tmp.path(), u"FINSTRU.TXT"_s,
                        dictionaryLine("N\xfamero de expediente", "NUMERO", "010", "1") + "\r\n"
                            + dictionaryLine("Ramo", "RAMO", "030", "116") + "\r\n");
    ASSERT_TRUE(cargar_diccionario(tmp.path(), &table, &error)) << error.toStdString();
    EXPECT_EQ(table.names(), QStringList({u"Número de expediente"_s, u"Ramo"_s}));
    EXPECT_EQ(table.posicion_campo(u"RAMO"_s), 116);
    EXPECT_EQ(table.longitud_campo(u"RAMO"_s), 30);
    EXPECT_EQ(table.posicion_campo(u"OLD"_s), 0);
    EXPECT_EQ(table.longitud_campo(u"ramo"_s), 0);
}

TEST(Dictionary, FailuresNameTheFile)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    datatest::writeFile(tmp.path(), u"finstru.txt"_s, QByteArray(kMaxDictionaryLines + 1, '\r'));
    FieldTable table;
    QString error;
    EXPECT_FALSE(cargar_diccionario(tmp.path(), &table, &error));
    EXPECT_EQ(error, u"Error en el fichero "_s + tmp.path() + u"/finstru.txt: "_s
                         + u"Desbordamiento: el diccionario tiene más de 32766 líneas"_s);
}

TEST(Dictionary, DemoProgramDirectory)
{
    FieldTable table;
    QString error;
    ASSERT_TRUE(cargar_diccionario(QStringLiteral(VALDRIN_SAMPLES_DIR), &table, &error))
        << error.toStdString();
    EXPECT_EQ(table.lineCount(), 58);
    const QStringList names = table.names();
    EXPECT_EQ(names.first(), u"Número de expediente");
    EXPECT_EQ(names.at(2), u"Compañía");
    EXPECT_TRUE(names.contains(u"Agencia"_s));
    EXPECT_EQ(table.posicion_campo(u"NUMERO"_s), 1);
    EXPECT_EQ(table.longitud_campo(u"NUMERO"_s), 10);
    EXPECT_EQ(table.posicion_campo(u"TITULAR"_s), 1366);
    EXPECT_EQ(table.longitud_campo(u"TITULAR"_s), 30);
    EXPECT_EQ(table.posicion_campo(u"CIF"_s), 1396);
    EXPECT_EQ(table.longitud_campo(u"CIF"_s), 35);
    EXPECT_EQ(table.posicion_campo(u"FRANQUICIA"_s), 741);
    EXPECT_EQ(table.longitud_campo(u"FRANQUICIA"_s), 10);
    const qsizetype partes = table.indexOf(u"PARTES"_s);
    ASSERT_GE(partes, 0);
    EXPECT_EQ(table.entries()[partes].nombre, u"peritaje,texto parte siniestro");
    for (const char *key : {"CABECERA", "HISTORIA", "PARTES", "VALORA", "VALOR_CON", "VALOR_UNI",
                            "VALOR_PRE", "VALOR_DES", "VALOR_TOT", "PIE"}) {
        EXPECT_GE(table.indexOf(QString::fromLatin1(key)), 0) << key;
        EXPECT_EQ(table.longitud_campo(QString::fromLatin1(key)), 0) << key;
        EXPECT_EQ(table.posicion_campo(QString::fromLatin1(key)), 0) << key;
    }
}

// Hostile input: the reader must neither crash nor lose its invariants.
TEST(Dictionary, Pathological)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char(i % 256));
    QByteArray random(1 << 16, Qt::Uninitialized);
    QRandomGenerator generator(1252);
    for (char &c : random)
        c = char(generator.bounded(256));
    struct Row {
        const char *name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"huge line", QByteArray(8 << 20, 'x')},
        {"huge line of digits", QByteArray(40, ' ') + QByteArray(4 << 20, '9')},
        {"binary bytes", binary},
        {"random bytes", random},
        {"only LFs", QByteArray(1 << 20, '\n')},
        {"only CR LFs", repeated("\r\n", 1000)},
        {"nul bytes", QByteArray(5000, '\0')},
    };
    for (const Row &row : rows) {
        FieldTable table;
        QString error;
        if (!parseDictionary(row.bytes, &table, &error)) {
            EXPECT_FALSE(error.isEmpty()) << row.name;
            continue;
        }
        EXPECT_EQ(table.entries().size(), table.lineCount() == 0 ? 0 : table.lineCount() + 1)
            << row.name;
        for (const campo &entry : table.entries()) {
            EXPECT_LE(entry.nombre.size(), 30) << row.name;
            EXPECT_LE(entry.codigo.size(), 10) << row.name;
            EXPECT_GE(table.indexOf(entry.codigo), 0) << row.name;
        }
    }
    // A huge line holds only one entry, cut to its columns.
    FieldTable huge = parsed(QByteArray(8 << 20, 'x'));
    EXPECT_EQ(huge.entries().first().nombre, QString(30, u'x'));
    EXPECT_EQ(huge.entries().first().codigo, QString(10, u'x'));
}
