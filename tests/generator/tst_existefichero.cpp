// The arrival file test over a real directory.

#include "generator/existefichero.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

}  // namespace

TEST(ExisteFichero, MatchesIgnoringCaseAndBlanksInTheProgramDirectoryOnly)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.path();
    touch(dir + u"/00123.TXT"_qs);
    touch(dir + u"/00187.txt "_qs);
    ASSERT_TRUE(QDir(dir).mkpath(u"sub"_qs));
    ASSERT_TRUE(QDir(dir).mkpath(u"00201.txt"_qs));
    touch(dir + u"/sub/00300.txt"_qs);

    struct Row {
        QString name;
        bool found;
    };
    const Row rows[] = {
        {u"00123.txt"_qs, true},        {u"00123.TXT"_qs, true},     {u" 00123.txt  "_qs, true},
        {u"00187.TXT"_qs, true},        {u"00201.txt"_qs, false},    // a directory
        {u"00300.txt"_qs, false},       {u"sub/00300.txt"_qs, false}, // below the directory
        {u"0012.txt"_qs, false},        {u"00123"_qs, false},        {QString(), false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(generator::existe_fichero(dir, row.name), row.found) << row.name.toStdString();
    EXPECT_EQ(generator::findListedFile(dir, u"00123.txt"_qs), u"00123.TXT"_qs);
}

TEST(ExisteFichero, ListsAfreshOnEveryCall)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    EXPECT_FALSE(generator::existe_fichero(tmp.path(), u"00123.txt"_qs)) << "empty directory";
    touch(tmp.path() + u"/00123.txt"_qs);
    EXPECT_TRUE(generator::existe_fichero(tmp.path(), u"00123.txt"_qs));
    ASSERT_TRUE(QFile::remove(tmp.path() + u"/00123.txt"_qs));
    EXPECT_FALSE(generator::existe_fichero(tmp.path(), u"00123.txt"_qs));
}
