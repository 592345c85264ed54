#pragma once

// The arrival file test: a name looked for among the plain file names of
// the program directory, ignoring letter case and blanks around both
// names. The directory is listed afresh on every call; a name with a
// directory part is never found.
//
//   if (generator::existe_fichero(programDir, args.wfichero + u".txt"_s)) work();

#include <QString>

namespace generator {

bool existe_fichero(const QString &programDir, const QString &name);
// The listed name that matches `name`, or an empty text.
QString findListedFile(const QString &programDir, const QString &name);

}  // namespace generator
