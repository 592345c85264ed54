// The e-mail command of the document window: the holder check, the report
// saved first, the single mail form, and a send that attaches the saved file.

#include "tests/frame/framefixture.h"
#include "tests/office/mimeleido.h"

#include "office/frmemail.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace frame;

class EmailTest : public FrameTest {
protected:
    void emailitem() { activeWindow()->item(u"emailitem"_qs)->trigger(); }
    office::frmemail *form() { return editor().frmemail(); }
};

TEST_F(EmailTest, SinTitularNiSuCifNoHayFormulario)
{
    escribir(u"Informe sin datos del asegurado"_qs);
    emailitem();
    EXPECT_EQ(mensajes.texts(), QStringList{u"No se puede guardar el documento.Falta el titular y/o el cif"_qs});
    EXPECT_EQ(mensajes.shown().at(0).style, platform::OkOnly);
    EXPECT_TRUE(dialogo.openings().isEmpty());
    EXPECT_EQ(form(), nullptr);
}

TEST_F(EmailTest, GuardaPrimeroYElFormularioLlevaElFicheroGuardado)
{
    escribir(u"Titular: &Nombre del titular&"_qs);
    const QString ruta = dir.filePath(u"informe 00123.rtf"_qs);
    dialogo.chooseNext(ruta);
    EXPECT_TRUE(activeWindow()->item(u"emailitem"_qs)->isEnabled());
    emailitem();
    ASSERT_EQ(dialogo.openings().size(), 1);
    EXPECT_EQ(dialogo.openings().at(0).settings.DialogTitle, u"Save As"_qs);
    EXPECT_TRUE(QFile::exists(ruta));
    ASSERT_NE(form(), nullptr);
    EXPECT_TRUE(form()->isVisible());
    EXPECT_EQ(form()->windowTitle(), u" Enviar por Correo Electrónico"_qs);
    EXPECT_EQ(form()->Text4()->text(), ruta);

    // Sent from quorvel: the attachment is the file as saved, byte for byte.
    form()->Text1()->setText(u"ana@oficina.es"_qs);
    QPointer<office::frmemail> abierto = form();
    abierto->Command1()->click();
    if (office::TransporteCorreo *transporte = abierto->transporte()) {
        ASSERT_TRUE(QSignalSpy(transporte, &office::TransporteCorreo::terminado).wait(20000));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(mensajes.texts().isEmpty()) << mensajes.texts().join(u'|').toStdString();
    EXPECT_TRUE(abierto.isNull());
    const QList<QByteArray> partes = mimeleido::partes(leer(dir.filePath(u"correo.eml"_qs)));
    ASSERT_EQ(partes.size(), 1);
    EXPECT_EQ(mimeleido::cabecera(partes[0], "Content-Disposition"), u"attachment; filename=\"informe 00123.rtf\""_qs);
    EXPECT_EQ(mimeleido::cuerpo(partes[0]), leer(ruta));
}

TEST_F(EmailTest, SinNombreElFormularioSeAbreIgualConElTituloQueNoSeAdjunta)
{
    editor().nuevo_documento();
    escribir(u"&cif del titular&"_qs);
    dialogo.cancelNext();
    emailitem();
    ASSERT_NE(form(), nullptr);
    EXPECT_EQ(form()->Text4()->text(), activeWindow()->caption());
    EXPECT_TRUE(form()->Text4()->text().startsWith(u"Sin Titulo:"_qs));
}

TEST_F(EmailTest, UnSoloFormularioQueVuelveAlFrenteSinRellenarseOtraVez)
{
    escribir(u"&Nombre del titular&"_qs);
    dialogo.cancelNext();
    emailitem();
    office::frmemail *primero = form();
    ASSERT_NE(primero, nullptr);
    primero->Text4()->setText(u"/tmp/otro.rtf"_qs);
    dialogo.cancelNext();
    emailitem();
    EXPECT_EQ(form(), primero);
    EXPECT_EQ(primero->Text4()->text(), u"/tmp/otro.rtf"_qs);
}
