// Crash recovery in one process, its clock driven by the test: when a
// document is written, rewritten and forgotten.

#include "frame/recuperacion.h"
#include "tests/frame/framefixture.h"

#include <QDir>
#include <QProcess>

namespace {

class RecuperacionTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        recuperacion = std::make_unique<frame::Recuperacion>(editor(), folder.path(), [this] { return now; });
    }
    // Seconds on the test's clock, then one tick.
    void at(int seconds)
    {
        now = start.addSecs(seconds);
        recuperacion->tick();
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }
    QByteArray recovered() const
    {
        const QStringList rtf = QDir(folder.path()).entryList({u"*.rtf"_qs});
        QFile file(folder.filePath(rtf.value(0)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    const QDateTime start = QDateTime(QDate(2026, 3, 14), QTime(10, 0), Qt::UTC);
    QDateTime now = start;
    std::unique_ptr<frame::Recuperacion> recuperacion;
};

}  // namespace

TEST_F(RecuperacionTest, WrittenTwoSecondsAfterTypingStopsAtMostOnceAMinute)
{
    at(0);
    EXPECT_TRUE(files().isEmpty()) << "an unmodified window is not written";
    escribir(u"Daños por agua"_qs);
    at(1);
    EXPECT_TRUE(files().isEmpty()) << "typing has not stopped for 2 seconds";
    at(3);
    ASSERT_EQ(files().size(), 2);
    EXPECT_TRUE(recovered().contains("Da\\'f1os por agua"));

    escribir(u" en la cocina"_qs);
    at(10);
    EXPECT_FALSE(recovered().contains("cocina")) << "written less than a minute ago";
    at(64);
    EXPECT_TRUE(recovered().contains("cocina"));
}

TEST_F(RecuperacionTest, SavingOrClosingTakesTheFilesAway)
{
    at(0);
    escribir(u"Informe"_qs);
    at(3);
    ASSERT_EQ(files().size(), 2);
    editor().estados(1).modificado = frame::kFalso;  // as a save leaves it
    at(4);
    EXPECT_TRUE(files().isEmpty());

    escribir(u" corregido"_qs);
    at(7);
    ASSERT_EQ(files().size(), 2);
    activeWindow()->closeWithoutPrompt();
    at(8);
    EXPECT_TRUE(files().isEmpty());
}

// The real thing: an editor holding two modified documents, one untitled,
// killed with SIGKILL once both are written; the next start brings both
// back, modified, under their own names.
TEST(RecuperacionProceso, KilledEditorsDocumentsComeBackModified)
{
    QTemporaryDir home;
    QTemporaryDir programDir;
    ASSERT_TRUE(testsupport::copyDemoDirectory(programDir.path()));
    const QString file = programDir.filePath(u"plant/inf02.rtf"_qs);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_DATA_HOME"_qs, home.path());
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    const QString driver = QStringLiteral(VALDRIN_BIN_DIR "/recuperacion_driver");

    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.start(driver, {u"escribir"_qs, programDir.path(), file});
    QStringList written;
    while (written.size() < 2 && editor.waitForReadyRead(20000)) {
        while (editor.canReadLine())
            written.append(QString::fromUtf8(editor.readLine()).trimmed());
    }
    ASSERT_EQ(written.size(), 2) << qPrintable(editor.readAllStandardError());
    editor.kill();  // SIGKILL
    ASSERT_TRUE(editor.waitForFinished(10000));

    QProcess again;
    again.setProcessEnvironment(env);
    again.start(driver, {u"recuperar"_qs, programDir.path()});
    ASSERT_TRUE(again.waitForFinished(30000));
    const QStringList windows = QString::fromUtf8(again.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    // The start's own empty window, then what was recovered, modified.
    EXPECT_EQ(windows.size(), 3) << qPrintable(windows.join(u'\n'));
    EXPECT_TRUE(windows.contains(u"Sin Titulo:2|-1|Borrador sin título"_qs)) << qPrintable(windows.join(u'\n'));
    bool fileBack = false;
    for (const QString &window : windows)
        fileBack |= window.startsWith(file + u"|-1|Añadido antes del fallo. "_qs);
    EXPECT_TRUE(fileBack) << qPrintable(windows.join(u'\n'));
    EXPECT_TRUE(QDir(home.filePath(u"quorvel/recuperacion"_qs)).entryList(QDir::Files).isEmpty())
        << "once reopened, the recovery files go";
}
