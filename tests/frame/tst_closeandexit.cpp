#include "tests/frame/framefixture.h"

#include <QMdiSubWindow>

using namespace frame;
using platform::Answer;

namespace {

const QString kPromptEnd = u"] ha cambiado.\n\rQuiere guardar los cambios?"_qs;

}  // namespace

class CloseTest : public FrameTest {
protected:
    // A second window, modified, holding the holder's marker.
    MDIchild *modificado()
    {
        MDIchild *child = editor().nuevo_documento();
        escribir(u"&Nombre del titular&"_qs);
        return child;
    }
    bool cerrar(MDIchild *child) { return child->parentWidget()->close(); }
};

TEST_F(CloseTest, AnUnmodifiedWindowClosesWithoutAsking)
{
    MDIchild *child = editor().nuevo_documento();
    EXPECT_TRUE(cerrar(child));
    EXPECT_TRUE(mensajes.shown().isEmpty());
    EXPECT_EQ(editor().estados(2).borrado, kVerdadero);
}

TEST_F(CloseTest, ThePromptNamesTheWindowUnderTheMainCaption)
{
    MDIchild *child = modificado();
    mensajes.answerNext(Answer::Cancel);
    EXPECT_FALSE(cerrar(child));
    ASSERT_EQ(mensajes.shown().size(), 1);
    EXPECT_EQ(mensajes.shown().at(0).text, u"El texto en [Sin Titulo:2"_qs + kPromptEnd);
    EXPECT_EQ(mensajes.shown().at(0).style, 3 + 48);
    EXPECT_EQ(mensajes.shown().at(0).title, u"Valdrin"_qs);
    EXPECT_EQ(editor().estados(2).borrado, kFalso);
}

TEST_F(CloseTest, NoDiscardsTheChanges)
{
    MDIchild *child = modificado();
    mensajes.answerNext(Answer::No);
    EXPECT_TRUE(cerrar(child));
    EXPECT_EQ(editor().estados(2).borrado, kVerdadero);
    EXPECT_TRUE(dialogo.openings().isEmpty());
}

TEST_F(CloseTest, YesAsksForANameEvenForATitledWindow)
{
    MDIchild *child = modificado();
    ASSERT_TRUE(editor().guardar_fichero(programDir + u"/titulado.rtf"_qs));
    escribir(u" más"_qs);
    mensajes.answerNext(Answer::Yes);
    dialogo.chooseNext(programDir + u"/otro.rtf"_qs);
    EXPECT_TRUE(cerrar(child));
    EXPECT_EQ(dialogo.openings().size(), 1);
    EXPECT_TRUE(QFile::exists(programDir + u"/otro.rtf"_qs));
    EXPECT_EQ(editor().estados(2).borrado, kVerdadero);
}

TEST_F(CloseTest, YesWithACancelledNameKeepsTheWindow)
{
    MDIchild *child = modificado();
    mensajes.answerNext(Answer::Yes);
    dialogo.cancelNext();
    EXPECT_FALSE(cerrar(child));
    EXPECT_EQ(editor().estados(2).borrado, kFalso);
}

TEST_F(CloseTest, YesWithoutHolderRefusesTheClose)
{
    MDIchild *child = editor().nuevo_documento();
    escribir(u"sin titular"_qs);
    mensajes.answerNext(Answer::Yes);
    EXPECT_FALSE(cerrar(child));
    ASSERT_EQ(mensajes.shown().size(), 2);
    EXPECT_EQ(mensajes.shown().at(1).text, u"No se puede grabar.Falta el titular y/o el cif"_qs);
    EXPECT_TRUE(dialogo.openings().isEmpty());
}

TEST_F(CloseTest, YesWhoseSaveFailsKeepsTheWindowAndItsChanges)
{
    MDIchild *child = modificado();
    mensajes.answerNext(Answer::Yes);
    dialogo.chooseNext(programDir + u"/no/such/dir/x.rtf"_qs);
    EXPECT_FALSE(cerrar(child));
    EXPECT_EQ(mensajes.shown().constLast().text, u"No se puede guardar el fichero: "_qs + programDir + u"/no/such/dir/x.rtf"_qs);
    EXPECT_EQ(editor().estados(2).borrado, kFalso);
    EXPECT_EQ(editor().estados(2).modificado, kVerdadero);
    EXPECT_TRUE(child->TXTextControl1().Text().contains(u"&Nombre del titular&"_qs));
}

