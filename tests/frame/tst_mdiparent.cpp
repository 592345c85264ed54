#include "tests/frame/framefixture.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTest>
#include <QMenuBar>
#include <QToolBar>

using namespace frame;
using platform::Answer;

namespace {

QStringList menuBarTexts(QMainWindow &window)
{
    QStringList texts;
    for (QAction *action : window.menuBar()->actions())
        texts.append(action->text());
    return texts;
}

}  // namespace

TEST_F(FrameTest, TheToolStripInItsOrder)
{
    EXPECT_EQ(parent->windowTitle(), u"Valdrin"_qs);
    QStringList names;
    QStringList tips;
    for (QAction *action : parent->pictoolbar()->actions()) {
        if (QWidget *widget = parent->pictoolbar()->widgetForAction(action); widget && !action->objectName().startsWith(u"boton") && action->objectName() != u"Image1") {
            names.append(widget->objectName());
            continue;
        }
        names.append(action->objectName());
        tips.append(action->toolTip());
    }
    EXPECT_EQ(names, (QStringList{u"boton_nuevo"_qs, u"boton_abrir"_qs, u"boton_salvar"_qs, u"boton_cortar"_qs,
                                  u"boton_copiar"_qs, u"boton_pegar"_qs, u"boton_imprimir"_qs, u"boton_vista"_qs,
                                  u"combo_zoom"_qs, u"Image1"_qs, u"boton_comprobar"_qs, u"Label1"_qs,
                                  u"cboCampos"_qs}));
    EXPECT_EQ(tips, (QStringList{u"Nuevo"_qs, u"Abrir"_qs, u"Grabar"_qs, u"Cortar"_qs, u"Copiar"_qs, u"Pegar"_qs,
                                 u"Imprimir"_qs, u"Vista previa"_qs, u"Plantillas"_qs, u"Comprobar plantilla"_qs}));
    QComboBox *zoom = parent->combo_zoom();
    EXPECT_EQ(zoom->currentText(), u"100%"_qs);
    QStringList items;
    for (int i = 0; i < zoom->count(); ++i)
        items.append(zoom->itemText(i));
    EXPECT_EQ(items, (QStringList{u"30%"_qs, u"50%"_qs, u"75%"_qs, u"100%"_qs, u"200%"_qs}));
}

TEST_F(FrameTest, TheLoadHandlerFillsTheFieldComboAndStopsTheTimer)
{
    EXPECT_FALSE(parent->Timer1().isActive());
    EXPECT_EQ(parent->tabla_campos().lineCount(), 58);
    EXPECT_EQ(parent->cboCampos()->count(), 58);
    EXPECT_EQ(parent->cboCampos()->currentText(), u"Agencia"_qs);
}

TEST_F(FrameTest, TheFileMenuShowsOnlyWhileNoDocumentIsOpen)
{
    const QStringList documentMenus{u"Fichero"_qs, u"Editar"_qs, u"&Ver"_qs, u"Insertar"_qs,
                                    u"Formato"_qs, u"&Ventana"_qs, u"Salir"_qs};
    EXPECT_EQ(menuBarTexts(*parent), documentMenus);
    ASSERT_TRUE(activeWindow()->parentWidget()->close());
    EXPECT_EQ(menuBarTexts(*parent), QStringList{u"Fichero"_qs});
    parent->Timer1_Timer();
    EXPECT_EQ(menuBarTexts(*parent), documentMenus);
}

TEST_F(FrameTest, PickingAFieldInsertsItsMarker)
{
    escribir(u"Agencia: XXX."_qs);
    control().setSelStart(9);
    control().setSelLength(3);
    parent->cboCampos()->setCurrentIndex(parent->cboCampos()->findText(u"Agencia"_qs));
    parent->cboCampos_Click();
    EXPECT_EQ(control().Text(), u"Agencia: &Agencia&."_qs);
}

TEST_F(FrameTest, ThePickersDisableThemselvesWithoutADocumentUntilNew)
{
    ASSERT_TRUE(activeWindow()->parentWidget()->close());
    parent->cboCampos_Click();
    parent->combo_zoom_Click();
    EXPECT_FALSE(parent->cboCampos()->isEnabled());
    EXPECT_FALSE(parent->combo_zoom()->isEnabled());
    parent->button(u"boton_nuevo"_qs)->trigger();
    EXPECT_TRUE(parent->cboCampos()->isEnabled());
    EXPECT_TRUE(parent->combo_zoom()->isEnabled());
    ASSERT_NE(activeWindow(), nullptr);
}

TEST_F(FrameTest, ZoomFromTheCombo)
{
    const QList<std::pair<QString, int>> rows{{u"200%"_qs, 200}, {u"75%"_qs, 75}, {u"30"_qs, 30}};
    for (const auto &[text, zoom] : rows) {
        parent->combo_zoom()->setEditText(text);
        parent->combo_zoom_Click();
        EXPECT_EQ(control().ZoomFactor(), zoom) << text.toStdString();
    }
}

TEST_F(FrameTest, TheTemplatePickerGenerates)
{
    dialogo.cancelNext();
    parent->button(u"Image1"_qs)->trigger();
    ASSERT_EQ(dialogo.openings().size(), 1);
    EXPECT_EQ(dialogo.openings().at(0).settings.DialogTitle, u"Seleccionar Plantilla"_qs);
    EXPECT_EQ(dialogo.openings().at(0).settings.Filter, u"Archivos de texto enriquecido (*.rtf)|*.rtf"_qs);
    EXPECT_EQ(dialogo.openings().at(0).settings.Flags, 6148);
    EXPECT_EQ(editor().upperBound(), 1);

    dialogo.chooseNext(programDir + u"/plant/inf02.rtf"_qs);
    parent->Image1_Click();
    EXPECT_EQ(editor().upperBound(), 4);
    EXPECT_TRUE(parent->isVisible()) << "quorvel's frame is back on screen after generating";
}

