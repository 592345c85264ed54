#include "merge/markerpasses.h"

#include "data/currentclaim.h"
#include "textctl/txtextcontrol.h"

#include <QTextDocument>

namespace merge {

namespace {

void replaceFirstInArea(TXTextControl &control, int area, const QString &nombre,
                        const QString &codigo, int registro)
{
    control.setHeaderFooterSelect(area);
    const int found = control.Find(marcador(nombre), 0, 16);
    const QString value = data::valor_campo(codigo, registro);
    if (found >= 0)
        control.setSelText(value.isEmpty() ? kMissingValue.toString() : value);
    control.setHeaderFooterSelect(0);
}

}  // namespace

QString marcador(const QString &nombre)
{
    return u'&' + nombre + u'&';
}

QString sustituir_en_texto(TXTextControl &control, const QString &nombre,
                           const QString &codigo, int registro)
{
    control.setHeaderFooterSelect(0);
    if (control.document().main()->isEmpty())
        return {};
    const QString marker = marcador(nombre);
    const QString value = data::valor_campo(codigo, registro);
    int from = 0;
    while (true) {
        const int found = control.Find(marker, from, 16);
        if (found < 0)
            break;
        if (value.isEmpty()) {
            control.setSelText(kMissingValue.toString());
            break;
        }
        control.setSelText(value);
        // The caret stands right after the inserted value.
        from = control.SelStart();
    }
    return codigo == data::kClaimNumberKey ? value : QString();
}

void sustituir_en_cabecera(TXTextControl &control, const QString &nombre,
                           const QString &codigo, int registro)
{
    replaceFirstInArea(control, 1, nombre, codigo, registro);
}

void sustituir_en_pie(TXTextControl &control, const QString &nombre,
                      const QString &codigo, int registro)
{
    replaceFirstInArea(control, 4, nombre, codigo, registro);
}

void sustituir_en_cabecera1(TXTextControl &control, const QString &nombre,
                            const QString &codigo, int registro)
{
    replaceFirstInArea(control, 2, nombre, codigo, registro);
}

void sustituir_en_pie1(TXTextControl &control, const QString &nombre,
                       const QString &codigo, int registro)
{
    replaceFirstInArea(control, 8, nombre, codigo, registro);
}

}  // namespace merge
