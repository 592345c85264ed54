#pragma once

// The holder check: a report may be printed, saved, closed with saving or
// mailed only while it names the policy holder or the holder's tax
// identifier somewhere, or still holds their markers. The callers refuse
// the command with a message that ends "Falta el titular y/o el cif".
//
// The check searches the main text, then the page header (1), page footer
// (4), first-page header (2) and first-page footer (8): in each, the name
// marker then the name, the identifier marker then the identifier, all
// ignoring letter case (so the name is found inside a longer word too). It
// leaves the main text as the editing target, with the last match selected.

#include <QString>

class TXTextControl;

namespace merge {

inline constexpr QStringView kMarcadorTitular = u"&Nombre del titular&";
inline constexpr QStringView kMarcadorCif = u"&cif del titular&";
inline constexpr QStringView kFaltaTitular = u"Falta el titular y/o el cif";

// The check against a given name and identifier. An empty name or
// identifier is never found, so only the markers can then pass.
bool comprobar_titular(TXTextControl &control, const QString &titular, const QString &cif);

// The check against the holder of record `registro` of the claim data file
// of `programDir`, read afresh; a missing or empty file gives an empty name
// and identifier.
bool comprobar_titular(TXTextControl &control, const QString &programDir, int registro = 1);

}  // namespace merge
