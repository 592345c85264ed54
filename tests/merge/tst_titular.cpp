// The holder check.
#include "merge/titular.h"
#include "textctl/txtextcontrol.h"

#include <gtest/gtest.h>

using namespace merge;

namespace {

void fill(TXTextControl &control, int area, const QString &text)
{
    control.setHeaderFooter(control.HeaderFooter() | area);
    control.setHeaderFooterSelect(area);
    control.setText(text);
    control.setHeaderFooterSelect(0);
}

}  // namespace

TEST(ComprobarTitular, AnswersWhetherTheHolderOrAMarkerIsAnywhere)
{
    struct Row { const char *name; int area; QString text; bool expected; };
    const Row rows[] = {
        {"name in the main text", 0, u"Asegurado: MARÍA JESÚS"_qs, true},
        {"name inside a longer word", 0, u"la casa de doñamaría jesúsa"_qs, true},
        {"cif in the page header", 1, u"NIF 71934862q"_qs, true},
        {"cif marker in the first-page footer only", 8, u"&cif del titular&"_qs, true},
        {"name marker in the page footer", 4, u"&NOMBRE DEL TITULAR&"_qs, true},
        {"nothing anywhere", 2, u"Peritaciones Duero"_qs, false},
    };
    for (const Row &row : rows) {
        TXTextControl control;
        control.setText(u"Informe"_qs);
        if (row.area == 0)
            control.setText(row.text);
        else
            fill(control, row.area, row.text);
        EXPECT_EQ(comprobar_titular(control, {u"María Jesús"_qs, u"71934862Q"_qs}), row.expected) << row.name;
        EXPECT_EQ(control.HeaderFooterSelect(), 0) << row.name;
    }
}

TEST(ComprobarTitular, AnEmptyHolderIsNeverFound)
{
    TXTextControl control;
    control.setText(u"texto cualquiera"_qs);
    EXPECT_FALSE(comprobar_titular(control, {}));
    control.setText(u"&cif del titular&"_qs);
    EXPECT_TRUE(comprobar_titular(control, {}));
}
