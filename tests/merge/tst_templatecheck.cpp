// The template check: markers no field matches, with where they stand, and
// fields no marker uses.

#include "merge/templatecheck.h"

#include "textctl/model/areas.h"
#include "textctl/txtextcontrol.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList kFields{u"Número de expediente"_s, u"Nombre del titular"_s, u"Agencia"_s, QString(),
                          u"agencia"_s, u"Tomador"_s, u"Peritaje,Texto previo"_s};

}  // namespace

TEST(TemplateCheck, FindsUnknownMarkersWhereTheyStandAndUnusedFields)
{
    TXTextControl control;
    control.setText(u"Expediente &NÚMERO DE EXPEDIENTE& de Pérez & Hijos y Gómez & Cía.\r\n"
                    "Titular: &Nombre del titualr& && fin\r\n"
                    "&peritaje,texto conclusion&\r\n"_s);
    // A marker over two formatting runs is still one marker.
    QTextCursor cursor(control.document().main());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(u"&Nombre "_s, bold);
    cursor.insertText(u"del titular&"_s, QTextCharFormat());
    control.setHeaderFooter(textctl::PageFooter);
    control.setHeaderFooterSelect(textctl::PageFooter);
    control.setText(u"Pie: &Agenzia&"_s);
    control.setHeaderFooterSelect(0);

    const merge::TemplateCheck check = merge::checkTemplate(control, kFields);

    ASSERT_EQ(check.unknownMarkers.size(), 2);
    EXPECT_EQ(check.unknownMarkers[0].area, 0);
    EXPECT_EQ(check.unknownMarkers[0].page, 1);
    EXPECT_EQ(check.unknownMarkers[0].marker, u"&Nombre del titualr&"_s);
    EXPECT_EQ(check.unknownMarkers[0].context, u"Titular: &Nombre del titualr& && fin"_s);
    EXPECT_EQ(check.unknownMarkers[1].area, int(textctl::PageFooter));
    EXPECT_EQ(check.unknownMarkers[1].page, 0);
    EXPECT_EQ(check.unknownMarkers[1].marker, u"&Agenzia&"_s);
    // Matched ignoring case; a section marker is known without its field;
    // the empty name and the second "agencia" are not listed.
    EXPECT_EQ(check.unusedFields, (QStringList{u"Agencia"_s, u"Tomador"_s, u"Peritaje,Texto previo"_s}));

    EXPECT_EQ(merge::describeCheck(check, u"inf09.rtf"_s),
              u"inf09.rtf: 2 marcadores sin campo en el diccionario:\n"
              "  Texto, página 1: &Nombre del titualr&   «Titular: &Nombre del titualr& && fin»\n"
              "  Pie: &Agenzia&   «Pie: &Agenzia&»\n"
              "Campos del diccionario que la plantilla no usa (3):\n"
              "  Agencia\n  Tomador\n  Peritaje,Texto previo"_s);
}
