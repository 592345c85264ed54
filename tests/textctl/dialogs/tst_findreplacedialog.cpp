// The search dialog: one per control, the question at the end of the text
// and the messages, all through scripted message boxes.
#include "textctl/dialogs/findreplacedialog.h"
#include "dialogtesting.h"
#include "platformui/scripteddialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

using namespace textctl;
using textctl::testing::field;
using textctl::testing::select;

TEST(FindReplaceDialog, OnePerControlWithTheSelectionAsSearchText)
{
    TXTextControl control;
    control.setText(u"alfa beta"_qs);
    platform::ScriptedMessageBoxes boxes;
    select(control, 5, 9);
    FindReplaceDialog *find = FindReplace(control, 1, boxes, nullptr);
    EXPECT_EQ(find->windowTitle(), u"Buscar"_qs);
    EXPECT_FALSE(find->isModal());
    EXPECT_EQ(field<QLineEdit>(*find, "findText")->text(), u"beta"_qs);
    EXPECT_FALSE(field<QLineEdit>(*find, "replaceText")->isVisible());

    select(control, 0, 4);
    FindReplaceDialog *replace = FindReplace(control, 2, boxes, nullptr);
    EXPECT_EQ(replace, find);
    EXPECT_EQ(replace->windowTitle(), u"Reemplazar"_qs);
    EXPECT_EQ(field<QLineEdit>(*replace, "findText")->text(), u"alfa"_qs);
    EXPECT_TRUE(field<QLineEdit>(*replace, "replaceText")->isVisible());

    TXTextControl other;
    EXPECT_NE(FindReplace(other, 1, boxes, nullptr), find);
}

TEST(FindReplaceDialog, AtTheEndAsksWhetherToGoOnFromTheStart)
{
    struct Row {
        const char *name;
        platform::Answer answer;
        int selectionStart;  // -1: the caret stays where it was
        int boxes;
    };
    const Row rows[] = {
        {"yes", platform::Answer::Yes, 0, 1},
        {"no", platform::Answer::No, -1, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TXTextControl control;
        control.setText(u"Alfa beta"_qs);
        select(control, 7, 7);
        platform::ScriptedMessageBoxes boxes;
        boxes.answerNext(row.answer);
        FindReplaceDialog dialog(control, boxes);
        field<QLineEdit>(dialog, "findText")->setText(u"alfa"_qs);
        field<QPushButton>(dialog, "findNext")->click();
        ASSERT_EQ(boxes.shown().size(), row.boxes);
        EXPECT_EQ(boxes.shown().first().style, platform::Question | platform::YesNo);
        if (row.selectionStart < 0) {
            EXPECT_FALSE(control.cursor().hasSelection());
            EXPECT_EQ(control.cursor().position(), 7);
        } else {
            EXPECT_EQ(control.cursor().selectionStart(), row.selectionStart);
        }
    }
}

TEST(FindReplaceDialog, MessagesForNoMatchAndForReplaceAll)
{
    TXTextControl control;
    control.setText(u"Alfa beta alfa"_qs);
    platform::ScriptedMessageBoxes boxes;
    FindReplaceDialog dialog(control, boxes);
    dialog.setMode(2);
    field<QLineEdit>(dialog, "findText")->setText(u"alfa"_qs);
    field<QCheckBox>(dialog, "matchCase")->setChecked(true);
    field<QCheckBox>(dialog, "wholeWord")->setChecked(true);
    field<QLineEdit>(dialog, "replaceText")->setText(u"gamma"_qs);
    field<QPushButton>(dialog, "replaceAll")->click();
    EXPECT_EQ(control.Text(), u"Alfa beta gamma"_qs);
    field<QCheckBox>(dialog, "matchCase")->setChecked(false);
    field<QPushButton>(dialog, "replaceAll")->click();
    EXPECT_EQ(control.Text(), u"gamma beta gamma"_qs);
    field<QLineEdit>(dialog, "findText")->setText(u"delta"_qs);
    select(control, 0, 0);
    field<QPushButton>(dialog, "findNext")->click();
    EXPECT_EQ(boxes.texts(), (QStringList{u"Se ha realizado 1 reemplazo."_qs, u"Se ha realizado 1 reemplazo."_qs,
                                          u"No se encuentra \"delta\"."_qs}));
    // Replace: the current match, then on to the next.
    boxes.clear();
    field<QLineEdit>(dialog, "findText")->setText(u"gamma"_qs);
    field<QLineEdit>(dialog, "replaceText")->setText(u"x"_qs);
    field<QPushButton>(dialog, "findNext")->click();
    field<QPushButton>(dialog, "replace")->click();
    EXPECT_EQ(control.Text(), u"x beta gamma"_qs);
    EXPECT_EQ(control.cursor().selectionStart(), 7);
    EXPECT_TRUE(boxes.shown().isEmpty());
}
