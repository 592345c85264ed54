// The control's clipboard actions: copy puts plain text and RTF, paste
// prefers RTF.
#include "textctl/txtextcontrol.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

TEST(Clipboard, CopyPutsPlainTextAndRtfAndCutRemoves)
{
    TXTextControl control;
    control.setText(u"uno dos\r\ntres"_qs);
    control.setSelStart(4);
    control.setSelLength(5);
    control.Clip(2);
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->text(), u"dos\nt"_qs);
    EXPECT_TRUE(mime->data(u"text/rtf"_qs).startsWith("{\\rtf1"));
    EXPECT_EQ(control.Text(), u"uno dos\ntres"_qs);

    control.Clip(1);
    EXPECT_EQ(control.Text(), u"uno res"_qs);
    control.setSelStart(0);
    control.Clip(3);
    EXPECT_TRUE(control.Text().startsWith(u"dos"_qs)) << control.Text().toStdString();
}

TEST(Clipboard, PastePrefersRtfOverPlainText)
{
    auto *mime = new QMimeData;
    mime->setText(u"PLANO"_qs);
    mime->setData(u"text/rtf"_qs, QByteArray("{\\rtf1\\ansi {\\b RICO}}"));
    QGuiApplication::clipboard()->setMimeData(mime);
    TXTextControl control;
    control.setText(u"[]"_qs);
    control.setSelStart(1);
    control.Clip(3);
    EXPECT_EQ(control.Text(), u"[RICO]"_qs);
}

TEST(Clipboard, PastePlainTextFollowsTheLineBreakRulesAndDeleteRemoves)
{
    auto *mime = new QMimeData;
    mime->setText(u"a\r\nb"_qs);
    QGuiApplication::clipboard()->setMimeData(mime);
    TXTextControl control;
    control.setText(u"xy"_qs);
    control.setSelStart(1);
    control.Clip(3);
    EXPECT_EQ(control.Text(), u"xa\nby"_qs);
    control.setSelStart(0);
    control.setSelLength(2);
    control.Clip(4);
    EXPECT_EQ(control.Text(), u"\nby"_qs);
}
