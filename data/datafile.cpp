#include "data/datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace data {

namespace {

QString joinPath(const QString &dir, const QString &name)
{
    if (dir.isEmpty())
        return name;
    return dir.endsWith(u'/') ? dir + name : dir + u'/' + name;
}

// The entry of `dir` equal to `name` ignoring case, or an empty string.
QString findIgnoringCase(const QString &dir, const QString &name)
{
    const QStringList entries = QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

}  // namespace

QString resolvePath(const QString &dir, const QString &relative)
{
    QString normalized = relative;
    normalized.replace(u'\\', u'/');
    QString current = normalized.startsWith(u'/') ? QStringLiteral("/") : dir;
    const QStringList parts = normalized.split(u'/', Qt::SkipEmptyParts);
    bool matching = true;
    for (const QString &part : parts) {
        const QString exact = joinPath(current, part);
        if (!matching || part == u"." || part == u".." || QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        const QString found = findIgnoringCase(current, part);
        matching = !found.isEmpty();
        current = matching ? joinPath(current, found) : exact;
    }
    return current;
}

bool readDataFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isDir() && file.open(QIODevice::ReadOnly)) {
        QByteArray all = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            *bytes = std::move(all);
            return true;
        }
    }
    if (error)
        *error = QStringLiteral("No se puede leer el fichero %1").arg(path);
    return false;
}

}  // namespace data
