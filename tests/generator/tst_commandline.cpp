// The generator's command line, row by row.

#include "generator/commandline.h"

#include <gtest/gtest.h>

using generator::GeneratorArguments;

TEST(CommandLine, ParsesTheFourParameters)
{
    struct Row {
        const char *name;
        QString linea;
        QString plantilla, fichero, formato, destino;
    };
    const Row rows[] = {
        {"typical", u"inf01:00123:2:E"_qs, u"inf01"_qs, u"00123"_qs, u"2"_qs, u"E"_qs},
        {"blanks around the line", u"  inf01:00123:2:E \t"_qs, u"inf01"_qs, u"00123"_qs, u"2"_qs, u"E"_qs},
        {"empty destination", u"inf01:00123:2:"_qs, u"inf01"_qs, u"00123"_qs, u"2"_qs, {}},
        {"any separator before the destination", u"inf01:00123:2xW"_qs, u"inf01"_qs, u"00123"_qs, u"2"_qs, u"W"_qs},
        {"the rest ignored", u"inf01:00123:2:IXYZ"_qs, u"inf01"_qs, u"00123"_qs, u"2"_qs, u"I"_qs},
        {"empty template name", u":00123:2:E"_qs, {}, u"00123"_qs, u"2"_qs, u"E"_qs},
        {"empty base name", u"inf01::2:E"_qs, u"inf01"_qs, {}, u"2"_qs, u"E"_qs},
        {"blanks inside kept", u"inf 01: 00123 :x:E"_qs, u"inf 01"_qs, u" 00123 "_qs, u"x"_qs, u"E"_qs},
        {"a third colon is the format", u"inf01:00123:::E"_qs, u"inf01"_qs, u"00123"_qs, u":"_qs, u"E"_qs},
        {"backslash path stays in the name", u"inf01:c\\x\\00123:2:E"_qs, u"inf01"_qs, u"c\\x\\00123"_qs, u"2"_qs, u"E"_qs},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        GeneratorArguments v;
        QString error;
        ASSERT_TRUE(generator::parseCommandLine(row.linea, &v, &error)) << error.toStdString();
        EXPECT_EQ(v.wplantilla, row.plantilla);
        EXPECT_EQ(v.wfichero, row.fichero);
        EXPECT_EQ(v.wformato, row.formato);
        EXPECT_EQ(v.wdestino, row.destino);
        EXPECT_TRUE(error.isEmpty());
    }
}

TEST(CommandLine, InvalidArgument)
{
    const QString rows[] = {
        u"inf01:00123:2"_qs,   // one character after the second colon
        u"inf01"_qs,           // no colon
        {},                    // empty
        u"   "_qs,             // blanks only
        u"inf01:00123"_qs,     // no second colon
        u"inf01:00123:"_qs,    // nothing after the second colon
        u"inf01:00123:2 "_qs,  // the trailing blank is trimmed away first
    };
    for (const QString &linea : rows) {
        SCOPED_TRACE(linea.toStdString());
        GeneratorArguments v;
        QString error;
        EXPECT_FALSE(generator::parseCommandLine(linea, &v, &error));
        EXPECT_TRUE(error.startsWith(u"Argumento no válido"_qs)) << error.toStdString();
    }
}
