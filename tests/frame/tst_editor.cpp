#include "tests/frame/framefixture.h"
#include "tests/unwritable.h"

#include "textctl/documentfiles.h"

#include <QDataStream>
#include <QMdiArea>

#include <csignal>
#include <optional>
#include <sys/resource.h>

using namespace frame;

TEST_F(FrameTest, StartStateIsOneUntitledWindowInSlotOne)
{
    EXPECT_EQ(editor().upperBound(), 1);
    ASSERT_NE(activeWindow(), nullptr);
    EXPECT_EQ(activeWindow()->Tag(), u"1"_qs);
    EXPECT_EQ(activeWindow()->caption(), u"Sin titulo"_qs);
    EXPECT_TRUE(Editor::isUntitled(activeWindow()->caption()));
    EXPECT_EQ(editor().estados(1).modificado, kFalso);
    EXPECT_EQ(control().PageWidth(), 11906);
    EXPECT_EQ(control().PageHeight(), 16837);
}

TEST_F(FrameTest, UntitledDetectionLooksAtTheFirstTenLetters)
{
    const QList<std::pair<QString, bool>> rows{
        {u"Sin titulo"_qs, true}, {u"Sin Titulo:12"_qs, true}, {u"SIN TITULOS.rtf"_qs, true},
        {u"/tmp/Sin titul"_qs, false}, {u"Sin  titulo"_qs, false}, {QString(), false},
    };
    for (const auto &[caption, untitled] : rows)
        EXPECT_EQ(Editor::isUntitled(caption), untitled) << caption.toStdString();
}

TEST_F(FrameTest, AClosedSlotIsReusedByTheNextNewDocument)
{
    editor().nuevo_documento();
    MDIchild *second = activeWindow();
    editor().nuevo_documento();
    EXPECT_EQ(activeWindow()->caption(), u"Sin Titulo:3"_qs);
    ASSERT_TRUE(second->parentWidget()->close());
    EXPECT_EQ(editor().estados(2).borrado, kVerdadero);
    editor().nuevo_documento();
    EXPECT_EQ(activeWindow()->caption(), u"Sin Titulo:2"_qs);
    EXPECT_EQ(activeWindow()->Tag(), u"2"_qs);
    EXPECT_EQ(editor().upperBound(), 3);
}

TEST_F(FrameTest, TheFirstWindowAsksForANameOnSave)
{
    escribir(u"Titular: &Nombre del titular&"_qs);
    const QString path = programDir + u"/informe"_qs;
    dialogo.chooseNext(path, 1);
    activeWindow()->item(u"guardaritem"_qs)->trigger();
    ASSERT_EQ(dialogo.openings().size(), 1);
    const auto &settings = dialogo.openings().at(0).settings;
    EXPECT_EQ(settings.DialogTitle, u"Save As"_qs);
    EXPECT_EQ(settings.Flags, 2054);
    EXPECT_EQ(settings.Filter, u"Archivo de texto enriquecido (*.rtf)|*.rtf|Archivo de texto (*.txt)|*.txt"_qs);
    EXPECT_TRUE(leer(path + u".rtf"_qs).startsWith("{\\rtf1")) << "the filter's ending is added";
    EXPECT_EQ(activeWindow()->caption(), path + u".rtf"_qs);
    EXPECT_EQ(editor().estados(1).modificado, kFalso);
    EXPECT_EQ(puntero.shapes(), (QList<int>{11, 0}));
}

TEST_F(FrameTest, GuardedCommandsRefuseAReportWithoutHolder)
{
    escribir(u"Informe sin nadie"_qs);
    const QList<std::pair<QString, QString>> rows{
        {u"guardaritem"_qs, u"No se puede guardar el documento.Falta el titular y/o el cif"_qs},
        {u"guardarcomoitem"_qs, u"No se puede guardar el documento.Falta el titular y/o el cif"_qs},
        {u"imprimiritem"_qs, u"No se puede imprimir el documento.Falta el titular y/o el cif"_qs},
    };
    for (const auto &[item, message] : rows) {
        mensajes.clear();
        activeWindow()->item(item)->trigger();
        ASSERT_EQ(mensajes.shown().size(), 1) << item.toStdString();
        EXPECT_EQ(mensajes.shown().at(0).text, message);
        EXPECT_EQ(mensajes.shown().at(0).style, 0);
        EXPECT_TRUE(mensajes.shown().at(0).title.isEmpty());
    }
    EXPECT_TRUE(dialogo.openings().isEmpty());
}

