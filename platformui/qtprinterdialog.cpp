#include "platformui/qtprinterdialog.h"

#include "platformui/display.h"

#include <QPrintDialog>
#include <QPrinter>

namespace platform {

QtPrinterDialog::QtPrinterDialog(QWidget *parent)
    : m_parent(parent)
{
}

QtPrinterDialog::~QtPrinterDialog() = default;

QPrinter &QtPrinterDialog::printer()
{
    // Made on first use: looking up the system printers can take a moment.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool QtPrinterDialog::run()
{
    if (!hasDisplay()) {
        reportWithoutDisplay(QStringLiteral("Imprimir: no hay pantalla para elegir la impresora"));
        return false;
    }
    QPrinter &target = printer();
    target.setCopyCount(Copies);
    target.setFromTo(FromPage, ToPage);
    target.setPrintRange((Flags & PrinterPageNums) ? QPrinter::PageRange : QPrinter::AllPages);
    QPrintDialog dialog(&target, m_parent);
    dialog.setMinMax(Min, Max);
    // No page size choice: a printout always takes the document's page.
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintPageRange;
    if (!(Flags & PrinterNoSelection))
        options |= QAbstractPrintDialog::PrintSelection;
    if (!(Flags & PrinterHidePrintToFile))
        options |= QAbstractPrintDialog::PrintToFile;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Copies = target.copyCount();
    Flags &= ~(PrinterPageNums | PrinterSelection);
    if (target.printRange() == QPrinter::PageRange) {
        Flags |= PrinterPageNums;
        FromPage = target.fromPage();
        ToPage = target.toPage();
    } else if (target.printRange() == QPrinter::Selection) {
        Flags |= PrinterSelection;
    }
    return true;
}

}  // namespace platform
