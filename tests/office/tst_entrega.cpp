// The real mail transport: msmtp, configured here to deliver to a small SMTP
// receiver on 127.0.0.1, takes the message the form builds, and what arrives
// is what the user typed, accents and attachment included.

#include "office/frmemail.h"
#include "platformui/scripteddialogs.h"
#include "tests/office/mimeleido.h"
#include "tests/office/receptorsmtp.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <cstdio>

using namespace office;

TEST(Entrega, MsmtpEntregaAlReceptorLoQueSeEscribioEnElFormulario)
{
    if (QStandardPaths::findExecutable(u"msmtp"_qs).isEmpty())
        GTEST_SKIP() << "msmtp no está instalado (paquete msmtp de Debian, en scripts/packages.sh)";
    QTemporaryDir dir;
    ReceptorSmtp receptor;
    ASSERT_NE(receptor.puerto(), 0);

    const QString configuracion = dir.filePath(u"msmtprc"_qs);
    QFile conf(configuracion);
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write(QStringLiteral("defaults\nsyslog off\n\naccount prueba\nhost 127.0.0.1\nport %1\nauth off\ntls off\n"
                              "from informes@oficina.test\n\naccount default : prueba\n")
                   .arg(receptor.puerto())
                   .toUtf8());
    conf.close();
    // msmtp refuses a configuration that others can read.
    conf.setPermissions(QFile::ReadOwner | QFile::WriteOwner);

    // A report with bytes that a careless transport would change: CR LF, a
    // line with one dot, a long line, bytes above 127 and a NUL.
    QByteArray datos = "{\\rtf1\\ansi\\ansicpg1252 Per\\'edto}\r\n.\r\n..\r\n" + QByteArray(3000, 'x') + "\n";
    for (int i = 0; i < 256; ++i)
        datos += static_cast<char>(i);
    const QString informe = dir.filePath(u"00123.rtf"_qs);
    QFile fichero(informe);
    ASSERT_TRUE(fichero.open(QIODevice::WriteOnly));
    fichero.write(datos);
    fichero.close();

    platform::ScriptedMessageBoxes mensajes;
    const AjustesCorreo ajustes{u"msmtp"_qs, {u"-C"_qs, configuracion, u"-t"_qs, u"-oi"_qs}, 30000};
    auto *form = new frmemail(Variante::Editor, informe, ajustes, mensajes);
    QPointer<frmemail> vivo(form);
    form->show();
    form->Text1()->setText(u"ana.garcia@aseguradora.test"_qs);
    form->Text2()->setText(u"luis.nunez@oficina.test; archivo@oficina.test"_qs);
    form->Text3()->setText(u"Peritación del siniestro 00123: daños por agua"_qs);
    form->RichTextBox1()->setPlainText(u"Buenos días:\n\nAdjunto el informe de peritación.\n.\nUn saludo,\nJosé Núñez"_qs);
    form->Command1()->click();
    TransporteCorreo *transporte = form->transporte();
    ASSERT_NE(transporte, nullptr) << mensajes.texts().join(u'|').toStdString();
    QSignalSpy fin(transporte, &TransporteCorreo::terminado);
    ASSERT_TRUE(fin.wait(30000));
    EXPECT_TRUE(mensajes.texts().isEmpty()) << mensajes.texts().join(u'|').toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(vivo.isNull()) << "the form stays open after a delivery";

    const std::optional<ReceptorSmtp::Sesion> sesion = receptor.sesion(10000);
    ASSERT_TRUE(sesion);
    EXPECT_EQ(sesion->remitente, "<informes@oficina.test>");
    EXPECT_EQ(sesion->destinatarios, (QList<QByteArray>{"<ana.garcia@aseguradora.test>", "<luis.nunez@oficina.test>",
                                                         "<archivo@oficina.test>"}));
    const QByteArray &mensaje = sesion->datos;
    EXPECT_EQ(mimeleido::cabecera(mensaje, "To"), u"ana.garcia@aseguradora.test"_qs);
    EXPECT_EQ(mimeleido::cabecera(mensaje, "Cc"), u"luis.nunez@oficina.test, archivo@oficina.test"_qs);
    EXPECT_EQ(mimeleido::cabecera(mensaje, "Subject"), u"Peritación del siniestro 00123: daños por agua"_qs);
    const QList<QByteArray> partes = mimeleido::partes(mensaje);
    ASSERT_EQ(partes.size(), 2);
    EXPECT_EQ(QString::fromUtf8(mimeleido::cuerpo(partes[0])),
              u"Buenos días:\r\n\r\nAdjunto el informe de peritación.\r\n.\r\nUn saludo,\r\nJosé Núñez"_qs);
    EXPECT_EQ(mimeleido::cabecera(partes[1], "Content-Disposition"), u"attachment; filename=\"00123.rtf\""_qs);
    const QByteArray adjunto = mimeleido::cuerpo(partes[1]);
    EXPECT_EQ(adjunto, datos);
    const QByteArray suma = QCryptographicHash::hash(adjunto, QCryptographicHash::Sha256).toHex();
    EXPECT_EQ(suma, QCryptographicHash::hash(datos, QCryptographicHash::Sha256).toHex());

    // What arrived, for whoever reads the test's output.
    std::printf("--- recibido en 127.0.0.1:%u ---\n%s\nsha256 del adjunto: %s\n", receptor.puerto(),
                mimeleido::cabeceras(mensaje).constData(), suma.constData());
}
