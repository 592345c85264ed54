#include "data/dictionary.h"

#include "data/datafile.h"

namespace data {

bool cargar_diccionario(const QString &programDir, FieldTable *table, QString *error)
{
    const QString path = resolvePath(programDir, kDictionaryFileName.toString());
    QByteArray bytes;
    if (!readDataFile(path, &bytes, error))
        return false;
    QString why;
    if (!parseDictionary(bytes, table, &why)) {
        if (error)
            *error = QStringLiteral("Error en el fichero %1: %2").arg(path, why);
        return false;
    }
    return true;
}

}  // namespace data
