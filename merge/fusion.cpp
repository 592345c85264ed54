#include "merge/fusion.h"

#include "merge/markerpasses.h"
#include "merge/mergedata.h"
#include "merge/secciones.h"

#include <algorithm>
#include <array>

namespace merge {

bool isSectionCode(const QString &codigo)
{
    static const std::array<QString, 10> kCodes{
        QStringLiteral("CABECERA"), QStringLiteral("PIE"), QStringLiteral("HISTORIA"),
        QStringLiteral("PARTES"), QStringLiteral("VALORA"), QStringLiteral("VALOR_CON"),
        QStringLiteral("VALOR_UNI"), QStringLiteral("VALOR_PRE"), QStringLiteral("VALOR_DES"),
        QStringLiteral("VALOR_TOT"),
    };
    return std::find(kCodes.begin(), kCodes.end(), codigo) != kCodes.end();
}

void fusionar_registro(TXTextControl &control, const MergeData &mergeData, int registro,
                       QString *numero)
{
    for (const data::campo &line : mergeData.fields.lines()) {
        if (isSectionCode(line.codigo))
            continue;
        const QString result = sustituir_en_texto(control, mergeData, line.nombre, line.codigo, registro);
        if (line.codigo == data::kClaimNumberKey)
            *numero = result;
        sustituir_en_cabecera(control, mergeData, line.nombre, line.codigo, registro);
        sustituir_en_pie(control, mergeData, line.nombre, line.codigo, registro);
        sustituir_en_cabecera1(control, mergeData, line.nombre, line.codigo, registro);
        sustituir_en_pie1(control, mergeData, line.nombre, line.codigo, registro);
    }
    insertar_secciones(control, mergeData, *numero);
}

}  // namespace merge
