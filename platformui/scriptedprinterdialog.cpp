#include "platformui/scriptedprinterdialog.h"

#include <QPrinter>

namespace platform {

ScriptedPrinterDialog::ScriptedPrinterDialog(const QString &pdfPath)
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(pdfPath);
}

ScriptedPrinterDialog::~ScriptedPrinterDialog() = default;

bool ScriptedPrinterDialog::run()
{
    m_openings.append(*this);
    if (m_script.isEmpty())
        return false;
    const Step step = m_script.dequeue();
    if (step.cancel)
        return false;
    // As a real dialog does, the copies reach the printer too; the print
    // command has to set them back.
    Copies = step.copies;
    m_printer->setCopyCount(step.copies);
    Flags &= ~(PrinterPageNums | PrinterSelection);
    if (step.range) {
        Flags |= PrinterPageNums;
        FromPage = step.from;
        ToPage = step.to;
    }
    return true;
}

}  // namespace platform
