#pragma once

// A document as a PDF file: every page as printed (headers, footers, page
// numbers, pictures, borders), on sheets of its own page size, fonts
// embedded, text that copies and searches as typed, the document's name as
// the PDF's title. The file is written whole or not at all: a failed export
// leaves an existing file as it was.
//
//   QString error;
//   if (!commands::writePdf(control, u"/tmp/00123.pdf"_s, u"00123"_s, &error)) report(error);
//
// "Exportar a PDF..." asks for the name with the save dialog first.

#include <QString>

class TXTextControl;

namespace platform {
class CommonDialog;
class MessageBoxes;
}

namespace commands {

bool writePdf(TXTextControl &control, const QString &path, const QString &title, QString *error);

// The command: the save dialog, "Exportar a PDF", starting from `documentPath`
// (a saved document's path, or an untitled one's caption) with ".pdf" for its
// ending; ".pdf" is added to a name chosen without it.
// Cancelling does nothing; a failure is shown with only OK. True when the
// file was written.
bool exportar_pdf(TXTextControl &control, platform::CommonDialog &dialogo, platform::MessageBoxes &mensajes,
                  const QString &documentPath);

}  // namespace commands