TEST_F(FrameTest, TheHolderOfRecordOneLetsAFileBeSaved)
{
    escribir(u"Asegurado: María Jesús Fernández Llorente"_qs);
    dialogo.chooseNext(programDir + u"/x.rtf"_qs);
    editor().guardarcomoitem();
    EXPECT_TRUE(mensajes.shown().isEmpty());
    EXPECT_TRUE(QFile::exists(programDir + u"/x.rtf"_qs));
}

TEST_F(FrameTest, FormatFollowsTheEnding)
{
    escribir(u"Página con márgenes"_qs);
    control().setPageMarginL(2000);
    control().setPageMarginT(1000);

    ASSERT_TRUE(editor().guardar_fichero(programDir + u"/a.rtf"_qs));
    TXTextControl rtf;
    ASSERT_TRUE(rtf.Load(programDir + u"/a.rtf"_qs, 0, 5));
    EXPECT_EQ(rtf.LoadSaveAttribute(2), 2000) << "RTF keeps the page values";

    ASSERT_TRUE(editor().guardar_fichero(programDir + u"/a.txt"_qs));
    EXPECT_EQ(leer(programDir + u"/a.txt"_qs), QByteArray("P\xe1gina con m\xe1rgenes"));

    ASSERT_TRUE(editor().guardar_fichero(programDir + u"/a.abc"_qs));
    const QByteArray framed = leer(programDir + u"/a.abc"_qs);
    ASSERT_GT(framed.size(), 28);
    QDataStream in(framed);
    in.setByteOrder(QDataStream::LittleEndian);
    std::array<qint32, 7> header{};
    for (qint32 &field : header)
        in >> field;
    EXPECT_EQ(header, (std::array<qint32, 7>{23, 2000, 1000, 1440, 1440, 16837, 11906}));
    EXPECT_TRUE(framed.mid(28).startsWith("{\\rtf1"));
    EXPECT_EQ(activeWindow()->caption(), programDir + u"/a.abc"_qs) << "the caption keeps the path as it is";
    EXPECT_TRUE(QDir(programDir).entryList(QStringList{u".a.abc*"_qs}, QDir::Hidden | QDir::Files).isEmpty())
        << "no temporary file left behind";
}

TEST_F(FrameTest, AFailedSaveLeavesThePreviousFileByteForByte)
{
    escribir(QString(4000, u'x'));
    // A file size limit makes every write past 64 bytes fail, as a full disk would.
    struct SizeLimit {
        rlimit saved{};
        void (*handler)(int) = nullptr;
        SizeLimit()
        {
            getrlimit(RLIMIT_FSIZE, &saved);
            handler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit tiny = saved;
            tiny.rlim_cur = 64;
            setrlimit(RLIMIT_FSIZE, &tiny);
        }
        ~SizeLimit()
        {
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, handler);
        }
    };
    const QString folders[] = {u"/lleno"_qs, u"/solo_lectura"_qs, u"/no_existe"_qs};
    for (const QString &folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        const QString path = programDir + folder + u"/previo.rtf"_qs;
        const bool exists = folder != u"/no_existe"_qs;
        if (exists) {
            ASSERT_TRUE(QDir().mkpath(programDir + folder));
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("{\\rtf1 el informe de ayer}");
        }
        const QByteArray before = leer(path);
        mensajes.clear();
        bool ok = true;
        {
            std::optional<SizeLimit> full;
            std::optional<UnwritableFolder> locked;
            if (folder == u"/lleno")
                full.emplace();
            if (folder == u"/solo_lectura") {
                locked.emplace(programDir + folder);
                if (!locked->holds()) {
                    std::printf("[  SKIPPED ] read-only folder: %s\n", qPrintable(locked->why));
                    continue;
                }
            }
            ok = editor().guardar_fichero(path);
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(leer(path), before);
        EXPECT_EQ(QDir(programDir + folder).entryList(QDir::Files | QDir::Hidden),
                  exists ? QStringList{u"previo.rtf"_qs} : QStringList{});
        EXPECT_EQ(mensajes.texts(), QStringList{u"No se puede guardar el fichero: "_qs + path});
        EXPECT_EQ(editor().estados(1).modificado, kVerdadero);
        EXPECT_EQ(activeWindow()->caption(), u"Sin titulo"_qs);
    }
}

