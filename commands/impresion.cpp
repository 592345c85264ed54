#include "commands/impresion.h"

#include "platformui/printerdialog.h"
#include "textctl/txtextcontrol.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace commands {
namespace {

constexpr double kTwipsPerPoint = 20.0;

// The document's page as a printer page: a standard size when it is one
// (an A4 page in twips is a fraction of a point off), landscape when wider
// than high.
void setDocumentPage(TXTextControl &control, QPrinter &printer)
{
    const double width = control.PageWidth() / kTwipsPerPoint;
    const double height = control.PageHeight() / kTwipsPerPoint;
    if (width <= 0 || height <= 0)
        return;
    const bool landscape = width > height;
    const QSizeF portrait = landscape ? QSizeF(height, width) : QSizeF(width, height);
    printer.setPageSize(QPageSize(portrait, QPageSize::Point, QString(), QPageSize::FuzzyMatch));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// One job on `printer`: the pages in the order given, each on its own
// sheet. A failing page does not stop the ones after it.
bool printPages(TXTextControl &control, QPrinter &printer, const QList<int> &pages, QString *error)
{
    setError(error, {});
    if (!printer.isValid()) {
        setError(error, QStringLiteral("No se puede imprimir: la impresora no está disponible"));
        return false;
    }
    setDocumentPage(control, printer);
    control.setPrintDevice(&printer);
    int failed = 0;
    for (const int page : pages) {
        if (!control.PrintPage(page))
            ++failed;
    }
    const bool ended = control.endPrint();
    control.setPrintDevice(nullptr);
    if (failed > 0 || !ended) {
        setError(error, failed == pages.size()
                            ? QStringLiteral("No se puede imprimir: la impresora no admite la impresión")
                            : QStringLiteral("No se han podido imprimir todas las páginas"));
        return false;
    }
    return true;
}

}  // namespace

QList<int> printOrder(int first, int last, int copies)
{
    QList<int> pages;
    for (int copy = 1; copy <= copies; ++copy) {
        for (int page = first; page <= last; ++page)
            pages.append(page);
    }
    return pages;
}

bool printAllPages(TXTextControl &control, QPrinter &printer, QString *error)
{
    return printPages(control, printer, printOrder(1, control.CurrentPages(), 1), error);
}

bool imprimir_documento(TXTextControl &control, platform::PrinterDialog &dialogo, QString *error)
{
    setError(error, {});
    int first = 1;
    int last = control.CurrentPages();
    dialogo.Copies = 1;
    dialogo.FromPage = 1;
    dialogo.ToPage = last;
    dialogo.Min = 1;
    dialogo.Max = last;
    dialogo.Flags = platform::PrinterNoSelection | platform::PrinterHidePrintToFile;
    if (dialogo.ShowPrinter() != 0)
        return false;
    if (dialogo.Flags & platform::PrinterPageNums) {
        first = dialogo.FromPage;
        last = dialogo.ToPage;
    }
    // The copies are printed here; left on the printer too, they would be
    // multiplied (or collated differently) by the printing system.
    QPrinter &printer = dialogo.printer();
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    return printPages(control, printer, printOrder(first, last, dialogo.Copies), error);
}

}  // namespace commands
