#pragma once

// The field dictionary of a program directory: finstru.txt, read into a
// field table. The main window reads it at start-up into its tabla_campos
// and field combo; a generation reads it again for its own use.
//
//   data::FieldTable table;
//   QString error;
//   if (!data::cargar_diccionario(programDir, &table, &error)) fatal(error);

#include "data/fieldtable.h"

#include <QString>

namespace data {

// The dictionary file's name in the program directory.
inline constexpr QStringView kDictionaryFileName = u"finstru.txt";

// Reads finstru.txt of `programDir` (name matched ignoring case) into
// *table. False with a Spanish message naming the file, leaving *table
// alone, when it is missing, unreadable, longer than kMaxDictionaryLines
// lines or holds an overflowing numeric column.
bool cargar_diccionario(const QString &programDir, FieldTable *table, QString *error = nullptr);

}  // namespace data
