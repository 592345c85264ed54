#pragma once

// Finding and reading the files of the program directory.
//
// The claim-management application may write a name in any letter case
// (00123.TXT for 00123.txt), so names under the program directory are
// resolved ignoring case, one path component at a time.
//
//   const QString path = resolvePath(programDir, u"plant/INF01.RTF"_s);
//   QByteArray bytes;
//   QString error;
//   if (!readDataFile(path, &bytes, &error)) report(error);

#include <QByteArray>
#include <QString>

namespace data {

// `relative` joined to `dir`, each component matched ignoring letter case.
// An exact match is preferred when it exists; among several matches that
// differ only in case, the first in name order wins. From the first
// component that matches nothing, the rest is kept as given, so the result
// also names a file still to be created in an existing directory. "\" counts
// as a separator like "/" (names may come in Windows form); "." and ".."
// pass unchanged. `dir` itself is taken as it is.
QString resolvePath(const QString &dir, const QString &relative);

// The whole file. A missing, unreadable or directory path fails with the
// message "No se puede leer el fichero <path>".
bool readDataFile(const QString &path, QByteArray *bytes, QString *error = nullptr);

}  // namespace data
