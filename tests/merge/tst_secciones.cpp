// Section files and their blocks.
#include "merge/mergedata.h"
#include "merge/secciones.h"
#include "textctl/txtextcontrol.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace merge;

namespace {

const QByteArray kAllTen =
    "ignored before\r\n"
    "[CABECERA]\r\nprevio 1\r\nprevio 2\r\n"
    "  [PIE]  \r\nconclusion\r\n"
    "[HISTORIA]\r\n             historia con blancos\r\n"
    "[PARTES]\r\nparte\r\n"
    "[VALORACION]\r\ndetalle\r\n"
    "[VAL_CON]\r\nc1\r\nc2\r\n"
    "[VAL_UNI]\r\nu1\r\n"
    "[VAL_PRE]\r\np1\r\n"
    "[VAL_DES]\r\nd1\r\n"
    "[VAL_TOT]\r\nt1\r\nt2";

QString blocksOf(const QByteArray &bytes, bool *ok)
{
    SectionBlocks blocks;
    *ok = readSections(bytes, &blocks);
    QStringList parts;
    for (const QString &b : blocks)
        parts << QString(b).replace(u"\n\r"_qs, u"|"_qs);
    return parts.join(u" / "_qs);
}

}  // namespace

TEST(ReadSections, SplitsTheFileIntoItsTenBlocks)
{
    struct Row { const char *name; QByteArray bytes; bool ok; QString blocks; };
    const Row rows[] = {
        {"all ten, last line without end", kAllTen, true,
         u"previo 1|previo 2| / conclusion| /              historia con blancos| / parte| / detalle| / "
         "c1|c2| / u1| / p1| / d1| / t1|t2|"_qs},
        {"ends after the valuation detail",
         "[CABECERA]\r\na\r\n[PIE]\r\n[HISTORIA]\r\n[PARTES]\r\n[VALORACION]\r\nv1\r\nv2\r\n", true,
         u"a| /  /  /  / v1|v2| /  /  /  /  / "_qs},
        {"lower-case header is an ordinary line",
         "[CABECERA]\r\n[pie]\r\n[PIE]\r\n[HISTORIA]\r\n[PARTES]\r\n[VALORACION]\r\n", true,
         u"[pie]| /  /  /  /  /  /  /  /  / "_qs},
        {"a missing optional header lets the section before it run on",
         "[CABECERA]\r\n[PIE]\r\n[HISTORIA]\r\n[PARTES]\r\n[VALORACION]\r\n[VAL_CON]\r\nc\r\n[VAL_PRE]\r\np\r\n[VAL_TOT]\r\nt\r\n",
         true, u" /  /  /  /  / c|[VAL_PRE]|p|[VAL_TOT]|t| /  /  /  / "_qs},
        {"a header out of its order is an ordinary line",
         "[CABECERA]\r\n[HISTORIA]\r\n[PIE]\r\n[CABECERA]\r\n[HISTORIA]\r\n[PARTES]\r\n[VALORACION]\r\n", true,
         u"[HISTORIA]| / [CABECERA]| /  /  /  /  /  /  /  / "_qs},
        {"lone CR ends lines, lone LF does not",
         "[CABECERA]\ra\nb\r[PIE]\r[HISTORIA]\r[PARTES]\r[VALORACION]\r", true,
         u"a\nb| /  /  /  /  /  /  /  /  / "_qs},
        {"windows-1252 decoded", "[CABECERA]\r\nValoraci\xf3n 1.584,52 \x80\r\n[PIE]\r\n[HISTORIA]\r\n[PARTES]\r\n[VALORACION]", true,
         u"Valoración 1.584,52 €| /  /  /  /  /  /  /  /  / "_qs},
        {"without [PARTES] everything goes",
         "[CABECERA]\r\na\r\n[PIE]\r\nb\r\n[HISTORIA]\r\nc\r\n[VALORACION]\r\nd\r\n", false,
         u" /  /  /  /  /  /  /  /  / "_qs},
        {"no [CABECERA]", "[PIE]\r\n", false, u" /  /  /  /  /  /  /  /  / "_qs},
        {"empty file", "", false, u" /  /  /  /  /  /  /  /  / "_qs},
    };
    for (const Row &row : rows) {
        bool ok = false;
        EXPECT_EQ(blocksOf(row.bytes, &ok), row.blocks) << row.name;
        EXPECT_EQ(ok, row.ok) << row.name;
    }
}

class InsertarSecciones : public ::testing::Test {
protected:
    void SetUp() override
    {
        control.setText(
            u"A &Peritaje,Texto previo& B\r\n&PERITAJE,TEXTO PREVIO&\r\n&Peritaje,Texto conclusion&\r\n"
            "&peritaje,texto incidencias&&peritaje,texto parte siniestro&&peritaje, detalle valoracion&"
            "&valoracion,concepto&&valoracion,unidad&&valoracion,precio&&valoracion,Descuento&&valoracion,Total&"_qs);
    }

    void writeSectionFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    TXTextControl control;
};

TEST_F(InsertarSecciones, EachBlockReplacesTheFirstOccurrenceOfItsMarker)
{
    writeSectionFile(u"00123.TXT"_qs, kAllTen);
    insertar_secciones(control, MergeData{dir.path(), {}, {}}, u"00123"_qs);
    EXPECT_EQ(control.Text(),
              u"A previo 1\nprevio 2\n B\n&PERITAJE,TEXTO PREVIO&\nconclusion\n\n"
              "             historia con blancos\nparte\ndetalle\nc1\nc2\nu1\np1\nd1\nt1\nt2\n"_qs);
}

TEST_F(InsertarSecciones, AMissingFileRemovesEveryMarkerSilently)
{
    insertar_secciones(control, MergeData{dir.path(), {}, {}}, u"99999"_qs);
    EXPECT_EQ(control.Text(), u"A  B\n&PERITAJE,TEXTO PREVIO&\n\n"_qs);
}

TEST_F(InsertarSecciones, AShortFileRemovesEveryMarkerToo)
{
    writeSectionFile(u"00123.txt"_qs, "[CABECERA]\r\nleido\r\n[PIE]\r\nx\r\n");
    insertar_secciones(control, MergeData{dir.path(), {}, {}}, u"00123"_qs);
    EXPECT_EQ(control.Text(), u"A  B\n&PERITAJE,TEXTO PREVIO&\n\n"_qs);
}

TEST(InsertarSeccionesEnTabla, TheBreakAfterTheLastLineStaysInACell)
{
    TXTextControl control;
    QTextCursor cursor(control.document().main());
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"&valoracion,concepto&"_qs);
    SectionBlocks blocks;
    blocks[5] = u"uno\n\rdos\n\r"_qs;
    placeBlocks(control, blocks);
    EXPECT_EQ(table->cellAt(0, 0).lastPosition() - table->cellAt(0, 0).firstPosition(), 8);
    // The cell boundaries and the end of the table are positions too.
    EXPECT_EQ(control.Text(), u"\nuno\ndos\n\n\n"_qs);
}
