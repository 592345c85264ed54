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
// (page header, page footer, first-page header, first-page footer), "*"
// for an empty value, and select the main text again. Each pass looks the
// value up once, in the merge's data.
//
//   const QString numero = sustituir_en_texto(control, mergeData, u"Número de expediente"_s, u"NUMERO"_s, 1);

#include <QString>

class TXTextControl;

namespace merge {

struct MergeData;

// The mark written in place of a marker whose value is empty.
inline constexpr QStringView kMissingValue = u"*";

// Returns the value when `codigo` is "NUMERO" (even if no marker was
// found), otherwise an empty text; an empty main text returns empty text
// without any lookup.
QString sustituir_en_texto(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                           const QString &codigo, int registro);
void sustituir_en_cabecera(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                           const QString &codigo, int registro);
void sustituir_en_pie(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                      const QString &codigo, int registro);
void sustituir_en_cabecera1(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                            const QString &codigo, int registro);
void sustituir_en_pie1(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                       const QString &codigo, int registro);

QString markerFor(const QString &nombre);

}  // namespace merge