TEST_F(CloseTest, ClosingABackgroundWindowChecksThatWindow)
{
    MDIchild *background = modificado();
    MDIchild *front = editor().nuevo_documento();
    escribir(u"sin titular aquí"_qs);
    ASSERT_EQ(activeWindow(), front);
    mensajes.answerNext(Answer::Yes);
    dialogo.chooseNext(programDir + u"/fondo.rtf"_qs);
    EXPECT_TRUE(cerrar(background)) << "the holder check looked at the closing window";
    EXPECT_TRUE(QFile::exists(programDir + u"/fondo.rtf"_qs));
}

TEST_F(CloseTest, TheEmptyFrameTimerOpensAFreshDocument)
{
    ASSERT_TRUE(cerrar(activeWindow()));
    EXPECT_TRUE(editor().todos_cerrados());
    EXPECT_TRUE(parent->Timer1().isActive());
    EXPECT_EQ(parent->Timer1().interval(), 500);
    parent->Timer1_Timer();
    EXPECT_FALSE(parent->Timer1().isActive());
    ASSERT_NE(activeWindow(), nullptr);
    EXPECT_EQ(activeWindow()->caption(), u"Sin Titulo:1"_qs);
    EXPECT_FALSE(editor().todos_cerrados());

    editor().nuevo_documento();
    ASSERT_TRUE(cerrar(activeWindow()));
    parent->Timer1_Timer();
    EXPECT_EQ(editor().upperBound(), 2) << "a window is still open: no new one";
}

TEST_F(CloseTest, ExitOfAnUnmodifiedWindowEndsAtOnce)
{
    activeWindow()->item(u"saliritem"_qs)->trigger();
    EXPECT_EQ(endings, 1);
    EXPECT_TRUE(mensajes.shown().isEmpty());
}

TEST_F(CloseTest, ExitAnswersOfTheCurrentWindow)
{
    struct Row {
        const char *name;
        Answer answer;
        bool nameChosen;
        int endings;
    };
    const QList<Row> rows{
        {"cancel", Answer::Cancel, false, 0},
        {"yes, name cancelled", Answer::Yes, false, 0},
        {"yes, saved", Answer::Yes, true, 1},
        {"no", Answer::No, false, 1},
    };
    for (const Row &row : rows) {
        endings = 0;
        escribir(u"x"_qs);
        mensajes.answerNext(row.answer);
        if (row.answer == Answer::Yes) {
            if (row.nameChosen)
                dialogo.chooseNext(programDir + u"/salida.rtf"_qs);
            else
                dialogo.cancelNext();
        }
        activeWindow()->item(u"saliritem2"_qs)->trigger();
        EXPECT_EQ(endings, row.endings) << row.name;
    }
    EXPECT_TRUE(QFile::exists(programDir + u"/salida.rtf"_qs)) << "the exit's save does not check the holder";
}

TEST_F(CloseTest, ExitAsksAboutEveryOtherModifiedWindow)
{
    modificado();
    MDIchild *current = editor().nuevo_documento();
    // The current window is unchanged; the other one is asked about, and Cancel stops the exit.
    mensajes.answerNext(Answer::Cancel);
    current->item(u"saliritem"_qs)->trigger();
    EXPECT_EQ(endings, 0);
    ASSERT_EQ(mensajes.shown().size(), 1);
    EXPECT_TRUE(mensajes.shown().at(0).text.startsWith(u"El texto en [Sin Titulo:2]"_qs));

    mensajes.answerNext(Answer::No);
    current->item(u"saliritem"_qs)->trigger();
    EXPECT_EQ(endings, 1);
}

TEST_F(CloseTest, ClosingTheMainWindowAsksAsTheExitDoes)
{
    modificado();
    mensajes.answerNext(Answer::Cancel);
    EXPECT_FALSE(parent->close());
    mensajes.answerNext(Answer::No);
    EXPECT_TRUE(parent->close());
}
