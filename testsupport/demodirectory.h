#pragma once

// The bundled demo program directory, copied into a scratch directory of a
// test or benchmark so that the programs can run on, and write into, their
// own copy.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace testsupport {

// Copies every file under `from` (hidden ones too) to the same place under
// `to`. False when a file could not be copied.
inline bool copyTree(const QString &from, const QString &to)
{
    bool ok = true;
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        ok = QDir().mkpath(QFileInfo(target).absolutePath()) && QFile::copy(source, target) && ok;
    }
    return ok;
}

// The demo program directory (field dictionary, claim data, sections,
// templates) copied into `to`.
inline bool copyDemoDirectory(const QString &to)
{
    return copyTree(QStringLiteral(VALDRIN_SAMPLES_DIR), to);
}

}  // namespace testsupport
