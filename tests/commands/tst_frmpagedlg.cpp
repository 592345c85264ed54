#include "commands/frmpagedlg.h"
#include "commands/medidas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace commands;

namespace {

// A Spanish system: the comma is the decimal separator.
class PageSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        unidad_medida = Unidad::Centimetro;
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

const ValoresPagina kA4{1701, 1417, 1134, 1417, 11906, 16837};

}  // namespace

TEST_F(PageSetupTest, DialogTextsToTwips)
{
    const struct {
        const char16_t *text;
        int twips;
    } rows[] = {
        {u"2,5", 1418},    {u"2.5", 1418},   {u"1,5,3", 850},  {u"", 0},
        {u"  3 cm", 1701}, {u"abc", 0},      {u"-1", -567},    {u"21,00", 11907},
        {u"29,69", 16834}, {u"57,79", 32767}, {u"1e10", 0},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DlgString2Twips(QString::fromUtf16(row.text)), row.twips) << QString::fromUtf16(row.text).toStdString();
    EXPECT_FALSE(dlgStringToTwips(u"1e10"_qs).has_value()) << "beyond 32 bits";
    unidad_medida = Unidad::Pulgada;
    EXPECT_EQ(DlgString2Twips(u"1,5"_qs), 2160);
    EXPECT_EQ(Twips2DlgString(1440), u"1,00"_qs);
}

TEST_F(PageSetupTest, TwipsToDialogTexts)
{
    const struct {
        float twips;
        const char16_t *text;
    } rows[] = {
        {11906, u"21,00"}, {16837, u"29,69"}, {12240, u"21,59"}, {15840, u"27,94"},
        {20160, u"35,56"}, {0, u"0,00"},      {32767, u"57,79"}, {1134000, u"2000,00"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Twips2DlgString(row.twips), QString::fromUtf16(row.text)) << row.twips;
    QString text = u"1,5,3"_qs;
    EXPECT_DOUBLE_EQ(coma_a_punto(text), 1.5);
    EXPECT_EQ(text, u"1.5,3"_qs);
}

TEST_F(PageSetupTest, OkIsEnabledOnlyForAPageWithRoomForText)
{
    const struct {
        QLineEdit *frmPageDlg::*box;
        const char16_t *text;
        bool valid;
    } rows[] = {
        {&frmPageDlg::txtLeftMargin, u"3,00", true},
        {&frmPageDlg::txtLeftMargin, u"", false},
        {&frmPageDlg::txtLeftMargin, u"0", false},
        {&frmPageDlg::txtLeftMargin, u"22", false},
        {&frmPageDlg::txtLeftMargin, u"19", false},  // with the right margin, no room left
        {&frmPageDlg::txtTopMargin, u"28", false},
        {&frmPageDlg::txtBottomMargin, u"-1", false},
        {&frmPageDlg::txtPaperWidth, u"0", false},
        {&frmPageDlg::txtPaperWidth, u"57,79", true},  // 32767 twips
        {&frmPageDlg::txtPaperWidth, u"57,80", false},  // 32773
        {&frmPageDlg::txtPaperHeight, u"1e10", false},
    };
    for (const auto &row : rows) {
        frmPageDlg dialog(kA4);
        ASSERT_TRUE(dialog.btnOK->isEnabled());
        (dialog.*row.box)->setText(QString::fromUtf16(row.text));
        EXPECT_EQ(dialog.btnOK->isEnabled(), row.valid) << QString::fromUtf16(row.text).toStdString();
    }
}

TEST_F(PageSetupTest, ThePaperIsFoundWithinFiveTwipsAndWritesItsExactSize)
{
    frmPageDlg dialog(kA4);
    EXPECT_EQ(dialog.cboPaperSize->currentText(), u"A4"_qs);
    EXPECT_EQ(dialog.txtPaperWidth->text(), u"21,00"_qs);
    EXPECT_EQ(dialog.txtPaperHeight->text(), u"29,69"_qs);
    EXPECT_EQ(dialog.lblMeasurement[0]->text(), u"cm"_qs);

    const struct {
        const char16_t *width;
        const char16_t *height;
        const char16_t *paper;
    } rows[] = {
        {u"21,59", u"27,94", u"Letter"}, {u"21,59", u"35,56", u"Legal"}, {u"14,85", u"21,00", u"A5"},
        {u"21,00", u"29,60", u"User Defined"}, {u"99999", u"29,69", u"User Defined"},
    };
    for (const auto &row : rows) {
        dialog.txtPaperWidth->setText(QString::fromUtf16(row.width));
        dialog.txtPaperHeight->setText(QString::fromUtf16(row.height));
        dialog.buscar_papel();
        EXPECT_EQ(dialog.cboPaperSize->currentText(), QString::fromUtf16(row.paper)) << QString::fromUtf16(row.width).toStdString();
    }
    dialog.cboPaperSize->setCurrentIndex(3);
    EXPECT_EQ(dialog.txtPaperWidth->text(), u"21,59"_qs);
    EXPECT_EQ(dialog.txtPaperHeight->text(), u"27,94"_qs);
    dialog.txtLeftMargin->setText(u"2,4"_qs);
    dialog.btnOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // What was typed is read; what was shown and left alone keeps its twips,
    // and the chosen paper its own size.
    EXPECT_EQ(dialog.valores(), (ValoresPagina{1361, 1417, 1134, 1417, 12240, 15840}));

    frmPageDlg untouched(kA4);
    untouched.btnOK->click();
    EXPECT_EQ(untouched.valores(), kA4);
}
