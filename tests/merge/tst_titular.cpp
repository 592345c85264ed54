// The holder check.
#include "merge/titular.h"
#include "textctl/txtextcontrol.h"

#include <QFile>
#include <QTemporaryDir>

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
        EXPECT_EQ(comprobar_titular(control, u"María Jesús"_qs, u"71934862Q"_qs), row.expected) << row.name;
        EXPECT_EQ(control.HeaderFooterSelect(), 0) << row.name;
    }
}

TEST(ComprobarTitular, AnEmptyHolderIsNeverFound)
{
    TXTextControl control;
    control.setText(u"texto cualquiera"_qs);
    EXPECT_FALSE(comprobar_titular(control, QString(), QString()));
    control.setText(u"&cif del titular&"_qs);
    EXPECT_TRUE(comprobar_titular(control, QString(), QString()));
}

TEST(ComprobarTitular, ReadsTheHolderOfTheNamedRecord)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"FINALPRN.TXT"_qs));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const auto holderRecord = [](const QByteArray &name, const QByteArray &cif) {
        QByteArray line(1430, ' ');
        line.replace(1365, name.size(), name);
        line.replace(1395, cif.size(), cif);
        return line;
    };
    file.write(holderRecord("Jos\xe9 \xc1ngel", "X4829163Z") + "\r\n" + holderRecord("Asador", "B34526178") + "\r\n");
    file.close();

    TXTextControl control;
    control.setText(u"Titular: José Ángel"_qs);
    EXPECT_TRUE(comprobar_titular(control, dir.path()));
    EXPECT_FALSE(comprobar_titular(control, dir.path(), 2));
    control.setText(u"B34526178"_qs);
    EXPECT_TRUE(comprobar_titular(control, dir.path(), 2));
    EXPECT_FALSE(comprobar_titular(control, dir.filePath(u"no-such-dir"_qs)));
}
