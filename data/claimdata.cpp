#include "data/claimdata.h"

#include "data/datafile.h"
#include "data/linereader.h"
#include "platform/codepage.h"

namespace data {

QString cutField(QByteArrayView record, int posicion, int longitud)
{
    // One byte per character, and a space is the byte 0x20: cutting and
    // trimming the bytes before decoding gives the same text, cheaper.
    return platform::decodeWindows1252(trimSpaces(columnSlice(record, posicion, longitud)));
}

HolderFields holderFields(QByteArrayView record)
{
    return {cutField(record, 1366, 30), cutField(record, 1396, 35)};
}

bool ClaimData::parse(QByteArray bytes, ClaimData *out, QString *error)
{
    ClaimData data;
    data.m_bytes = std::move(bytes);
    LineReader reader(data.m_bytes);
    QByteArrayView line;
    while (reader.next(&line)) {
        if (data.m_records.size() == kMaxClaimRecords) {
            if (error)
                *error = QStringLiteral(
                             "Desbordamiento: el fichero de datos tiene más de %1 líneas")
                             .arg(kMaxClaimRecords);
            return false;
        }
        data.m_records.append({reader.lineOffset(), line.size()});
    }
    *out = std::move(data);
    return true;
}

QByteArrayView ClaimData::recordBytes(int registro) const
{
    if (registro < 1 || registro > recordCount())
        return {};
    const Span &span = m_records[registro - 1];
    return QByteArrayView(m_bytes).sliced(span.offset, span.length);
}

QString ClaimData::record(int registro) const
{
    return platform::decodeWindows1252(recordBytes(registro));
}

QString ClaimData::value(int registro, int posicion, int longitud) const
{
    return cutField(recordBytes(registro), posicion, longitud);
}

HolderFields ClaimData::holder(int registro) const
{
    return holderFields(recordBytes(registro));
}

QString valor_campo(const FieldTable &campos, const ClaimData &claims, const QString &codigo,
                    int registro)
{
    return claims.value(registro, campos.posicion_campo(codigo), campos.longitud_campo(codigo));
}

bool loadClaimData(const QString &programDir, ClaimData *out, QString *error)
{
    const QString path = resolvePath(programDir, kClaimDataFileName.toString());
    QByteArray bytes;
    if (!readDataFile(path, &bytes, error))
        return false;
    QString why;
    if (!ClaimData::parse(std::move(bytes), out, &why)) {
        if (error)
            *error = QStringLiteral("Error en el fichero %1: %2").arg(path, why);
        return false;
    }
    return true;
}

}  // namespace data
