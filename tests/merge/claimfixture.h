#pragma once

// Installs a small field table and claim data for the merge tests.
#include "data/claimdata.h"
#include "data/currentclaim.h"
#include "data/dictionary.h"

#include <QByteArray>
#include <QList>

#include <utility>

namespace mergetest {

struct Field {
    const char16_t *nombre;
    const char16_t *codigo;
    int posicion;
    int longitud;
};

// A record with each value placed at its column (Windows-1252 bytes).
inline QByteArray record(const QList<std::pair<int, QByteArray>> &values)
{
    QByteArray line;
    for (const auto &[column, value] : values) {
        const qsizetype end = column - 1 + value.size();
        if (line.size() < end)
            line.append(end - line.size(), ' ');
        line.replace(column - 1, value.size(), value);
    }
    return line;
}

inline void install(const QList<Field> &fields, const QList<QByteArray> &records)
{
    QList<data::campo> entries;
    for (const Field &f : fields)
        entries.append({QString::fromUtf16(f.nombre), QString::fromUtf16(f.codigo),
                        qint16(f.longitud), qint16(f.posicion)});
    data::setFieldTable(data::FieldTable(entries));
    data::ClaimData claims;
    data::ClaimData::parse(records.join("\r\n") + "\r\n", &claims);
    data::setCurrentClaimData(std::move(claims));
}

}  // namespace mergetest
