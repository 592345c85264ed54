#pragma once

// The field marker passes of a generation. A marker is "&", a field's name
// as the dictionary gives it, "&"; it is matched ignoring letter case, as
// the control's search does, so it may span several formatting runs and the
// value takes the format of its first character.
//
// sustituir_en_texto replaces every occurrence in the main text by the
// field's value, searching on after each inserted value so that a value is
// never searched again; when the value is empty only the first occurrence
// becomes "*". The area passes replace the first occurrence in their area
// (1 page header, 4 page footer, 2 first-page header, 8 first-page footer),
// "*" for an empty value, and select the main text again. Each pass looks
// the value up once (valor_campo of the current claim data).
//
//   const QString numero = sustituir_en_texto(control, u"Número de expediente"_s, u"NUMERO"_s, 1);

#include <QString>

class TXTextControl;

namespace merge {

// The mark written in place of a marker whose value is empty.
inline constexpr QStringView kMissingValue = u"*";

// Returns the value when `codigo` is "NUMERO" (even if no marker was
// found), otherwise an empty text; an empty main text returns empty text
// without any lookup.
QString sustituir_en_texto(TXTextControl &control, const QString &nombre,
                           const QString &codigo, int registro);
void sustituir_en_cabecera(TXTextControl &control, const QString &nombre,
                           const QString &codigo, int registro);
void sustituir_en_pie(TXTextControl &control, const QString &nombre,
                      const QString &codigo, int registro);
void sustituir_en_cabecera1(TXTextControl &control, const QString &nombre,
                            const QString &codigo, int registro);
void sustituir_en_pie1(TXTextControl &control, const QString &nombre,
                       const QString &codigo, int registro);

QString marcador(const QString &nombre);

}  // namespace merge
