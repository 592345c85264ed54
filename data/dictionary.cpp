#include "data/dictionary.h"

#include "data/datafile.h"

namespace data {

namespace {

FieldTable &globalTable()
{
    static FieldTable table;
    return table;
}

}  // namespace

bool loadDictionary(const QString &programDir, FieldTable *table, QString *error)
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

bool cargar_diccionario(const QString &programDir, QString *error)
{
    FieldTable table;
    if (!loadDictionary(programDir, &table, error))
        return false;
    globalTable() = std::move(table);
    return true;
}

const FieldTable &tabla_campos()
{
    return globalTable();
}

void setFieldTable(FieldTable table)
{
    globalTable() = std::move(table);
}

qint16 posicion_campo(const QString &codigo)
{
    return globalTable().position(codigo);
}

qint16 longitud_campo(const QString &codigo)
{
    return globalTable().length(codigo);
}

}  // namespace data
