// The document window's spelling: the right button's suggestions for an
// underlined word and the "Ver" switch, with the real dictionary.

#include "tests/frame/framefixture.h"

#include "office/spellingdictionary.h"
#include "textctl/view/spellmarks.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTextCursor>

using namespace Qt::StringLiterals;

namespace {

class SpellingWindow : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        if (!office::diccionario().isValid())
            GTEST_SKIP() << "hunspell-es is not installed (es_ES.dic missing in /usr/share/hunspell)";
        parent->show();
        escribir(u"Un herror aquí."_s);
        activeWindow()->view()->checkSpelling();
    }
    // The right button's menu over the text at `position`.
    QMenu *menuAt(int position)
    {
        control().setSelStart(position);
        TXTextView *view = activeWindow()->view();
        return activeWindow()->contextMenuAt(view->viewport()->mapToGlobal(view->caretRect().center()));
    }
};

TEST_F(SpellingWindow, RightButtonOnAnUnderlinedWordOffersSuggestionsAboveEditar)
{
    QMenu *menu = menuAt(5);
    ASSERT_NE(menu, activeWindow()->mnueditar());
    const QList<QAction *> actions = menu->actions();
    ASSERT_FALSE(actions.isEmpty());
    EXPECT_EQ(actions.first()->text(), u"error"_s);
    QStringList texts;
    for (const QAction *action : actions)
        texts.append(action->text());
    EXPECT_TRUE(texts.contains(u"Añadir al diccionario"_s));
    EXPECT_TRUE(actions.contains(activeWindow()->item(u"deshaceritem"_s)));

    actions.first()->trigger();
    EXPECT_EQ(control().Text(), u"Un error aquí."_s);
    control().Undo();
    EXPECT_EQ(control().Text(), u"Un herror aquí."_s);
}

TEST_F(SpellingWindow, ElsewhereOrSwitchedOffTheMenuIsEditar)
{
    EXPECT_EQ(menuAt(12), activeWindow()->mnueditar());
    activeWindow()->item(u"ortografiaitem"_s)->trigger();
    EXPECT_FALSE(activeWindow()->item(u"ortografiaitem"_s)->isChecked());
    EXPECT_TRUE(activeWindow()->view()->spellMarks().selections(control().document().main()).isEmpty());
    EXPECT_EQ(menuAt(5), activeWindow()->mnueditar());
}

}  // namespace
