#include "platformui/commondialog.h"
#include "platformui/qtcommondialog.h"
#include "platformui/scripteddialogs.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

const QString kSaveFilter = u"Archivo de texto enriquecido (*.rtf)|*.rtf|Archivo de texto (*.txt)|*.txt"_qs;

struct EndingRow {
    const char *name;
    QString path;
    QString filter;
    int index;
    QString expected;
};

}  // namespace

TEST(CommonDialog, FilterEndingIsAddedOnlyToANameWithoutOne)
{
    const QList<EndingRow> rows{
        {"rtf filter", u"/tmp/informe"_qs, kSaveFilter, 1, u"/tmp/informe.rtf"_qs},
        {"txt filter", u"/tmp/informe"_qs, kSaveFilter, 2, u"/tmp/informe.txt"_qs},
        {"own ending kept", u"/tmp/informe.doc"_qs, kSaveFilter, 1, u"/tmp/informe.doc"_qs},
        {"dot in directory only", u"/tmp/a.b/informe"_qs, kSaveFilter, 2, u"/tmp/a.b/informe.txt"_qs},
        {"index past the filters", u"/tmp/informe"_qs, kSaveFilter, 3, u"/tmp/informe"_qs},
        {"index zero", u"/tmp/informe"_qs, kSaveFilter, 0, u"/tmp/informe"_qs},
        {"any file", u"/tmp/informe"_qs, u"Todos (*.*)|*.*"_qs, 1, u"/tmp/informe"_qs},
        {"first of several patterns", u"/tmp/x"_qs, u"Texto|*.rtf;*.doc"_qs, 1, u"/tmp/x.rtf"_qs},
        {"empty path", QString(), kSaveFilter, 1, QString()},
    };
    for (const EndingRow &row : rows)
        EXPECT_EQ(withFilterEnding(row.path, row.filter, row.index), row.expected) << row.name;
}

TEST(CommonDialog, TheFolderADialogOpensIn)
{
    struct Row {
        const char *name;
        QString fileName;
        QString expected;
    };
    const Row rows[] = {
        {"no file name: the program directory", {}, u"/informes"_qs},
        {"an absolute pattern: its folder", u"/informes/plant/*.rtf"_qs, u"/informes/plant"_qs},
        {"a bare name: the program directory", u"00123.rtf"_qs, u"/informes"_qs},
        {"a relative path: from the program directory", u"fotos/00123.rtf"_qs, u"/informes/fotos"_qs},
    };
    for (const Row &row : rows)
        EXPECT_EQ(platform::dialogDirectory(row.fileName, u"/informes"_qs), row.expected) << row.name;
}

TEST(CommonDialog, QtNameFiltersCarryOnePatternList)
{
    EXPECT_EQ(qtNameFilters(kSaveFilter),
              (QStringList{u"Archivo de texto enriquecido (*.rtf)"_qs, u"Archivo de texto (*.txt)"_qs}));
    EXPECT_EQ(qtNameFilters(u"Imágenes|*.bmp;*.jpg"_qs), QStringList{u"Imágenes (*.bmp *.jpg)"_qs});
    EXPECT_TRUE(qtNameFilters(u"dangling"_qs).isEmpty());
}

TEST(CommonDialog, ScriptedDialogRecordsSettingsAndAnswers)
{
    ScriptedCommonDialog dialogo;
    dialogo.DialogTitle = u"Save As"_qs;
    dialogo.Filter = kSaveFilter;
    dialogo.Flags = 2054;
    dialogo.chooseNext(u"/tmp/nuevo"_qs, 2);
    dialogo.cancelNext();

    EXPECT_EQ(dialogo.ShowSave(), 0);
    EXPECT_EQ(dialogo.FileName, u"/tmp/nuevo.txt"_qs);
    EXPECT_EQ(dialogo.ShowSave(), kCancelError);
    EXPECT_EQ(dialogo.ShowOpen(), kCancelError) << "an unscripted opening cancels";

    ASSERT_EQ(dialogo.openings().size(), 3);
    EXPECT_EQ(dialogo.openings().at(0).kind, DialogKind::Save);
    EXPECT_EQ(dialogo.openings().at(0).settings.Flags, 2054);
    EXPECT_EQ(dialogo.openings().at(0).settings.DialogTitle, u"Save As"_qs);
    EXPECT_EQ(dialogo.openings().at(2).kind, DialogKind::Open);
}

TEST(CommonDialog, OpenAddsNoEnding)
{
    ScriptedCommonDialog dialogo;
    dialogo.Filter = kSaveFilter;
    dialogo.chooseNext(u"/tmp/sin_final"_qs);
    EXPECT_EQ(dialogo.ShowOpen(), 0);
    EXPECT_EQ(dialogo.FileName, u"/tmp/sin_final"_qs);
}
