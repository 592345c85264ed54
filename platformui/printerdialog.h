#pragma once

// The printer mode of the common dialog `dialogo`: a command writes the
// settings (copies, page range, the pages allowed, flags), shows the dialog,
// then reads the answers and prints on printer(). Cancelling answers
// kCancelError, which the print command treats as a request to do nothing.
//
//   dialogo.Copies = 1;
//   dialogo.FromPage = 1;  dialogo.ToPage = pages;
//   dialogo.Min = 1;       dialogo.Max = pages;
//   dialogo.Flags = PrinterNoSelection | PrinterHidePrintToFile;
//   if (dialogo.ShowPrinter() == 0 && (dialogo.Flags & PrinterPageNums)) ...
//
// The implementations: QtPrinterDialog (Qt's print dialog on the system
// printer; with no display it answers cancel and says so on standard error)
// and, for tests, ScriptedPrinterDialog (scripted answers, a PDF printer).

#include "platformui/commondialog.h"

class QPrinter;

namespace platform {

// Printer dialog flags (bit values as the callers write them).
enum PrinterFlag : int {
    PrinterAllPages = 0x0,
    PrinterSelection = 0x1,          // answer: the selection was chosen
    PrinterPageNums = 0x2,           // answer: a page range was chosen
    PrinterNoSelection = 0x4,        // no choice of printing the selection
    PrinterHidePrintToFile = 0x100000,  // no box for printing to a file
};

// The settings a command writes before opening the printer dialog; after an
// accepted opening they hold the answers.
struct PrinterDialogSettings {
    int Copies = 1;
    int FromPage = 0;
    int ToPage = 0;
    int Min = 0;
    int Max = 0;
    int Flags = 0;

    friend bool operator==(const PrinterDialogSettings &, const PrinterDialogSettings &) = default;
};

class PrinterDialog : public PrinterDialogSettings {
public:
    virtual ~PrinterDialog() = default;

    // 0 with Copies, FromPage, ToPage and Flags set to the answers (Flags
    // has PrinterPageNums exactly when a range was chosen; the range is
    // kept within Min..Max and From <= To), or kCancelError.
    int ShowPrinter();
    // The printer the dialog set up; print on it after an accepted opening.
    virtual QPrinter &printer() = 0;

protected:
    // Shows the dialog for the current settings and writes the answers;
    // false when cancelled.
    virtual bool run() = 0;
};

}  // namespace platform
