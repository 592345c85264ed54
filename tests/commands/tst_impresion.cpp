#include "commands/impresion.h"

#include "platformui/scriptedprinterdialog.h"
#include "tests/commands/pdftools.h"
#include "textctl/txtextcontrol.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace commands;

namespace {

const QStringList kWords = {QStringLiteral("alfa"), QStringLiteral("bravo"), QStringLiteral("charlie"),
                            QStringLiteral("delta"), QStringLiteral("echo")};

// A document of `pages` pages, page i holding only kWords[i - 1].
void fillPages(TXTextControl &control, int pages)
{
    control.setText(kWords.mid(0, pages).join(QChar(12)));
}

class ImpresionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!pdftools::available())
            GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
        ASSERT_TRUE(m_dir.isValid());
    }
    QString pdfPath(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    TXTextControl m_control;
};

TEST_F(ImpresionTest, PrintAllPagesPrintsEveryPageOnceInOrder)
{
    fillPages(m_control, 4);
    ASSERT_EQ(m_control.CurrentPages(), 4);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath(QStringLiteral("todo.pdf")));
    QString error = QStringLiteral("stale");
    ASSERT_TRUE(printAllPages(m_control, printer, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(pdftools::pageTexts(printer.outputFileName()), kWords.mid(0, 4));
    // Nothing is left drawing on the printer once the job has ended.
    EXPECT_EQ(m_control.PrintDevice(), nullptr);
}

// The sheets take the document's page size, whatever the printer had.
TEST_F(ImpresionTest, PrintAllPagesUsesTheDocumentPageSize)
{
    struct Row {
        const char *name;
        int width;
        int height;
        const char *pdfSize;
    };
    const Row rows[] = {
        // A4 in twips is a fraction of a point off; it prints as A4.
        {"a4", 11906, 16837, "595 x 842 pts"},
        {"letter", 12240, 15840, "612 x 792 pts"},
        {"a4Landscape", 16837, 11906, "842 x 595 pts"},
        {"custom", 8000, 10000, "400 x 500 pts"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TXTextControl control;
        fillPages(control, 1);
        control.setPageWidth(row.width);
        control.setPageHeight(row.height);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A5));
        printer.setOutputFileName(pdfPath(QString::fromLatin1(row.name) + QStringLiteral(".pdf")));
        ASSERT_TRUE(printAllPages(control, printer));
        EXPECT_EQ(pdftools::pageSize(printer.outputFileName(), 1), QString::fromLatin1(row.pdfSize));
    }
}

TEST(PrintAllPagesFailure, PaintingThatFailsGivesASpanishMessage)
{
    TXTextControl control;
    fillPages(control, 2);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-directory/salida.pdf"));
    QString error;
    EXPECT_FALSE(printAllPages(control, printer, &error));
    EXPECT_TRUE(error.startsWith(u"No se"));
    EXPECT_EQ(control.PrintDevice(), nullptr);
}

// The print command through the printer dialog.
class ImprimirDocumentoTest : public ImpresionTest {
protected:
    void SetUp() override
    {
        ImpresionTest::SetUp();
        if (IsSkipped())
            return;
        m_dialogo = std::make_unique<platform::ScriptedPrinterDialog>(pdfPath(QStringLiteral("dialogo.pdf")));
        fillPages(m_control, 4);
    }
    QString pdf() const { return pdfPath(QStringLiteral("dialogo.pdf")); }

    std::unique_ptr<platform::ScriptedPrinterDialog> m_dialogo;
};

TEST_F(ImprimirDocumentoTest, DialogIsSetUpForTheWholeDocument)
{
    m_dialogo->cancelNext();
    imprimir_documento(m_control, *m_dialogo);
    ASSERT_EQ(m_dialogo->openings().size(), 1);
    platform::PrinterDialogSettings expected;
    expected.Copies = 1;
    expected.FromPage = 1;
    expected.ToPage = 4;
    expected.Min = 1;
    expected.Max = 4;
    expected.Flags = 0x100004;
    EXPECT_EQ(m_dialogo->openings().constFirst(), expected);
}

TEST_F(ImprimirDocumentoTest, RangeInCopiesPrintsTheRangeOncePerCopy)
{
    m_dialogo->printRangeNext(2, 3, 2);
    QString error;
    ASSERT_TRUE(imprimir_documento(m_control, *m_dialogo, &error)) << error.toStdString();
    EXPECT_EQ(pdftools::pageTexts(pdf()), (QStringList{kWords[1], kWords[2], kWords[1], kWords[2]}));
    // The printer is not left to multiply the copies itself.
    EXPECT_EQ(m_dialogo->printer().copyCount(), 1);
}

TEST_F(ImprimirDocumentoTest, NoRangeChosenPrintsEveryPage)
{
    m_dialogo->printAllNext(2);
    ASSERT_TRUE(imprimir_documento(m_control, *m_dialogo));
    const QStringList once = kWords.mid(0, 4);
    EXPECT_EQ(pdftools::pageTexts(pdf()), once + once);
}

// A range past the document is kept to its pages.
TEST_F(ImprimirDocumentoTest, RangeIsBoundedByTheDocument)
{
    m_dialogo->printRangeNext(3, 9);
    ASSERT_TRUE(imprimir_documento(m_control, *m_dialogo));
    EXPECT_EQ(pdftools::pageTexts(pdf()), (QStringList{kWords[2], kWords[3]}));
}

TEST_F(ImprimirDocumentoTest, CancelPrintsNothing)
{
    m_dialogo->cancelNext();
    QString error = QStringLiteral("stale");
    EXPECT_FALSE(imprimir_documento(m_control, *m_dialogo, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_EQ(m_control.PrintDevice(), nullptr);
}

TEST_F(ImprimirDocumentoTest, PrintsAtThePrintZoom)
{
    m_control.setPrintZoom(50);
    m_dialogo->printRangeNext(1, 1);
    ASSERT_TRUE(imprimir_documento(m_control, *m_dialogo));
    EXPECT_EQ(pdftools::pageTexts(pdf()), QStringList{kWords[0]});
    EXPECT_EQ(m_control.PrintZoom(), 50);
}

TEST(PrintOrder, CopiesRepeatTheRange)
{
    EXPECT_EQ(printOrder(2, 3, 2), (QList<int>{2, 3, 2, 3}));
    EXPECT_EQ(printOrder(1, 1, 3), (QList<int>{1, 1, 1}));
    EXPECT_EQ(printOrder(1, 4, 1), (QList<int>{1, 2, 3, 4}));
    EXPECT_TRUE(printOrder(3, 2, 1).isEmpty());
}

}  // namespace
