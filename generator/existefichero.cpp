#include "generator/existefichero.h"

#include <QDir>

namespace generator {

QString findListedFile(const QString &programDir, const QString &name)
{
    const QString wanted = name.toUpper().trimmed();
    // A fresh QDir each call: no cached listing survives between ticks.
    const QStringList listed = QDir(programDir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString &entry : listed)
        if (entry.toUpper().trimmed() == wanted)
            return entry;
    return {};
}

bool existe_fichero(const QString &programDir, const QString &name)
{
    return !findListedFile(programDir, name).isEmpty();
}

}  // namespace generator
