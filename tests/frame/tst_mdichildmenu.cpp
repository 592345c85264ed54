#include "tests/frame/framefixture.h"

#include "commands/frmpagedlg.h"
#include "platformui/icons.h"
#include "textctl/bars/txstatusbar.h"
#include "textctl/dialogs/findreplacedialog.h"
#include "textctl/editing/listattributes.h"
#include "textctl/editing/textcolors.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

using namespace frame;

namespace {

// One line per item: depth, name, caption, key, and "[x]"/"[ ]" for a
// checked or unchecked mark.
void describe(const QList<QAction *> &actions, int depth, QStringList *out)
{
    for (QAction *action : actions) {
        QString line = QString(depth * 2, u' ') + action->objectName() + u'|' + action->text() + u'|'
                     + action->shortcut().toString();
        if (action->isCheckable())
            line += action->isChecked() ? u"|[x]"_qs : u"|[ ]"_qs;
        out->append(line);
        if (action->menu())
            describe(action->menu()->actions(), depth + 1, out);
    }
}

}  // namespace

class MenuTest : public FrameTest {
protected:
    void trigger(const QString &name)
    {
        QAction *action = activeWindow()->item(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        action->trigger();
    }
    bool checked(const QString &name) { return activeWindow()->item(name)->isChecked(); }
};

TEST_F(MenuTest, TheWholeMenuInItsOrderWithCaptionsKeysAndFirstMarks)
{
    QStringList menu;
    describe(activeWindow()->menuBarActions(), 0, &menu);
    const QStringList expected{
        u"ficheroitem1|Fichero|"_qs,
        u"  nuevoitem|&Nuevo|Ctrl+N"_qs,
        u"  abriritem|&Abrir|Ctrl+A"_qs,
        u"  guardaritem|&Guardar|Ctrl+G"_qs,
        u"  guardarcomoitem|Guardar &Como...|Ctrl+C"_qs,
        u"  exportarpdfitem|Exportar a &PDF...|"_qs,
        u"  separador1item||"_qs,
        u"  imprimiritem|&Imprimir|Ctrl+I"_qs,
        u"  vistapreviaitem|&Vista Previa|Ctrl+V"_qs,
        u"  emailitem|Correo &Electronico (E-mail)|"_qs,
        u"  faxitem|Enviar Fax|"_qs,
        u"  separador2item||"_qs,
        u"  saliritem|&Salir|Ctrl+S"_qs,
        u"mnueditar|Editar|"_qs,
        u"  deshaceritem|&Deshacer|"_qs,
        u"  rehaceritem|Re&hacer|"_qs,
        u"  cortaritem|Cor&tar|Ctrl+T"_qs,
        u"  copiaritem|Co&piar|Ctrl+P"_qs,
        u"  pegaritem|P&egar|Ctrl+E"_qs,
        u"  borraritem|&Borrar|Ctrl+B"_qs,
        u"  separador3item||"_qs,
        u"  seltodoitem|Se&leccionar Todo...|Ctrl+L"_qs,
        u"  buscaritem|&Buscar|F3"_qs,
        u"  reemplazaritem|Ree&mplazar|F4"_qs,
        u"veritem|&Ver|"_qs,
        u"  herramientasitem|Barra de &Herramientas||[x]"_qs,
        u"  parrafo2item|Barra de &Parrafo||[x]"_qs,
        u"  reglaitem|Reg&la||[x]"_qs,
        u"  estadoitem|Barra de &Estado||[x]"_qs,
        u"  ortografiaitem|Revisar ortografía al escribir||[x]"_qs,
        u"  zoomitem|&Zoom|"_qs,
        u"    zoomitem1|&30%||[ ]"_qs,
        u"    zoomitem2|&50%||[ ]"_qs,
        u"    zoomitem3|&75%||[ ]"_qs,
        u"    zoomitem4|&100%||[x]"_qs,
        u"    zoomitem5|&200%||[ ]"_qs,
        u"insertaritem|Insertar|"_qs,
        u"  textoitem|&Texto|Ctrl+F1"_qs,
        u"  imagenitem|&Imagen|"_qs,
        u"    dearchivoitem|De Archivo|"_qs,
        u"    descanneritem|De Scanner|"_qs,
        u"  separador5item||"_qs,
        u"  cabeceraitem|Cabecera||[ ]"_qs,
        u"  cabecera1item|Cabecera de 1ª pagina||[ ]"_qs,
        u"  separador4item||"_qs,
        u"  pieitem|Pie||[ ]"_qs,
        u"  pie1item|Pie 1ª pagina||[ ]"_qs,
        u"  separadoritem10||"_qs,
        u"  saltopagitem|Salto de página|"_qs,
        u"formatoitem|Formato|"_qs,
        u"  Fuentesitem|F&uentes|Ctrl+U"_qs,
        u"  colorfntitem|&Color de la Fuente|"_qs,
        u"  colorbcgitem|Color del Fondo|"_qs,
        u"  separadoritem5||"_qs,
        u"  parrafoitem|Parrafo|"_qs,
        u"  numviitem|Numeración y viñetas|"_qs,
        u"    atributositem|Atributos|"_qs,
        u"    inclevelitem|Incrementar un nivel|"_qs,
        u"    declevelitem|Decrementar un nivel|"_qs,
        u"    separadoritem9||"_qs,
        u"    numerositem|1, 2, 3, ...|"_qs,
        u"    letrasmayitem|A, B, C, ...|"_qs,
        u"    letrasminitem|a, b, c, ...|"_qs,
        u"    numromanositem|I, II, III, IV, ...|"_qs,
        u"    simboloitem|Simbolo|"_qs,
        u"  separadoritem6||"_qs,
        u"  correctoritem|Corrector ortográfico|"_qs,
        u"  docitem|Documento|"_qs,
        u"  tablaitem|Tabla|"_qs,
        u"    instablaitem|Insertar|"_qs,
        u"      tabla2item|Tabla|"_qs,
        u"      separadoritem11||"_qs,
        u"      coldchaitem|Columna a la derecha|"_qs,
        u"      colizqitem|Columna a la izquierda|"_qs,
        u"      separadoritem12||"_qs,
        u"      filaarribaitem|Fila Arriba|"_qs,
        u"      filabajoitem|Fila Abajo|"_qs,
        u"    tblborraritem|Borrar|"_qs,
        u"      brrtabla|Tabla|"_qs,
        u"      brrcolumnaitem|Columna|"_qs,
        u"      brrfilaitem|Fila|"_qs,
        u"    tblseleccionaritem|Seleccionar|"_qs,
        u"      seltablaitem|Tabla|"_qs,
        u"      selfilaitem|Fila|"_qs,
        u"      selceldaitem|Celda|"_qs,
        u"    propiedadesitem|Propiedades|"_qs,
        u"    visibleitem|Visible||[ ]"_qs,
        u"ventanaitem|&Ventana|"_qs,
        u"  cascadaitem|&Cascada||[ ]"_qs,
        u"  horizontalitem|En &Horizontal||[ ]"_qs,
        u"  verticalitem|En Ver&tical||[ ]"_qs,
        u"saliritem2|Salir|"_qs,
    };
    EXPECT_EQ(menu, expected);
}

TEST_F(MenuTest, EditCommandsActOnTheWindowsControl)
{
    struct Row {
        const char16_t *item;
        int selStart;
        int selLength;
        const char16_t *text;
    };
    // Each row starts from "uno dos tres" with "dos" selected.
    const QList<Row> rows{
        {u"cortaritem", 4, 3, u"uno  tres"},
        {u"borraritem", 4, 3, u"uno  tres"},
        {u"copiaritem", 4, 3, u"uno dos tres"},
        {u"saltopagitem", 4, 3, u"uno \f tres"},
    };
    for (const Row &row : rows) {
        control().setText(u"uno dos tres"_qs);
        control().setSelStart(row.selStart);
        control().setSelLength(row.selLength);
        trigger(QString::fromUtf16(row.item));
        EXPECT_EQ(control().Text(), QString::fromUtf16(row.text)) << QString::fromUtf16(row.item).toStdString();
    }
    // Copy, then paste over "uno"; undo gives "uno" back, redo takes it again.
    control().setText(u"uno dos tres"_qs);
    control().setSelStart(4);
    control().setSelLength(3);
    trigger(u"copiaritem"_qs);
    control().setSelStart(0);
    control().setSelLength(3);
    trigger(u"pegaritem"_qs);
    EXPECT_EQ(control().Text(), u"dos dos tres"_qs);
    trigger(u"deshaceritem"_qs);
    EXPECT_EQ(control().Text(), u"uno dos tres"_qs);
    trigger(u"rehaceritem"_qs);
    EXPECT_EQ(control().Text(), u"dos dos tres"_qs);

    trigger(u"seltodoitem"_qs);
    EXPECT_EQ(control().SelStart(), 0);
    EXPECT_EQ(control().SelLength(), control().Text().size());
    EXPECT_EQ(control().MousePointer(), 0);
}

TEST_F(MenuTest, ZoomAndArrangementItemsMarkOnlyTheChoice)
{
    trigger(u"zoomitem5"_qs);
    EXPECT_EQ(control().ZoomFactor(), 200);
    for (const QString &name : {u"zoomitem1"_qs, u"zoomitem2"_qs, u"zoomitem3"_qs, u"zoomitem4"_qs})
        EXPECT_FALSE(checked(name)) << name.toStdString();
    EXPECT_TRUE(checked(u"zoomitem5"_qs));

    editor().nuevo_documento();
    parent->resize(1000, 800);
    parent->show();
    trigger(u"verticalitem"_qs);
    EXPECT_TRUE(checked(u"verticalitem"_qs));
    const QList<QMdiSubWindow *> windows = parent->mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows.at(0)->geometry().top(), windows.at(1)->geometry().top());
    EXPECT_NE(windows.at(0)->geometry().left(), windows.at(1)->geometry().left());
    trigger(u"horizontalitem"_qs);
    EXPECT_FALSE(checked(u"verticalitem"_qs));
    EXPECT_TRUE(checked(u"horizontalitem"_qs));
    EXPECT_EQ(windows.at(0)->geometry().left(), windows.at(1)->geometry().left());
    EXPECT_NE(windows.at(0)->geometry().top(), windows.at(1)->geometry().top());
}

