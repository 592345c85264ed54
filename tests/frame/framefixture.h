#pragma once

// A main window over a private copy of the demo program directory, with
// scripted dialogs and message boxes, a recorded screen pointer, and a mail
// transport that keeps the message it is given in correo.eml.

#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"
#include "platformui/screenpointer.h"
#include "platformui/scripteddialogs.h"
#include "platformui/scriptedprinterdialog.h"
#include "testsupport/demodirectory.h"
#include "textctl/bars/txruler.h"
#include "textctl/view/txtextview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        programDir = dir.path();
        ASSERT_TRUE(testsupport::copyDemoDirectory(programDir));
        correo = {u"sh"_qs, {u"-c"_qs, u"cat > \"$1\""_qs, u"sh"_qs, dir.filePath(u"correo.eml"_qs)}, 60000};
        services = {&dialogo, &mensajes, &puntero, nullptr, &impresora, &correo};
        parent = std::make_unique<frame::MDIParent>(programDir, services);
        ASSERT_TRUE(parent->MDIParent_Load());
        parent->editor().setEndProgram([this] { ++endings; });
    }

    frame::Editor &editor() { return parent->editor(); }
    frame::MDIchild *activeWindow() { return editor().activeWindow(); }
    TXTextControl &control() { return activeWindow()->TXTextControl1(); }
    // Types into the current window as a user would: the change notification runs.
    void escribir(const QString &text) { control().setSelText(text); }
    QByteArray leer(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString programDir;
    platform::ScriptedCommonDialog dialogo;
    platform::ScriptedMessageBoxes mensajes;
    platform::RecordingScreenPointer puntero;
    platform::ScriptedPrinterDialog impresora{dir.filePath(QStringLiteral("impreso.pdf"))};
    office::AjustesCorreo correo;
    frame::FrameServices services;
    std::unique_ptr<frame::MDIParent> parent;
    int endings = 0;
};