TEST_F(FrameTest, OpeningAFile)
{
    const QString plantilla = programDir + u"/plant/inf02.rtf"_qs;
    MDIchild *child = editor().abrir_fichero(u"  "_qs + plantilla + u" "_qs);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->caption(), plantilla) << "trimmed, as it is";
    EXPECT_EQ(activeWindow(), child);
    EXPECT_EQ(child->Tag(), u"2"_qs);
    EXPECT_TRUE(child->TXTextControl1().Text().contains(u"&Peritaje,Texto previo&"_qs));
    EXPECT_EQ(editor().estados(2).modificado, kFalso);
    EXPECT_FALSE(child->TXTextControl1().canUndo()) << "loading leaves no undo step";
}

TEST_F(FrameTest, AFileThatCannotBeReadLeavesNoWindow)
{
    const QString missing = programDir + u"/plant/no_existe.rtf"_qs;
    EXPECT_EQ(editor().abrir_fichero(missing), nullptr);
    EXPECT_EQ(mensajes.texts(), QStringList{u"No se puede abrir el fichero: "_qs + missing});
    EXPECT_EQ(editor().estados(2).borrado, kVerdadero);
    EXPECT_EQ(activeWindow()->Tag(), u"1"_qs);
    editor().nuevo_documento();
    EXPECT_EQ(activeWindow()->caption(), u"Sin Titulo:2"_qs) << "the slot is free again";
}

TEST_F(FrameTest, AnotherEndingOpensEmptyAndUntitled)
{
    QFile other(programDir + u"/datos.abc"_qs);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("not read");
    other.close();
    MDIchild *child = editor().abrir_fichero(other.fileName());
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->TXTextControl1().Text().isEmpty());
    EXPECT_EQ(child->caption(), u"Sin Titulo:2"_qs);
}

TEST_F(FrameTest, TheOpenCommandWritesItsSettingsAndCancelDoesNothing)
{
    dialogo.cancelNext();
    activeWindow()->item(u"abriritem"_qs)->trigger();
    ASSERT_EQ(dialogo.openings().size(), 1);
    const auto &settings = dialogo.openings().at(0).settings;
    EXPECT_EQ(settings.DialogTitle, u"Abrir fichero"_qs);
    EXPECT_EQ(settings.FileName, programDir + u"/plant/*.rtf"_qs);
    EXPECT_EQ(settings.FilterIndex, 1);
    EXPECT_EQ(settings.Flags, 6148);
    EXPECT_EQ(editor().upperBound(), 1);

    dialogo.chooseNext(programDir + u"/plant/inf01.rtf"_qs);
    editor().abriritem();
    EXPECT_EQ(activeWindow()->caption(), programDir + u"/plant/inf01.rtf"_qs);
}

TEST_F(FrameTest, TheWindowsNuevoMakesANewEmptyDocument)
{
    // "Nuevo" makes a new empty document, as the main window's does.
    activeWindow()->item(u"nuevoitem"_qs)->trigger();
    EXPECT_EQ(editor().upperBound(), 2);
    EXPECT_EQ(activeWindow()->caption(), u"Sin Titulo:2"_qs);
}

TEST_F(FrameTest, TheTextChangedNotificationMarksTheWindow)
{
    EXPECT_EQ(editor().estados(1).modificado, kFalso);
    escribir(u"a"_qs);
    EXPECT_EQ(editor().estados(1).modificado, kVerdadero);
}

TEST_F(FrameTest, AWindowAsWideAsItsControlIsWhite)
{
    activeWindow()->resize(600, 400);
    ajustar_ventana(*activeWindow());
    EXPECT_EQ(activeWindow()->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(activeWindow()->view()->height(), 400 - activeWindow()->TXRuler1()->sizeHint().height());
}

TEST_F(FrameTest, AWindowOpenedFromAFileIsCheckedAgainstRecordOneReadAfresh)
{
    escribir(u"Asegurada: María Jesús Fernández Llorente"_qs);
    EXPECT_TRUE(editor().comprobar_titular());

    // The claim-management application writes another claim: its holder counts now.
    QFile claims(programDir + u"/finalprn.txt"_qs);
    ASSERT_TRUE(claims.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray record(1430, ' ');
    record.replace(1365, 6, "Asador");
    claims.write(record + "\r\n");
    claims.close();
    EXPECT_FALSE(editor().comprobar_titular());
    escribir(u" Asador"_qs);
    EXPECT_TRUE(editor().comprobar_titular());

    ASSERT_TRUE(QFile::remove(claims.fileName()));
    EXPECT_FALSE(editor().comprobar_titular()) << "no claim data: only the markers pass";
}
