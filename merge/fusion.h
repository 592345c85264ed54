#pragma once

// The merge of one claim record into one document: the five marker passes
// of every dictionary line, in the dictionary's order, then the section
// blocks of the claim. Each pass sees the text as the earlier passes left
// it, so a marker inside an inserted value is replaced by a later field.
//
//   QString numero;
//   fusionar_registro(control, mergeData, 1, &numero);
//   // numero == "00123"

#include <QString>

class TXTextControl;

namespace merge {

struct MergeData;

// True for the ten codes whose fields come from the section file, not
// from the claim record (compared exactly).
bool isSectionCode(const QString &codigo);

// Runs the passes of every line of the merge's dictionary for record
// `registro`, then inserts the section blocks of the claim number.
// *numero keeps its value unless a "NUMERO" line gives a new one (the
// later line wins).
void fusionar_registro(TXTextControl &control, const MergeData &mergeData, int registro,
                       QString *numero);

}  // namespace merge
