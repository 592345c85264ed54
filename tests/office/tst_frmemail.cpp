#include "office/frmemail.h"
#include "platformui/scripteddialogs.h"
#include "tests/office/mimeleido.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <string_view>

using namespace office;

namespace {

// A transport that runs `guion` in the shell, the message on its input.
AjustesCorreo porShell(const QString &guion, const QStringList &argumentos = {})
{
    return {u"sh"_qs, QStringList{u"-c"_qs, guion, u"sh"_qs} + argumentos, 60000};
}

}  // namespace

class FrmemailTest : public ::testing::Test {
protected:
    void abrir(const AjustesCorreo &ajustes, Variante variante = Variante::Editor, const QString &fichero = {})
    {
        form = new frmemail(variante, fichero.isNull() ? informe : fichero, ajustes, mensajes);
        form->show();
    }
    void escribir(const CamposCorreo &campos)
    {
        form->Text1()->setText(campos.destinatario);
        form->Text2()->setText(campos.copia);
        form->Text3()->setText(campos.asunto);
        form->Text4()->setText(campos.fichero);
        form->RichTextBox1()->setPlainText(campos.mensaje);
    }
    // Presses "Enviar" and waits for the transport, if one was started.
    void enviar()
    {
        form->Command1()->click();
        if (TransporteCorreo *transporte = form->transporte()) {
            QSignalSpy fin(transporte, &TransporteCorreo::terminado);
            ASSERT_TRUE(fin.wait(20000));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString ruta(const QString &nombre) const { return dir.filePath(nombre); }

    void SetUp() override
    {
        QFile fichero(informe);
        ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
        fichero.write("{\\rtf1\\ansi Informe}");
    }
    void TearDown() override { delete form.data(); }

    QTemporaryDir dir;
    QString informe = dir.filePath(u"00123.rtf"_qs);
    platform::ScriptedMessageBoxes mensajes;
    QPointer<frmemail> form;
};

TEST_F(FrmemailTest, CadaEtapaFallidaDiceSuMensajeYSuCausaYElFormularioSigueConLoEscrito)
{
    const QString sh = QStandardPaths::findExecutable(u"sh"_qs);
    const QString falso = QStandardPaths::findExecutable(u"false"_qs);
    const QString noEjecutable = ruta(u"binario-roto"_qs);
    QFile roto(noEjecutable);
    ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
    roto.write("\x7f\x45\x4c\x46 no es un programa");
    roto.close();
    roto.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const AjustesCorreo acepta = porShell(u"cat >/dev/null"_qs);
    const CamposCorreo completo{u"ana@oficina.es"_qs, u"luis@oficina.es"_qs, u"Peritación"_qs, informe, u"Adjunto."_qs};
    const auto con = [&](auto cambio) {
        CamposCorreo campos = completo;
        cambio(campos);
        return campos;
    };
    struct Caso {
        const char *nombre;
        AjustesCorreo ajustes;
        Variante variante;
        CamposCorreo campos;
        QString texto;
    };
    const QString sinOutlook = u"Esta aplicacion solo puede funcionar con Microsoft Outlook 8.0 o superior."_qs;
    const QString faltaSendmail = sinOutlook
        + u"\n\rNo se encuentra el programa «valdrin-sin-sendmail», que entrega el correo del sistema: "
          "instale un agente de correo que lo proporcione (por ejemplo msmtp-mta o postfix)."_qs;
    const AjustesCorreo sinSendmail{u"valdrin-sin-sendmail"_qs, {u"-t"_qs, u"-oi"_qs}, 60000};
    const QList<Caso> casos{
        {"sinSendmail", sinSendmail, Variante::Editor, completo, faltaSendmail},
        {"sinSendmailNiDestinatario", sinSendmail, Variante::Editor,
         con([](CamposCorreo &c) { c.destinatario.clear(); }), faltaSendmail},
        {"destinatarioVacio", acepta, Variante::Editor, con([](CamposCorreo &c) { c.destinatario = u"  "_qs; }),
         u"Debe existir un destinatario"_qs},
        {"destinatarioSinArroba", acepta, Variante::Editor, con([](CamposCorreo &c) { c.destinatario = u"ana.oficina.es"_qs; }),
         u"La dirección de destino es incorrecta\n\rDirección no válida «ana.oficina.es»: falta la arroba (@)."_qs},
        {"destinatarioSoloSeparadores", acepta, Variante::Editor, con([](CamposCorreo &c) { c.destinatario = u";"_qs; }),
         u"La dirección de destino es incorrecta\n\rEl destinatario no contiene ninguna dirección."_qs},
        {"copiaIncorrecta", acepta, Variante::Editor, con([](CamposCorreo &c) { c.copia = u"luis@oficina.es; eva@"_qs; }),
         u"La(s) dirección(es) de las copias es incorrecta\n\rDirección no válida «eva@»: no hay dominio después de la arroba (@)."_qs},
        {"adjuntoQueNoExiste", acepta, Variante::Editor, con([&](CamposCorreo &c) { c.fichero = ruta(u"no-esta.rtf"_qs); }),
         u"No se puede encontrar el archivo a adjuntar "_qs + ruta(u"no-esta.rtf"_qs) + u"\n\rEl fichero no existe."_qs},
        {"adjuntoCarpeta", acepta, Variante::Editor, con([&](CamposCorreo &c) { c.fichero = dir.path(); }),
         u"No se puede encontrar el archivo a adjuntar "_qs + dir.path() + u"\n\rEs una carpeta, no un fichero."_qs},
        {"transporteRechaza", porShell(u"cat >/dev/null; echo 'msmtp: recipient address ana@oficina.es not accepted' >&2; exit 75"_qs),
         Variante::Editor, completo,
         u"Debe tener abierto MSOutlook\n\rEl programa de correo «"_qs + sh
             + u"» ha terminado con el código 75. Respuesta: msmtp: recipient address ana@oficina.es not accepted"_qs},
        {"transporteQueNoLeeElMensaje", AjustesCorreo{u"false"_qs, {}, 60000}, Variante::Editor, completo,
         u"Debe tener abierto MSOutlook\n\rEl programa de correo «"_qs + falso + u"» ha terminado con el código 1."_qs},
        {"transporteQueNoArranca", AjustesCorreo{noEjecutable, {}, 60000}, Variante::Editor, completo,
         sinOutlook + u"\n\rNo se puede iniciar el programa de correo «"_qs + noEjecutable + u"»: "_qs},
        {"generadorCopiaIncorrecta", acepta, Variante::Generador, con([](CamposCorreo &c) { c.copia = u"eva"_qs; }),
         sinOutlook + u"\n\rDirección no válida «eva»: falta la arroba (@)."_qs},
        {"generadorAdjuntaTambienSin", acepta, Variante::Generador, con([](CamposCorreo &c) { c.fichero = u"Sin titulo"_qs; }),
         sinOutlook + u"\n\rEl fichero no existe."_qs},
        {"generadorTransporteRechaza", porShell(u"exit 3"_qs), Variante::Generador, completo,
         sinOutlook + u"\n\rEl programa de correo «"_qs + sh + u"» ha terminado con el código 3."_qs},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nombre);
        mensajes.clear();
        abrir(caso.ajustes, caso.variante);
        escribir(caso.campos);
        enviar();
        ASSERT_EQ(mensajes.texts().size(), 1);
        if (std::string_view(caso.nombre) == "transporteQueNoArranca")
            EXPECT_TRUE(mensajes.texts().at(0).startsWith(caso.texto)) << mensajes.texts().at(0).toStdString();
        else
            EXPECT_EQ(mensajes.texts().at(0), caso.texto);
        EXPECT_EQ(mensajes.shown().at(0).style, platform::OkOnly);
        ASSERT_FALSE(form.isNull());
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->Command1()->isEnabled());
        const CamposCorreo quedan = form->campos();
        EXPECT_EQ(quedan.destinatario, caso.campos.destinatario);
        EXPECT_EQ(quedan.copia, caso.campos.copia);
        EXPECT_EQ(quedan.asunto, caso.campos.asunto);
        EXPECT_EQ(quedan.fichero, caso.campos.fichero);
        EXPECT_EQ(quedan.mensaje, caso.campos.mensaje);
        delete form.data();
    }
}

