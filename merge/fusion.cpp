#include "merge/fusion.h"

#include "data/currentclaim.h"
#include "merge/markerpasses.h"
#include "merge/secciones.h"

#include <algorithm>
#include <array>

namespace merge {

bool esCodigoSeccion(const QString &codigo)
{
    static const std::array<QString, 10> kCodes{
        QStringLiteral("CABECERA"), QStringLiteral("PIE"), QStringLiteral("HISTORIA"),
        QStringLiteral("PARTES"), QStringLiteral("VALORA"), QStringLiteral("VALOR_CON"),
        QStringLiteral("VALOR_UNI"), QStringLiteral("VALOR_PRE"), QStringLiteral("VALOR_DES"),
        QStringLiteral("VALOR_TOT"),
    };
    return std::find(kCodes.begin(), kCodes.end(), codigo) != kCodes.end();
}

void fusionar_registro(TXTextControl &control, const QList<data::campo> &lineas, int registro,
                       const QString &programDir, QString *numero)
{
    for (const data::campo &line : lineas) {
        if (esCodigoSeccion(line.codigo))
            continue;
        const QString result = sustituir_en_texto(control, line.nombre, line.codigo, registro);
        if (line.codigo == data::kClaimNumberKey)
            *numero = result;
        sustituir_en_cabecera(control, line.nombre, line.codigo, registro);
        sustituir_en_pie(control, line.nombre, line.codigo, registro);
        sustituir_en_cabecera1(control, line.nombre, line.codigo, registro);
        sustituir_en_pie1(control, line.nombre, line.codigo, registro);
    }
    insertar_secciones(control, programDir, *numero);
}

}  // namespace merge