// The bars are the main window's; the marks each window's own.
TEST_F(MenuTest, AHiddenBarStillShowsCheckedInTheNextWindowUntilUsedThere)
{
    parent->show();
    trigger(u"estadoitem"_qs);
    EXPECT_TRUE(parent->TXStatusBar1()->isHidden());
    EXPECT_FALSE(checked(u"estadoitem"_qs));
    editor().nuevo_documento();
    EXPECT_TRUE(checked(u"estadoitem"_qs));
    trigger(u"estadoitem"_qs);
    EXPECT_FALSE(parent->TXStatusBar1()->isHidden());
    EXPECT_TRUE(checked(u"estadoitem"_qs));

    trigger(u"reglaitem"_qs);
    EXPECT_TRUE(activeWindow()->TXRuler1()->isHidden());
    EXPECT_FALSE(checked(u"reglaitem"_qs));
}

TEST_F(MenuTest, TheHeaderSwitchAddsThenRemovesAndUndoBringsItsTextBack)
{
    trigger(u"cabeceraitem"_qs);
    EXPECT_EQ(control().HeaderFooter(), 1);
    EXPECT_EQ(control().activeHeaderFooter(), 1);
    EXPECT_TRUE(checked(u"cabeceraitem"_qs));
    control().setHeaderFooterSelect(1);
    control().setText(u"Peritaciones del Norte"_qs);

    trigger(u"cabeceraitem"_qs);
    EXPECT_EQ(control().HeaderFooter(), 0);
    EXPECT_FALSE(checked(u"cabeceraitem"_qs));
    trigger(u"deshaceritem"_qs);
    EXPECT_EQ(control().HeaderFooter(), 1);
    EXPECT_TRUE(checked(u"cabeceraitem"_qs));
    control().setHeaderFooterSelect(1);
    EXPECT_EQ(control().Text(), u"Peritaciones del Norte"_qs);

    // A document that holds a footer shows it marked when opened.
    control().setHeaderFooterSelect(0);
    ASSERT_TRUE(control().Save(programDir + u"/pie.rtf"_qs, 0, 5));
    control().setHeaderFooter(4);
    ASSERT_TRUE(control().Save(programDir + u"/pie.rtf"_qs, 0, 5));
    editor().abrir_fichero(programDir + u"/pie.rtf"_qs);
    EXPECT_FALSE(checked(u"cabeceraitem"_qs));
    EXPECT_TRUE(checked(u"pieitem"_qs));
}

