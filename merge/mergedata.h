#pragma once

// What a merge reads besides its template: the field dictionary, the claim
// data, and the program directory that holds the claims' section files. A
// generation reads it once, before any window opens, and hands it to every
// pass; nothing in the merge reads a file or a table behind its caller's
// back.
//
//   merge::MergeData data;
//   QString error;
//   if (!merge::loadMergeData(programDir, &data, &error)) fail(error);
//   data::valor_campo(data.fields, data.claims, u"NUMERO"_s, 1);   // "00123"

#include "data/claimdata.h"
#include "data/fieldtable.h"

#include <QString>

namespace merge {

struct MergeData {
    QString programDir;        // where the section files are
    data::FieldTable fields;   // the dictionary the passes walk and look keys up in
    data::ClaimData claims;    // the records values are cut from
};

// Reads the dictionary and the claim data of `programDir`. False with the
// message of the first file that cannot be read.
bool loadMergeData(const QString &programDir, MergeData *out, QString *error = nullptr);

}  // namespace merge
