#pragma once

// The program's field table `tabla_campos`, read once at start-up from
// finstru.txt of the program directory and never changed afterwards, and
// the two lookups that the claim data reader asks.
//
// The data library shows nothing: the main window fills its field combo
// with tabla_campos().names(), sets its text to kFieldComboText, and shows a
// failure's message before it ends the program.
//
//   QString error;
//   if (!cargar_diccionario(programDir, &error)) fatal(error);
//   const qint16 start = posicion_campo(u"NUMERO"_s);

#include "data/fieldtable.h"

#include <QString>

namespace data {

// The dictionary file's name in the program directory.
inline constexpr QStringView kDictionaryFileName = u"finstru.txt";

// Reads finstru.txt of `programDir` (name matched ignoring case) into
// *table. False with a Spanish message naming the file when it is missing,
// unreadable, longer than kMaxDictionaryLines lines or holds an
// overflowing numeric column.
bool loadDictionary(const QString &programDir, FieldTable *table, QString *error = nullptr);

// loadDictionary() into tabla_campos; on failure the table is unchanged.
bool cargar_diccionario(const QString &programDir, QString *error = nullptr);

const FieldTable &tabla_campos();
// Installs a table directly (tools and tests of the layers above).
void setFieldTable(FieldTable table);

// The posicion, respectively longitud, of the first entry of tabla_campos
// with this key; 0 when there is none.
qint16 posicion_campo(const QString &codigo);
qint16 longitud_campo(const QString &codigo);

}  // namespace data
