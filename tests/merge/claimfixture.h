#pragma once

// Builds the merge data of the merge tests: a small field table and claim
// records, with no file and no process-wide state.
#include "data/claimdata.h"
#include "merge/mergedata.h"

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

inline merge::MergeData mergeData(const QList<Field> &fields, const QList<QByteArray> &records)
{
    QList<data::campo> entries;
    for (const Field &f : fields)
        entries.append({QString::fromUtf16(f.nombre), QString::fromUtf16(f.codigo),
                        qint16(f.longitud), qint16(f.posicion)});
    merge::MergeData out;
    out.fields = data::FieldTable(entries);
    data::ClaimData::parse(records.join("\r\n") + "\r\n", &out.claims);
    return out;
}

}  // namespace mergetest
