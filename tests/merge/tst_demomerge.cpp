// The demo templates merged with every demo record, saved as RTF and read
// again: the values the demo's README lists are there, no marker is left,
// and the tables, areas and pictures survive.
#include "merge/fusion.h"
#include "merge/mergedata.h"
#include "merge/titular.h"
#include "textctl/txtextcontrol.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace merge;

namespace {

const QString kDemo = QStringLiteral(VALDRIN_SAMPLES_DIR);

struct Shape {
    int tables = 0;
    int pictures = 0;
    int areas = 0;
};

Shape shapeOf(const TXTextControl &control)
{
    Shape shape;
    shape.areas = control.HeaderFooter();
    const textctl::RichDocument &doc = control.document();
    for (const QTextDocument *text : doc.texts()) {
        for (QTextBlock b = text->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                shape.pictures += it.fragment().charFormat().isImageFormat() ? it.fragment().length() : 0;
        for (QTextFrame *frame : text->rootFrame()->childFrames())
            shape.tables += qobject_cast<QTextTable *>(frame) ? 1 : 0;
    }
    return shape;
}

QString areaText(TXTextControl &control, int area)
{
    control.setHeaderFooterSelect(area);
    const QString text = control.Text();
    control.setHeaderFooterSelect(0);
    return text;
}

class DemoMerge : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(loadMergeData(kDemo, &demo, &error)) << error.toStdString();
    }

    bool holderFound(TXTextControl &control, int registro)
    {
        return comprobar_titular(control, demo.claims.holder(registro));
    }

    // Merges a template with a record, saves it and loads the saved file
    // into `reread`.
    void mergeAndReread(const QString &templateName, int registro, TXTextControl &reread)
    {
        TXTextControl control;
        ASSERT_TRUE(control.Load(kDemo + u"/plant/"_qs + templateName, 0, 5)) << control.errorString().toStdString();
        templateShape = shapeOf(control);
        numero.clear();
        fusionar_registro(control, demo, registro, &numero);
        const QString saved = dir.filePath(u"merged.rtf"_qs);
        ASSERT_TRUE(control.Save(saved, 0, 5)) << control.errorString().toStdString();
        ASSERT_TRUE(reread.Load(saved, 0, 5)) << reread.errorString().toStdString();
    }

    MergeData demo;
    QTemporaryDir dir;
    Shape templateShape;
    QString numero;
};

}  // namespace

TEST_F(DemoMerge, FirstRecordWithTheMainTemplate)
{
    TXTextControl doc;
    mergeAndReread(u"inf01.rtf"_qs, 1, doc);
    EXPECT_EQ(numero, u"00123"_qs);
    const QString main = doc.Text();
    const QString expected[] = {
        u"Expediente nº 00123 · Fecha del informe: 14/03/2024"_qs,
        u"C/ Santiago, 14   3º B · 47001 Valladolid (Valladolid)"_qs,
        u"26/02/2024"_qs,
        u"* (tel. *)"_qs,
        u"150,00 €"_qs,
        u"Terceros perjudicados: Ángel Martín Cuesta (vivienda 2º B)."_qs,
        u"1.424,52 €"_qs,
        u"1.734,52 €"_qs,
        u"0,00 % / NO"_qs,
        u"1.584,52 €"_qs,
        u"(estado actual: Cerrado; fecha de cierre: 14/03/2024)."_qs,
        u"El perito que suscribe, designado por MUTUA CASTELLANA DE SEGUROS para la comprobación y"_qs,
        u"26/02/2024 - La asegurada detecta humedad"_qs,
        u"Cuarto de baño (4,20 m²):"_qs,
        u"\n   - Alicatado"_qs,
        u"La valoración se ha realizado a precios de mercado"_qs,
        u"1.584,52 € (MIL QUINIENTOS OCHENTA Y CUATRO"_qs,
        u"Localización y reparación de avería en tubería de cobre"_qs,
        u"Mueble bajo lavabo 80 cm (contenido)"_qs,
        u"6,50 m²"_qs,
        u"245,52"_qs,
    };
    for (const QString &text : expected)
        EXPECT_TRUE(main.contains(text)) << text.toStdString();
    EXPECT_EQ(main.count(u"María Jesús Fernández Llorente"_qs), 2);
    // "*" only for the two empty fields: the e-mail and the contact with its phone.
    EXPECT_EQ(main.count(u'*'), 3);
    EXPECT_EQ(main.count(u"71934862Q"_qs), 1);

    EXPECT_EQ(areaText(doc, 1), u"INFORME PERICIAL · Expte. nº 00123\tAsegurado: María Jesús Fernández Llorente"_qs);
    EXPECT_TRUE(areaText(doc, 2).contains(u"\tInforme emitido para Mutua Castellana de Seguros"_qs));
    EXPECT_TRUE(areaText(doc, 2).contains(u"\tSu referencia: 24-HG-0312457 · Tramitador: Lucía Gómez Arranz"_qs));
    EXPECT_TRUE(areaText(doc, 4).startsWith(u"Peritaciones Duero, S.L. · Perito: Javier Ortega Sanz\tPágina "_qs));
    EXPECT_TRUE(areaText(doc, 8).startsWith(
        u"Peritaciones Duero, S.L. · Pza. de la Rinconada, 7 - 2º Izda. 47001 Valladolid\tPágina "_qs));
    EXPECT_TRUE(holderFound(doc, 1));
}

TEST_F(DemoMerge, EveryRecordWithEveryTemplateLeavesNoMarkerAndKeepsTheShape)
{
    for (const QString &name : {u"inf01.rtf"_qs, u"inf02.rtf"_qs}) {
        for (int registro = 1; registro <= 3; ++registro) {
            SCOPED_TRACE(name.toStdString() + " record " + std::to_string(registro));
            TXTextControl doc;
            mergeAndReread(name, registro, doc);
            for (const QTextDocument *text : doc.document().texts())
                EXPECT_FALSE(text->toPlainText().contains(u'&')) << text->toPlainText().toStdString();
            const Shape shape = shapeOf(doc);
            EXPECT_EQ(shape.tables, templateShape.tables);
            EXPECT_EQ(shape.pictures, templateShape.pictures);
            EXPECT_EQ(shape.areas, templateShape.areas);
            EXPECT_TRUE(holderFound(doc, registro));
        }
    }
}

TEST_F(DemoMerge, ThirdRecordHasNoValuationColumns)
{
    TXTextControl doc;
    mergeAndReread(u"inf01.rtf"_qs, 3, doc);
    EXPECT_EQ(numero, u"00201"_qs);
    const QString main = doc.Text();
    EXPECT_FALSE(main.contains(u"Localización y reparación"_qs));
    EXPECT_FALSE(main.contains(u"&valoracion"_qs));
    // Empty: Reparador, Perjudicado, Importe daños contenido, Infraseguro (%), Fecha de cierre.
    EXPECT_EQ(main.count(u'*'), 5);
    EXPECT_TRUE(main.contains(u"fecha de cierre: *)."_qs));
}

TEST_F(DemoMerge, TheLetterTakesTheClaimNumberFromItsFooter)
{
    TXTextControl doc;
    mergeAndReread(u"inf02.rtf"_qs, 1, doc);
    EXPECT_EQ(numero, u"00123"_qs);
    EXPECT_TRUE(areaText(doc, 4).startsWith(u"Expediente 00123 · Página "_qs)) << areaText(doc, 4).toStdString();
    EXPECT_EQ(areaText(doc, 1), u"Peritaciones Duero, S.L. · Gabinete de peritación de seguros"_qs);
}
