#include "commands/exportarpdf.h"

#include "platformui/scripteddialogs.h"
#include "tests/commands/pdftools.h"
#include "textctl/model/areas.h"
#include "textctl/txtextcontrol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ExportarPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_control.setText((u"Óptica y reparación del siniestro\r\n"_s).repeated(80));
        m_control.setHeaderFooter(textctl::PageHeader);
        m_control.setHeaderFooterSelect(textctl::PageHeader);
        m_control.setText(u"INFORME PERICIAL"_s);
        m_control.setHeaderFooterSelect(0);
    }
    QTemporaryDir m_dir;
    TXTextControl m_control;
    platform::ScriptedCommonDialog m_dialogo;
    platform::ScriptedMessageBoxes m_mensajes;
};

}  // namespace

TEST_F(ExportarPdf, EveryPageAsPrintedUnderTheNameChosenWithPdfAdded)
{
    if (!pdftools::available())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    const QString documento = m_dir.filePath(u"00123.rtf"_s);
    m_dialogo.chooseNext(m_dir.filePath(u"informe final"_s));
    ASSERT_TRUE(commands::exportar_pdf(m_control, m_dialogo, m_mensajes, documento));

    ASSERT_EQ(m_dialogo.openings().size(), 1);
    EXPECT_EQ(m_dialogo.openings()[0].kind, platform::DialogKind::Save);
    EXPECT_EQ(m_dialogo.openings()[0].settings.DialogTitle, u"Exportar a PDF"_s);
    EXPECT_EQ(m_dialogo.openings()[0].settings.FileName, m_dir.filePath(u"00123.pdf"_s));
    const QString pdf = m_dir.filePath(u"informe final.pdf"_s);
    ASSERT_TRUE(QFile::exists(pdf));
    const int pages = m_control.CurrentPages();
    ASSERT_GT(pages, 1);
    EXPECT_EQ(pdftools::pageCount(pdf), pages);
    for (int page = 1; page <= pages; ++page)
        EXPECT_TRUE(pdftools::pageText(pdf, page).startsWith(u"INFORME PERICIAL Óptica"_s)) << page;
    EXPECT_TRUE(pdftools::run(u"pdfinfo"_s, {pdf}).contains(u"Title:           informe final"_s));
}

TEST_F(ExportarPdf, CancelWritesNothingAndAFailureKeepsTheOldFile)
{
    m_dialogo.cancelNext();
    EXPECT_FALSE(commands::exportar_pdf(m_control, m_dialogo, m_mensajes, {}));
    EXPECT_TRUE(m_dialogo.openings()[0].settings.FileName.isEmpty());
    EXPECT_TRUE(m_mensajes.shown().isEmpty());

    // A folder where the file would go: nothing is written, the cause shown.
    const QString taken = m_dir.filePath(u"ocupado.pdf"_s);
    ASSERT_TRUE(QDir().mkdir(taken));
    m_dialogo.chooseNext(taken);
    EXPECT_FALSE(commands::exportar_pdf(m_control, m_dialogo, m_mensajes, {}));
    ASSERT_EQ(m_mensajes.shown().size(), 1);
    EXPECT_TRUE(m_mensajes.shown()[0].text.startsWith(u"No se puede exportar a PDF el fichero "_s));
    EXPECT_TRUE(QFileInfo(taken).isDir());
}
