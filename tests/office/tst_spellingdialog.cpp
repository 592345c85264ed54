// The spelling dialog on the offscreen platform: each button answers its
// action with the text to change to; the word shows in its sentence.

#include "office/spellingdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using office::SpellingAnswer;

namespace {

const office::SpellingQuestion kQuestion{u"herror"_s, u"Un herror aquí."_s, 3, {u"error"_s, u"herrero"_s}, 0};

TEST(SpellingDialog, EachButtonAnswersItsAction)
{
    const SpellingAnswer::Action actions[] = {SpellingAnswer::Change, SpellingAnswer::ChangeAll,
                                              SpellingAnswer::Ignore, SpellingAnswer::IgnoreAll,
                                              SpellingAnswer::Add,    SpellingAnswer::Cancel};
    office::SpellingDialog dialog;
    for (SpellingAnswer::Action action : actions) {
        QTimer::singleShot(0, dialog.button(action), &QPushButton::click);
        const SpellingAnswer answer = dialog(kQuestion);
        EXPECT_EQ(answer.action, action) << int(action);
        EXPECT_EQ(answer.replacement, u"error"_s) << int(action);
    }
}

TEST(SpellingDialog, ShowsTheWordInItsSentenceAndTakesATypedChange)
{
    office::SpellingDialog dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.findChild<QLineEdit *>()->setText(u"hierro"_s);
        dialog.button(SpellingAnswer::Change)->click();
    });
    EXPECT_EQ(dialog(kQuestion).replacement, u"hierro"_s);
    bool shown = false;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        shown = shown || label->text().contains(u"Un <b><font color=\"#c00000\">herror</font></b> aquí."_s);
    EXPECT_TRUE(shown);

    // No suggestion: the word itself is offered to be edited.
    QTimer::singleShot(0, dialog.button(SpellingAnswer::Change), &QPushButton::click);
    EXPECT_EQ(dialog({u"Valdrinés"_s, u"Valdrinés"_s, 0, {}, 1}).replacement, u"Valdrinés"_s);
}

}  // namespace
