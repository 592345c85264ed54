#include "platformui/messageboxes.h"
#include "platformui/qtmessageboxes.h"
#include "platformui/screenpointer.h"
#include "platformui/scripteddialogs.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace platform;

TEST(MessageBoxes, DismissingAnswersTheSafestButton)
{
    const QList<std::pair<int, Answer>> rows{
        {OkOnly, Answer::Ok},
        {OkOnly + Exclamation, Answer::Ok},
        {OkCancel, Answer::Cancel},
        {YesNoCancel + Exclamation, Answer::Cancel},
        {YesNo + Question, Answer::No},
    };
    for (const auto &[style, answer] : rows)
        EXPECT_EQ(dismissAnswer(style), answer) << "style " << style;
}

TEST(MessageBoxes, ScriptedBoxesRecordAndAnswer)
{
    ScriptedMessageBoxes boxes;
    boxes.answerNext(Answer::Yes);
    EXPECT_EQ(boxes.show(u"¿Guardar?"_qs, YesNoCancel + Exclamation, u"Valdrin"_qs), Answer::Yes);
    EXPECT_EQ(boxes.show(u"Aviso"_qs), Answer::Ok);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown().at(0).style, 51);
    EXPECT_EQ(boxes.shown().at(0).title, u"Valdrin"_qs);
    EXPECT_EQ(boxes.texts(), (QStringList{u"¿Guardar?"_qs, u"Aviso"_qs}));
}

TEST(MessageBoxes, WithoutDisplayTheTextGoesToStandardError)
{
    QtMessageBoxes boxes;
    testing::internal::CaptureStderr();
    const Answer answer = boxes.show(u"El texto ha cambiado.\n\rQuiere guardar los cambios?"_qs,
                                     YesNoCancel + Exclamation, u"Valdrin"_qs);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, Answer::Cancel);
    EXPECT_EQ(err, "Valdrin: El texto ha cambiado.\nQuiere guardar los cambios?\n");
}

TEST(ScreenPointer, QtPointerKeepsOneOverrideAtATime)
{
    QtScreenPointer pointer;
    pointer.set(PointerBusy);
    pointer.set(PointerBusy);
    EXPECT_EQ(pointer.shape(), PointerBusy);
    pointer.set(PointerDefault);
    EXPECT_EQ(pointer.shape(), PointerDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
