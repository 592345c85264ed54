#pragma once

// Printing a document: every page on a printer set up beforehand
// (printAllPages, the generator's printed copy), or through the printer
// dialog with a page range and copies (imprimir_documento, the print
// command). Pages are drawn by the control's page rendering at its
// PrintZoom, on sheets of the document's own page size, first to last.
//
//   QPrinter printer;
//   QString error;
//   if (!commands::printAllPages(control, printer, &error))
//       report(error);
//
// A printout is one job; copies are printed as repeated pages, never left to
// the printer, so a printer never multiplies them.

#include <QList>
#include <QString>

class QPrinter;
class TXTextControl;

namespace platform {
class PrinterDialog;
}

namespace commands {

// Prints every page once, first to last, on `printer` as it is set up (no
// dialog), after setting its page size to the document's. False with a
// Spanish message in `error` when the printer is not valid or a page cannot
// be painted; the pages after a failing one are still tried.
bool printAllPages(TXTextControl &control, QPrinter &printer, QString *error = nullptr);

// The print command's work: opens the printer dialog `dialogo` with copies 1,
// the range 1 to the last page, no selection and no printing to a file;
// prints nothing when it is cancelled. Otherwise prints, for each copy, the
// chosen range (every page when no range was chosen) first to last on the
// dialog's printer as one job. True when something was printed; false when
// cancelled (`error` left empty) or when printing failed (`error` says why,
// for the caller to keep to itself: the print command is silent).
bool imprimir_documento(TXTextControl &control, platform::PrinterDialog &dialogo,
                        QString *error = nullptr);

// The pages a run prints, in order: `copies` times from `first` to `last`
// (2, 3, 2 copies: 2, 3, 2, 3).
QList<int> printOrder(int first, int last, int copies);

}  // namespace commands
