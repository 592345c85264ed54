#pragma once

// The generation driver: a template merged with every record of the claim
// data file, one new document window per record, in record order; the last
// one is left active. Nothing is saved.
//
// Before any window opens the driver reads the field dictionary into
// tabla_campos, the claim data and the template, so a file that cannot be
// read fails the call with a message naming it and no window is opened. The
// dictionary is read again for every record. The main window is hidden and
// stays hidden: showing it again is the caller's choice.
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
};

GenerationResult generar_documento(DocumentHost &host, const QString &plantilla);

// The caption of a merged window: program directory, "/", claim number,
// ".rtf"; empty when the claim number is blank or could lead out of the
// program directory ("/", a backslash, or a leading ".").
QString captionForClaim(const QString &programDir, const QString &numero);

// The load format of a document path by its last three characters, trimmed
// and in upper case: "DOC" 9, "TXT" 1, "RTF" 5; 0 for any other ending.
int loadFormatForPath(const QString &path);

}  // namespace merge
