#pragma once

// Lengths as the page setup dialog shows and reads them: twips to a text in
// the unit of measure (centimetres here, 567 twips each; inches, 1440), with
// two decimals and the user's decimal separator, and back. A comma typed or
// shown reads as the decimal point, so "2,5" and "2.5" are the same length.
//
//   Twips2DlgString(11906)      // "21,00" on a Spanish system
//   DlgString2Twips(u"2,5"_s)   // 1418: 1417.5 rounds to the even neighbour

#include <QString>

#include <optional>

namespace commands {

// The unit of measure: 1 inch, 2 centimetre. A document window sets
// centimetres when it loads; nothing sets another.
enum class Unidad : int { Pulgada = 1, Centimetro = 2 };
inline Unidad unidad_medida = Unidad::Centimetro;

int twipsPerUnit(Unidad unidad);

// Replaces the first "," of `text` by "." and gives the number the text
// starts with (blanks skipped; 0 when it starts with none).
double coma_a_punto(QString &text);
// The twips of a dialog text; nullopt when the count does not fit 32 bits.
std::optional<int> dlgStringToTwips(const QString &text);
// The same, with a count beyond 32 bits given as 0 (an invalid length).
int DlgString2Twips(const QString &text);
QString Twips2DlgString(float twips);

}  // namespace commands
