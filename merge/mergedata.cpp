#include "merge/mergedata.h"

#include "data/dictionary.h"

namespace merge {

bool loadMergeData(const QString &programDir, MergeData *out, QString *error)
{
    MergeData read;
    read.programDir = programDir;
    if (!data::cargar_diccionario(programDir, &read.fields, error)
        || !data::loadClaimData(programDir, &read.claims, error))
        return false;
    *out = std::move(read);
    return true;
}

}  // namespace merge
