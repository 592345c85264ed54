// The field marker passes over the main text and the four areas.
#include "merge/markerpasses.h"
#include "tests/merge/claimfixture.h"
#include "textctl/txtextcontrol.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace merge;
using mergetest::record;

namespace {

class MarkerPasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        data = mergetest::mergeData(
            {
                {u"Número de expediente", u"NUMERO", 1, 5},
                {u"Nombre del titular", u"TITULAR", 6, 20},
                {u"Perjudicado", u"PERJ", 26, 10},
                {u"Eco", u"ECO", 36, 10},
            },
            {record({{1, "00123"}, {6, "Mar\xed" "a Jes\xfa" "s"}, {36, "x&Eco&y"}})});
    }

    TXTextControl control;
    merge::MergeData data;
};

}  // namespace

TEST_F(MarkerPasses, EveryOccurrenceInTheMainTextGetsTheValue)
{
    control.setText(u"&Nombre del titular& / &Nombre del titular&\r\n&NOMBRE DEL TITULAR&"_qs);
    EXPECT_EQ(sustituir_en_texto(control, data, u"Nombre del titular"_qs, u"TITULAR"_qs, 1), QString());
    EXPECT_EQ(control.Text(), u"María Jesús / María Jesús\nMaría Jesús"_qs);
}

TEST_F(MarkerPasses, AValueHoldingItsOwnMarkerIsInsertedOncePerOccurrence)
{
    control.setText(u"[&Eco&] [&Eco&]"_qs);
    sustituir_en_texto(control, data, u"Eco"_qs, u"ECO"_qs, 1);
    EXPECT_EQ(control.Text(), u"[x&Eco&y] [x&Eco&y]"_qs);
}

TEST_F(MarkerPasses, AnEmptyValueMarksOnlyTheFirstOccurrence)
{
    control.setText(u"&Perjudicado& y &Perjudicado&"_qs);
    sustituir_en_texto(control, data, u"Perjudicado"_qs, u"PERJ"_qs, 1);
    EXPECT_EQ(control.Text(), u"* y &Perjudicado&"_qs);
}

TEST_F(MarkerPasses, TheClaimNumberComesBackEvenWithoutAMarker)
{
    control.setText(u"sin marcadores"_qs);
    EXPECT_EQ(sustituir_en_texto(control, data, u"Número de expediente"_qs, u"NUMERO"_qs, 1), u"00123"_qs);
    EXPECT_EQ(control.Text(), u"sin marcadores"_qs);
}

TEST_F(MarkerPasses, AnEmptyMainTextReturnsNothingEvenForTheClaimNumber)
{
    control.setHeaderFooter(4);
    control.setHeaderFooterSelect(4);
    control.setText(u"&Número de expediente&"_qs);
    control.setHeaderFooterSelect(0);
    EXPECT_EQ(sustituir_en_texto(control, data, u"Número de expediente"_qs, u"NUMERO"_qs, 1), QString());
}

TEST_F(MarkerPasses, AreasTakeTheirFirstOccurrenceOnly)
{
    control.setText(u"&Nombre del titular&"_qs);
    control.setHeaderFooter(1 + 4);
    control.setHeaderFooterSelect(1);
    control.setText(u"&Nombre del titular& &Nombre del titular&"_qs);
    control.setHeaderFooterSelect(4);
    control.setText(u"&Perjudicado&"_qs);
    control.setHeaderFooterSelect(0);

    sustituir_en_texto(control, data, u"Nombre del titular"_qs, u"TITULAR"_qs, 1);
    sustituir_en_cabecera(control, data, u"Nombre del titular"_qs, u"TITULAR"_qs, 1);
    sustituir_en_pie(control, data, u"Perjudicado"_qs, u"PERJ"_qs, 1);
    EXPECT_EQ(control.HeaderFooterSelect(), 0);
    EXPECT_EQ(control.Text(), u"María Jesús"_qs);
    control.setHeaderFooterSelect(1);
    EXPECT_EQ(control.Text(), u"María Jesús &Nombre del titular&"_qs);
    control.setHeaderFooterSelect(4);
    EXPECT_EQ(control.Text(), u"*"_qs);
}

TEST_F(MarkerPasses, AMissingAreaIsHarmless)
{
    control.setText(u"&Nombre del titular&"_qs);
    sustituir_en_pie1(control, data, u"Nombre del titular"_qs, u"TITULAR"_qs, 1);
    sustituir_en_cabecera1(control, data, u"Nombre del titular"_qs, u"TITULAR"_qs, 1);
    EXPECT_EQ(control.HeaderFooter(), 0);
    EXPECT_EQ(control.HeaderFooterSelect(), 0);
    EXPECT_EQ(control.Text(), u"&Nombre del titular&"_qs);
}

TEST_F(MarkerPasses, FieldsDifferingOnlyInCaseShareTheirMarkers)
{
    // The search ignores letter case: the first dictionary line's pass takes
    // the markers of both spellings.
    data = mergetest::mergeData({{u"Ramo", u"RAMO", 1, 4}, {u"RAMO", u"RAMO2", 5, 4}},
                                {record({{1, "Hogar"}, {5, "Auto"}})});
    control.setText(u"&Ramo& &RAMO&"_qs);
    sustituir_en_texto(control, data, u"Ramo"_qs, u"RAMO"_qs, 1);
    sustituir_en_texto(control, data, u"RAMO"_qs, u"RAMO2"_qs, 1);
    EXPECT_EQ(control.Text(), u"Hoga Hoga"_qs);
}

TEST_F(MarkerPasses, ASplitMarkerTakesTheFormatOfItsFirstCharacter)
{
    QTextCursor cursor(control.document().main());
    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(u"Sr. "_qs, italic);
    cursor.insertText(u"&Nombre "_qs, bold);
    cursor.insertText(u"del titular&"_qs, QTextCharFormat());
    cursor.insertText(u" fin"_qs, italic);

    sustituir_en_texto(control, data, u"Nombre del titular"_qs, u"TITULAR"_qs, 1);
    ASSERT_EQ(control.Text(), u"Sr. María Jesús fin"_qs);
    const auto formatAt = [&](int position) {
        QTextCursor probe(control.document().main());
        probe.setPosition(position + 1);
        return probe.charFormat();
    };
    for (int i = 4; i < 15; ++i)
        EXPECT_EQ(formatAt(i).fontWeight(), QFont::Bold) << i;
    EXPECT_TRUE(formatAt(0).fontItalic());
    EXPECT_TRUE(formatAt(16).fontItalic());
    EXPECT_NE(formatAt(16).fontWeight(), QFont::Bold);
}
