// The status bar's page, line and column, following the caret.
#include "textctl/bars/txstatusbar.h"
#include "textctl/txtextcontrol.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

TEST(StatusBar, ShowsPageLineAndColumnAndFollowsTheCaret)
{
    TXTextControl control;
    control.setText(u"uno\ndos\ntres"_qs);
    control.setSelStart(11);
    TXStatusBar status;
    status.setControl(&control);
    EXPECT_EQ(status.pageText(), u"Página 1"_qs);
    EXPECT_EQ(status.lineText(), u"Línea 3"_qs);
    EXPECT_EQ(status.columnText(), u"Columna 4"_qs);

    ASSERT_EQ(control.Find(u"os"_qs, 0), 5);
    QCoreApplication::processEvents();
    EXPECT_EQ(status.lineText(), u"Línea 2"_qs);
    EXPECT_EQ(status.columnText(), u"Columna 4"_qs) << "the caret is the selection's moving end";

    control.setSelStart(0);
    control.setSelText(u"cero\n"_qs);  // typing moves the caret too
    QCoreApplication::processEvents();
    EXPECT_EQ(status.lineText(), u"Línea 2"_qs);
    EXPECT_EQ(status.columnText(), u"Columna 1"_qs);
}

TEST(StatusBar, IsEmptyWithoutAControl)
{
    TXStatusBar status;
    EXPECT_TRUE(status.pageText().isEmpty());
    auto control = std::make_unique<TXTextControl>();
    status.setControl(control.get());
    EXPECT_EQ(status.pageText(), u"Página 1"_qs);
    control.reset();
    QCoreApplication::processEvents();
    EXPECT_TRUE(status.pageText().isEmpty());
    EXPECT_TRUE(status.lineText().isEmpty());
    EXPECT_TRUE(status.columnText().isEmpty());
}
