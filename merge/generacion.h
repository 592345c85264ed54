#pragma once

// The generation driver: a template merged with every record of the claim
// data file, one new document window per record, in record order; the last
// one is left active. Nothing is saved.
//
// Before any window opens the driver reads the merge's data (the field
// dictionary and the claim data) and the template, so a file that cannot
// be read fails the call with a message naming it and no window is opened.
// The dictionary is read again before every later record. The main window
// is hidden and stays hidden: showing it again is the caller's choice.
//
//   const merge::GenerationResult result = merge::generar_documento(host, plantilla);
//   if (!result.ok) show(result.error);

#include <QString>

namespace merge {

class DocumentHost;

struct GenerationResult {
    bool ok = false;
    QString error;
    int windows = 0;   // windows opened, one per record
    bool cancelled = false;  // stopped by the host between records (ok stays true)
};

GenerationResult generar_documento(DocumentHost &host, const QString &plantilla);

// The caption of a merged window: program directory, "/", claim number,
// ".rtf"; empty when the claim number is blank or could lead out of the
// program directory ("/", a backslash, or a leading ".").
QString captionForClaim(const QString &programDir, const QString &numero);

}  // namespace merge