TEST_F(MenuTest, InsertTextTakesTheFileKindFromItsEnding)
{
    const QString rtf = programDir + u"/trozo.rtf"_qs;
    const QString txt = programDir + u"/trozo.txt"_qs;
    {
        QFile file(rtf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi {\\b negrita}}");
    }
    {
        QFile file(txt);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 llano}");
    }
    dialogo.chooseNext(rtf);
    trigger(u"textoitem"_qs);
    EXPECT_EQ(control().Text(), u"negrita"_qs);
    const platform::DialogSettings settings = dialogo.openings().constLast().settings;
    EXPECT_EQ(settings.DialogTitle, u"Insertar Texto"_qs);
    EXPECT_EQ(settings.Filter, u"Text (*.txt)|*.txt|RTF Format (*.rtf)|*.rtf"_qs);
    EXPECT_EQ(settings.Flags, 2054);
    EXPECT_EQ(puntero.shapes(), (QList<int>{7, 0}));

    control().setText(QString());
    dialogo.chooseNext(txt);
    trigger(u"textoitem"_qs);
    EXPECT_EQ(control().Text(), u"{\\rtf1 llano}"_qs);

    dialogo.chooseNext(programDir + u"/no-existe.txt"_qs);
    trigger(u"textoitem"_qs);
    EXPECT_EQ(mensajes.texts(), QStringList{u"No se puede cargar el fichero "_qs + programDir + u"/no-existe.txt"_qs});

    dialogo.cancelNext();
    trigger(u"textoitem"_qs);
    EXPECT_EQ(mensajes.texts().size(), 1);
}

