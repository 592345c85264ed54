#include "merge/markerpasses.h"

#include "merge/mergedata.h"
#include "textctl/txtextcontrol.h"

#include <QTextDocument>

namespace merge {

namespace {

QString valueOf(const MergeData &mergeData, const QString &codigo, int registro)
{
    return data::valor_campo(mergeData.fields, mergeData.claims, codigo, registro);
}

void replaceFirstInArea(TXTextControl &control, int area, const MergeData &mergeData,
                        const QString &nombre, const QString &codigo, int registro)
{
    control.setHeaderFooterSelect(area);
    const int found = control.Find(markerFor(nombre), 0, 16);
    const QString value = valueOf(mergeData, codigo, registro);
    if (found >= 0)
        control.setSelText(value.isEmpty() ? kMissingValue.toString() : value);
    control.setHeaderFooterSelect(textctl::MainText);
}

}  // namespace

QString markerFor(const QString &nombre)
{
    return u'&' + nombre + u'&';
}

QString sustituir_en_texto(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                           const QString &codigo, int registro)
{
    control.setHeaderFooterSelect(textctl::MainText);
    if (control.document().main()->isEmpty())
        return {};
    const QString marker = markerFor(nombre);
    const QString value = valueOf(mergeData, codigo, registro);
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

void sustituir_en_cabecera(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                           const QString &codigo, int registro)
{
    replaceFirstInArea(control, textctl::PageHeader, mergeData, nombre, codigo, registro);
}

void sustituir_en_pie(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                      const QString &codigo, int registro)
{
    replaceFirstInArea(control, textctl::PageFooter, mergeData, nombre, codigo, registro);
}

void sustituir_en_cabecera1(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                            const QString &codigo, int registro)
{
    replaceFirstInArea(control, textctl::FirstPageHeader, mergeData, nombre, codigo, registro);
}

void sustituir_en_pie1(TXTextControl &control, const MergeData &mergeData, const QString &nombre,
                       const QString &codigo, int registro)
{
    replaceFirstInArea(control, textctl::FirstPageFooter, mergeData, nombre, codigo, registro);
}

}  // namespace merge
