// libFuzzer harness of the field dictionary reader: any bytes parse or fail
// with a message, and every key of the table finds its first entry.
#include "data/fieldtable.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    data::FieldTable table;
    QString error;
    if (!data::parseDictionary(QByteArrayView(bytes, qsizetype(size)), &table, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    const QList<data::campo> &entries = table.entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const qsizetype first = table.indexOf(entries[i].codigo);
        if (first < 0 || first > i || entries[first].codigo != entries[i].codigo)
            std::abort();
        if (table.posicion_campo(entries[i].codigo) != entries[first].posicion)
            std::abort();
    }
    return 0;
}