TEST_F(MenuTest, TheColourDialogWritesOnlyAChosenColour)
{
    control().setText(u"rojo negro"_qs);
    control().setSelStart(0);
    control().setSelLength(4);
    dialogo.chooseColorNext(0xFF0000);
    trigger(u"colorfntitem"_qs);
    EXPECT_EQ(textctl::foreColor(control().cursor()), 0xFF0000);
    EXPECT_EQ(dialogo.openings().constLast().settings.Color, 0);

    // Over two colours the dialog starts from black; cancelling keeps both.
    control().setSelStart(0);
    control().setSelLength(-1);
    ASSERT_EQ(textctl::foreColor(control().cursor()), textctl::kMixedColor);
    dialogo.cancelNext();
    trigger(u"colorfntitem"_qs);
    EXPECT_EQ(textctl::foreColor(control().cursor()), textctl::kMixedColor);

    dialogo.chooseColorNext(0xFFFF00);
    trigger(u"colorbcgitem"_qs);
    EXPECT_EQ(textctl::textBkColor(control().cursor()), 0xFFFF00);
    EXPECT_EQ(textctl::foreColor(control().cursor()), textctl::kMixedColor);
}

TEST_F(MenuTest, TheRightButtonOpensTheEditMenu)
{
    parent->show();
    QWidget *text = activeWindow()->view()->viewport();
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(activeWindow()->mnueditar()->isVisible());
    QTest::mouseClick(text, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_TRUE(activeWindow()->mnueditar()->isVisible());
    activeWindow()->mnueditar()->hide();
}

// With or without a desktop theme, the commands show a picture of their own.
TEST_F(MenuTest, ToolStripButtonsAndCommonCommandsHaveIcons)
{
    QStringList missing;
    for (QAction *action : parent->pictoolbar()->actions())
        if (!action->objectName().isEmpty() && action->objectName() != u"Label1" && action->icon().isNull())
            missing.append(action->objectName());
    for (const QString &name : {u"cortaritem"_qs, u"copiaritem"_qs, u"pegaritem"_qs, u"imprimiritem"_qs,
                                u"buscaritem"_qs, u"dearchivoitem"_qs, u"Fuentesitem"_qs})
        if (activeWindow()->item(name)->icon().isNull())
            missing.append(name);
    EXPECT_EQ(missing, QStringList());
    EXPECT_TRUE(platform::hasBundledIcon(u"edit-cut"_qs));
}

TEST_F(MenuTest, NumberingStylesAndLevelStepsOnTheSelectedParagraphs)
{
    control().setText(u"uno\ndos"_qs);
    control().setSelStart(0);
    control().setSelLength(-1);
    trigger(u"letrasminitem"_qs);
    const QTextCursor cursor = control().cursor();
    EXPECT_EQ(textctl::listKindOf(cursor.block()), textctl::ListKind::Numbers);
    EXPECT_EQ(textctl::numberAttribute(cursor, textctl::NumberStyle), 5);

    // Each step moves the number and the text by the distance between them.
    const int level = textctl::numberAttribute(cursor, textctl::NumberLevel);
    const int number = textctl::numberAttribute(cursor, textctl::NumberPosition);
    const int text = textctl::numberAttribute(cursor, textctl::NumberTextPosition);
    const int step = text - number;
    ASSERT_GT(step, 0);
    trigger(u"inclevelitem"_qs);
    EXPECT_EQ(textctl::numberAttribute(control().cursor(), textctl::NumberLevel), level + 1);
    EXPECT_EQ(textctl::numberAttribute(control().cursor(), textctl::NumberPosition), number + step);
    EXPECT_EQ(textctl::numberAttribute(control().cursor(), textctl::NumberTextPosition), text + step);
    trigger(u"declevelitem"_qs);
    trigger(u"declevelitem"_qs);
    EXPECT_EQ(textctl::numberAttribute(control().cursor(), textctl::NumberLevel), 1) << "stops at level 1";
    EXPECT_EQ(textctl::numberAttribute(control().cursor(), textctl::NumberPosition), number);

    // Outside any list the steps change nothing.
    editor().nuevo_documento();
    control().setText(u"suelto"_qs);
    trigger(u"inclevelitem"_qs);
    EXPECT_EQ(textctl::listKindOf(control().cursor().block()), textctl::ListKind::None);
}

TEST_F(MenuTest, FindAndReplaceOpenTheControlsSearchDialog)
{
    escribir(u"Siniestro por agua; agua en la cocina."_qs);
    trigger(u"reemplazaritem"_qs);
    auto *dialog = activeWindow()->findChild<textctl::FindReplaceDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->mode(), 2);
    dialog->findChild<QLineEdit *>(u"findText"_qs)->setText(u"agua"_qs);
    dialog->findChild<QLineEdit *>(u"replaceText"_qs)->setText(u"humedad"_qs);
    EXPECT_EQ(dialog->replaceAllMatches(), 2);
    EXPECT_EQ(control().Text(), u"Siniestro por humedad; humedad en la cocina."_qs);
    trigger(u"deshaceritem"_qs);
    EXPECT_EQ(control().Text(), u"Siniestro por agua; agua en la cocina."_qs);
    trigger(u"buscaritem"_qs);
    EXPECT_EQ(dialog->mode(), 1);
    dialog->close();
}

