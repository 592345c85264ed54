// libFuzzer harness of the claim data reader: the input is split into
// records and values are cut at columns taken from the input itself.
#include "data/claimdata.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    data::ClaimData claims;
    QString error;
    const QByteArray input(reinterpret_cast<const char *>(bytes), qsizetype(size));
    if (!data::ClaimData::parse(input, &claims, &error))
        return 0;
    for (int registro = 0; registro <= claims.recordCount() + 1; ++registro) {
        const QByteArrayView record = claims.recordBytes(registro);
        // Columns from the first bytes, so the fuzzer can steer them.
        const int posicion = size > 0 ? int(qint8(bytes[0])) * 13 : 1;
        const int longitud = size > 1 ? int(qint8(bytes[1])) * 7 : 5;
        const QString value = claims.value(registro, posicion, longitud);
        if (value.size() > qMax(0, longitud) || value.size() > record.size())
            std::abort();
        const data::HolderFields holder = claims.holder(registro);
        if (holder.titular.size() > 30 || holder.cif.size() > 35)
            std::abort();
    }
    return 0;
}