TEST_F(FrmemailTest, UnEnvioLogradoCierraElFormularioYNoAdjuntaUnDocumentoSinTitulo)
{
    const QString recibido = ruta(u"recibido.eml"_qs);
    abrir(porShell(u"cat > \"$1\""_qs, {recibido}), Variante::Editor, u"Sin Titulo:3"_qs);
    EXPECT_EQ(form->windowTitle(), u" Enviar por Correo Electrónico"_qs);
    EXPECT_EQ(form->Text4()->text(), u"Sin Titulo:3"_qs);
    form->Text1()->setText(u"ana@oficina.es"_qs);
    QSignalSpy enviado(form.data(), &frmemail::enviado);
    enviar();
    EXPECT_TRUE(mensajes.texts().isEmpty()) << mensajes.texts().join(u'|').toStdString();
    EXPECT_EQ(enviado.size(), 1);
    EXPECT_TRUE(form.isNull());
    QFile fichero(recibido);
    ASSERT_TRUE(fichero.open(QIODevice::ReadOnly));
    const QByteArray mensaje = fichero.readAll();
    EXPECT_EQ(mimeleido::cabecera(mensaje, "To"), u"ana@oficina.es"_qs);
    EXPECT_EQ(mimeleido::partes(mensaje).size(), 1);
    EXPECT_FALSE(mensaje.contains("Content-Disposition"));
}

TEST_F(FrmemailTest, UnTransporteQueNoTerminaSeDetieneAlAgotarseLaEspera)
{
    AjustesCorreo ajustes{u"sleep"_qs, {u"30"_qs}, 60000};
    abrir(ajustes);
    form->Text1()->setText(u"ana@oficina.es"_qs);
    form->Command1()->click();
    TransporteCorreo *transporte = form->transporte();
    ASSERT_NE(transporte, nullptr);
    EXPECT_FALSE(form->Command1()->isEnabled());
    form->Command2()->click();
    EXPECT_TRUE(form->isVisible()) << "closed while the message was being handed over";
    transporte->tiempoAgotado();
    ASSERT_EQ(mensajes.texts().size(), 1);
    EXPECT_EQ(mensajes.texts().at(0), u"Debe tener abierto MSOutlook\n\rEl programa de correo «"_qs
                                          + QStandardPaths::findExecutable(u"sleep"_qs)
                                          + u"» no ha terminado en 60 segundos y se ha detenido; el mensaje no se ha enviado."_qs);
    EXPECT_TRUE(form->Command1()->isEnabled());
    EXPECT_EQ(form->Text1()->text(), u"ana@oficina.es"_qs);
}

TEST_F(FrmemailTest, SalirCierraSinEnviar)
{
    abrir(AjustesCorreo{u"valdrin-sin-sendmail"_qs, {}, 60000});
    form->Text1()->setText(u"ana@oficina.es"_qs);
    form->Command2()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(mensajes.texts().isEmpty());
}