TEST_F(MenuTest, APictureFromAFileLandsBelowTheTopOfWhatIsShown)
{
    const QString png = programDir + u"/foto.png"_qs;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(png));
    control().setScrollPosY(5000);
    dialogo.chooseNext(png);
    trigger(u"dearchivoitem"_qs);
    EXPECT_EQ(dialogo.openings().constLast().settings.DialogTitle, u"Insertar Imagen"_qs);
    const QString saved = programDir + u"/con-foto.rtf"_qs;
    ASSERT_TRUE(control().Save(saved, 0, 5));
    const QByteArray rtf = leer(saved);
    EXPECT_TRUE(rtf.contains("\\shptop6000")) << "1000 twips under the scroll position, on page 1";
    EXPECT_EQ(mensajes.texts(), QStringList());

    dialogo.chooseNext(programDir + u"/finstru.txt"_qs);
    trigger(u"dearchivoitem"_qs);
    ASSERT_EQ(mensajes.texts().size(), 1);
    EXPECT_TRUE(mensajes.texts().constFirst().startsWith(u"No se puede insertar imagen: "_qs + programDir + u"/finstru.txt. Error "_qs));
}

TEST_F(MenuTest, PageSetupChangesThePageOnlyWhenTheUserChangesIt)
{
    const auto answerWith = [](std::function<void(commands::frmPageDlg *)> act) {
        QTimer::singleShot(0, [act] {
            auto *dialog = qobject_cast<commands::frmPageDlg *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(dialog);
        });
    };
    const textctl::PageValues before = control().pageValues();
    answerWith([](commands::frmPageDlg *dialog) { dialog->btnOK->click(); });
    trigger(u"docitem"_qs);
    EXPECT_EQ(control().pageValues(), before);
    EXPECT_EQ(editor().estados(1).modificado, kFalso);

    answerWith([](commands::frmPageDlg *dialog) {
        dialog->txtLeftMargin->setText(u"3"_qs);
        dialog->btnOK->click();
    });
    trigger(u"docitem"_qs);
    EXPECT_EQ(control().PageMarginL(), 1701);
    EXPECT_EQ(control().PageWidth(), before.width);
    EXPECT_EQ(editor().estados(1).modificado, kVerdadero);
}
