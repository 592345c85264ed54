// The generator's e-mail item: the form at once, without the holder check
// and without saving, the command line in its file box, one message for
// every failure.

#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"
#include "generator/generator.h"
#include "office/frmemail.h"
#include "platformui/screenpointer.h"
#include "platformui/scripteddialogs.h"
#include "testsupport/demodirectory.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(GeneradorEmail, ElFormularioSinComprobacionesConLaLineaDeOrdenesYUnSoloMensaje)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(testsupport::copyDemoDirectory(tmp.path()));
    platform::ScriptedCommonDialog dialogo;
    platform::ScriptedMessageBoxes mensajes;
    platform::RecordingScreenPointer puntero;
    platform::RecordingLauncher lanzador;
    const office::AjustesCorreo correo{u"sh"_qs, {u"-c"_qs, u"cat >/dev/null"_qs}, 60000};
    frame::MDIParent parent(tmp.path(), {&dialogo, &mensajes, &puntero, &lanzador, nullptr, &correo},
                            frame::MDIParent::AfterGeneration::StayHidden);
    generator::Generator gen(parent, {.notice = [](const QString &) {}, .end = [](int) {}});
    ASSERT_TRUE(gen.MDIParent_Load(u"inf01:00123:2:E"_qs));

    // The empty first window has no holder: the editor would refuse.
    parent.editor().activeWindow()->item(u"emailitem"_qs)->trigger();
    EXPECT_TRUE(mensajes.texts().isEmpty());
    EXPECT_TRUE(dialogo.openings().isEmpty());
    office::frmemail *form = parent.editor().frmemail();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Text4()->text(), u"inf01:00123:2:E"_qs);

    form->Text1()->setText(u"ana@oficina.es"_qs);
    form->Command1()->click();
    EXPECT_EQ(mensajes.texts(),
              QStringList{u"Esta aplicacion solo puede funcionar con Microsoft Outlook 8.0 o superior.\n\rEl fichero no existe."_qs});
    EXPECT_TRUE(form->isVisible());
    gen.Timer1().stop();
}
