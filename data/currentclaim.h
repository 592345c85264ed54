#pragma once

// The current claim data: the records of finalprn.txt as read at the start
// of a generation, which valor_campo cuts values from. The file is read once
// per generation instead of once per lookup; nothing changes it while a
// generation runs, so the values are the same.
//
//   QString error;
//   if (!openClaimData(programDir, &error)) fail(error);
//   for (int registro = 1; registro <= currentClaimData().recordCount(); ++registro)
//       write(valor_campo(u"NUMERO"_s, registro));

#include "data/claimdata.h"

#include <QString>

namespace data {

// Reads finalprn.txt of `programDir` into the current claim data. On
// failure (message as loadClaimData's) the current claim data is left
// empty, so no value of an earlier read survives.
bool openClaimData(const QString &programDir, QString *error = nullptr);
void setCurrentClaimData(ClaimData claims);
void closeClaimData();
const ClaimData &currentClaimData();

// The value of field `codigo` (the first entry of tabla_campos with that
// key) in record `registro` of the current claim data; empty for an
// unknown key, a record outside the data or a position that cannot be cut.
QString valor_campo(const QString &codigo, int registro);

// The key of the claim number, which names the section file and the
// merged document.
inline constexpr QStringView kClaimNumberKey = u"NUMERO";
QString claimNumber(int registro);

}  // namespace data
