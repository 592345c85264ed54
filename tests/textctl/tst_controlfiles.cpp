// Loading and saving through the control: text files, the save with a byte
// offset, Word files, imports.
#include "tests/filebytes.h"
#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

}  // namespace

TEST(DocumentFormat, ByTheLastThreeCharactersOfThePath)
{
    const QList<std::pair<QString, int>> rows{
        {u"a.rtf"_qs, 5}, {u"A.Rtf"_qs, 5}, {u"a.doc"_qs, 9}, {u"a.txt"_qs, 1}, {u"a.abc"_qs, 0},
        {u"rtf"_qs, 5},   {u" a.rtf "_qs, 5}, {u"a.rtf.bak"_qs, 0}, {u"informertf"_qs, 5}, {QString(), 0},
    };
    for (const auto &[path, format] : rows)
        EXPECT_EQ(textctl::formatForPath(path), format) << path.toStdString();
}

TEST(TextFiles, SaveAndLoadKeepTheTextAndLeaveNoUndoStep)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"informe.txt"_qs);
    TXTextControl writer;
    writer.setText(u"Peritación\r\nImporte: 150 €\fAnexo"_qs);
    ASSERT_TRUE(writer.Save(path, 0, 6)) << writer.errorString().toStdString();
    EXPECT_EQ(testfiles::readBytes(path), QByteArray("Peritaci\xf3n\r\nImporte: 150 \x80\x0c" "Anexo"));

    TXTextControl reader;
    QSignalSpy changes(&reader, &TXTextControl::Change);
    ASSERT_TRUE(reader.Load(path, 0, 1));
    EXPECT_EQ(reader.Text(), u"Peritación\nImporte: 150 €\fAnexo"_qs);
    EXPECT_FALSE(reader.canUndo());
    EXPECT_EQ(changes.count(), 0);
}

TEST(TextFiles, TextOutsideWindows1252IsSavedAsUtf8WithMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"griego.txt"_qs);
    TXTextControl control;
    control.setText(u"Ωμέγα"_qs);
    ASSERT_TRUE(control.Save(path, 0, 1));
    EXPECT_TRUE(testfiles::readBytes(path).startsWith("\xef\xbb\xbf"));
    TXTextControl reader;
    ASSERT_TRUE(reader.Load(path, 0, 1));
    EXPECT_EQ(reader.Text(), u"Ωμέγα"_qs);
}

TEST(TextFiles, MissingFileFailsWithItsNameAndKeepsTheText)
{
    TXTextControl control;
    control.setText(u"sigue aquí"_qs);
    EXPECT_FALSE(control.Load(u"/no/existe/informe.txt"_qs, 0, 1));
    EXPECT_TRUE(control.errorString().contains(u"/no/existe/informe.txt"_qs));
    EXPECT_EQ(control.Text(), u"sigue aquí"_qs);
}

TEST(TextFiles, ImportInsertsAtTheInputPosition)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bloque.txt"_qs);
    ASSERT_TRUE(testfiles::writeBytes(path, QByteArray("uno\r\ndos")));
    TXTextControl control;
    control.setText(u"[]"_qs);
    control.setSelStart(1);
    ASSERT_TRUE(control.TextImport(path));
    EXPECT_EQ(control.Text(), u"[uno\ndos]"_qs);
}

TEST(OffsetSave, KeepsTheFirstBytesAndWritesRtfAfterThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"doc.abc"_qs);
    QByteArray header(28, '\0');
    header[0] = 23;
    header[4] = 'X';
    ASSERT_TRUE(testfiles::writeBytes(path, header + QByteArray("old content that must go")));
    TXTextControl control;
    control.setText(u"texto"_qs);
    ASSERT_TRUE(control.Save(path, qint64(28)));
    const QByteArray bytes = testfiles::readBytes(path);
    EXPECT_EQ(bytes.left(28), header);
    EXPECT_TRUE(bytes.mid(28).startsWith("{\\rtf1"));
    EXPECT_FALSE(bytes.contains("old content"));
}

TEST(OffsetSave, PadsAShortFileWithZeros)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"nuevo.abc"_qs);
    TXTextControl control;
    ASSERT_TRUE(control.Save(path, qint64(28)));
    const QByteArray bytes = testfiles::readBytes(path);
    EXPECT_EQ(bytes.left(28), QByteArray(28, '\0'));
    EXPECT_TRUE(bytes.mid(28).startsWith("{\\rtf1"));
}

TEST(Saving, AFailedSaveLeavesNoFileBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"no/such/dir/informe.rtf"_qs);
    TXTextControl control;
    EXPECT_FALSE(control.Save(path, 0, 5));
    EXPECT_FALSE(control.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(WordFiles, BinaryWordNeedsLibreOffice)
{
    if (!QStandardPaths::findExecutable(u"soffice"_qs).isEmpty())
        GTEST_SKIP() << "soffice is installed: the conversion itself is tested with the interop tests";
    QTemporaryDir dir;
    const QString path = dir.filePath(u"viejo.doc"_qs);
    ASSERT_TRUE(testfiles::writeBytes(path, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(512, '\0')));
    TXTextControl control;
    EXPECT_FALSE(control.Load(path, 0, 9));
    EXPECT_TRUE(control.errorString().contains(u"LibreOffice"_qs));
}

TEST(WordFiles, NeitherRtfNorBinaryWordIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"falso.doc"_qs);
    ASSERT_TRUE(testfiles::writeBytes(path, QByteArray("solo texto")));
    TXTextControl control;
    EXPECT_FALSE(control.Load(path, 0, 9));
    EXPECT_FALSE(control.errorString().isEmpty());
}