TEST_F(FrameTest, TheTemplateCheckerShowsAMisspeltMarker)
{
    TXTextControl plantilla;
    plantilla.setText(u"Asegurado: &Nombre del titualr&"_qs);
    const QString path = programDir + u"/plant/erratas.rtf"_qs;
    ASSERT_TRUE(plantilla.Save(path, 0, 5));
    dialogo.chooseNext(path);
    parent->button(u"boton_comprobar"_qs)->trigger();
    ASSERT_EQ(dialogo.openings().size(), 1);
    EXPECT_EQ(dialogo.openings().at(0).settings.DialogTitle, u"Comprobar Plantilla"_qs);
    auto *findings = parent->findChild<QPlainTextEdit *>(u"txtHallazgos"_qs);
    ASSERT_NE(findings, nullptr);
    EXPECT_TRUE(findings->toPlainText().startsWith(
        u"erratas.rtf: 1 marcador sin campo en el diccionario:\n  Texto, página 1: &Nombre del titualr&"_qs))
        << findings->toPlainText().toStdString();
    EXPECT_EQ(editor().upperBound(), 1) << "no document window is made";
}

TEST_F(FrameTest, TheCommandLineOfTheEditor)
{
    const QString path = programDir + u"/plant/inf02.rtf"_qs;
    struct Row {
        const char *name;
        QString linea;
        int ventanas;
    };
    const QList<Row> rows{
        {"no flag", path, 1},
        {"blank after the flag", path + u" 1 "_qs, 1},
        {"empty", QString(), 1},
        {"open", path + u" 1"_qs, 2},
        {"open and merge", path + u"0"_qs, 2 + 1 + 3},
        {"a relative path from the program directory", u"plant/inf02.rtf 1"_qs, 7},
    };
    for (const Row &row : rows) {
        parent->actOnCommandLine(row.linea);
        EXPECT_EQ(editor().upperBound(), row.ventanas) << row.name;
    }
    EXPECT_EQ(editor().documentos(2)->caption(), path);
    EXPECT_EQ(editor().documentos(7)->caption(), path) << "whatever the working directory";
}

TEST_F(FrameTest, ClosingTheFrameChecksTheHolderOfTheCurrentDocument)
{
    escribir(u"sin titular"_qs);
    mensajes.answerNext(Answer::Yes);
    EXPECT_FALSE(parent->close());
    EXPECT_EQ(mensajes.texts().constLast(), u"No se puede grabar.Falta el titular y/o el cif"_qs);

    escribir(u" &Nombre del titular&"_qs);
    mensajes.answerNext(Answer::Yes);
    dialogo.cancelNext();
    EXPECT_FALSE(parent->close()) << "a cancelled name keeps the program open";

    mensajes.answerNext(Answer::Yes);
    dialogo.chooseNext(programDir + u"/cierre.rtf"_qs);
    EXPECT_TRUE(parent->close());
    EXPECT_TRUE(QFile::exists(programDir + u"/cierre.rtf"_qs));
}

TEST_F(FrameTest, TheMenuKeysWinOverTheEditingView)
{
    parent->show();
    parent->activateWindow();
    QApplication::setActiveWindow(parent.get());
    activeWindow()->view()->setFocus();
    escribir(u"&Nombre del titular&"_qs);
    dialogo.cancelNext();
    QTest::keyClick(activeWindow()->view(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(dialogo.openings().size(), 1) << "Ctrl+C is the menu's Guardar Como";
    EXPECT_EQ(dialogo.openings().at(0).settings.DialogTitle, u"Save As"_qs);
    EXPECT_EQ(control().Text(), u"&Nombre del titular&"_qs) << "the view did not take the key";

    QTest::keyClick(activeWindow()->view(), Qt::Key_X);
    EXPECT_EQ(control().Text(), u"&Nombre del titular&x"_qs) << "typing still goes to the view";
}

TEST_F(FrameTest, ThePrintButtonPrintsAfterTheHolderCheck)
{
    escribir(u"Asegurado: &Nombre del titular&"_qs);
    impresora.printAllNext();
    parent->button(u"boton_imprimir"_qs)->trigger();
    EXPECT_EQ(impresora.openings().size(), 1);
    EXPECT_TRUE(mensajes.shown().isEmpty());
    EXPECT_GT(QFileInfo(dir.filePath(u"impreso.pdf"_qs)).size(), 0);
}

TEST_F(FrameTest, TheGenerationProgressCountsRecordsAndCancels)
{
    EXPECT_TRUE(parent->mergingRecord(1, 3));
    QProgressDialog *progress = parent->generationProgress();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->labelText(), u"Generando informe 1 de 3"_qs);
    EXPECT_TRUE(parent->mergingRecord(2, 3));
    EXPECT_EQ(progress->labelText(), u"Generando informe 2 de 3"_qs);
    EXPECT_EQ(progress->value(), 1);
    progress->cancel();
    EXPECT_FALSE(parent->mergingRecord(3, 3)) << "Cancelar stops before the next record";
}
