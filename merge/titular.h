#pragma once

// The holder check: a report may be printed, saved, closed with saving or
// mailed only while it names the policy holder or the holder's tax
// identifier somewhere, or still holds their markers. The callers refuse
// the command with a message that ends kFaltaTitular.
//
// The check searches the main text, then the page header, page footer,
// first-page header and first-page footer: in each, the name marker then
// the name, the identifier marker then the identifier, all ignoring letter
// case (so the name is found inside a longer word too). It leaves the main
// text as the editing target, with the last match selected.
//
//   if (!merge::comprobar_titular(control, claims.holder(1)))
//       refuse(u"No se puede guardar el documento."_s + merge::kFaltaTitular);

#include "data/claimdata.h"

#include <QString>

class TXTextControl;

namespace merge {

inline constexpr QStringView kMarcadorTitular = u"&Nombre del titular&";
inline constexpr QStringView kMarcadorCif = u"&cif del titular&";
inline constexpr QStringView kFaltaTitular = u"Falta el titular y/o el cif";

// The check against a holder's name and identifier. An empty name or
// identifier is never found, so only the markers can then pass.
bool comprobar_titular(TXTextControl &control, const data::HolderFields &holder);

}  // namespace merge
