#include "office/direcciones.h"
#include "office/mensajemime.h"
#include "tests/office/mimeleido.h"

#include <gtest/gtest.h>

using namespace office;

TEST(Direcciones, ListasQueElUsuarioEscribe)
{
    struct Caso {
        const char *nombre;
        QString texto;
        std::optional<QStringList> lista;
        QString motivo;
    };
    const QList<Caso> casos{
        {"una", u" ana@oficina.es "_qs, QStringList{u"ana@oficina.es"_qs}, {}},
        {"variasConPuntoYComaYComa", u"ana@oficina.es; luis.perez@correo.oficina.es,eva+x@a-b.com"_qs,
         QStringList{u"ana@oficina.es"_qs, u"luis.perez@correo.oficina.es"_qs, u"eva+x@a-b.com"_qs}, {}},
        {"separadorSobrante", u"ana@oficina.es;;"_qs, QStringList{u"ana@oficina.es"_qs}, {}},
        {"vacia", u"  "_qs, QStringList{}, {}},
        {"sinArroba", u"ana.oficina.es"_qs, std::nullopt, u"«ana.oficina.es»: falta la arroba (@)."_qs},
        {"dosArrobas", u"ana@b@oficina.es"_qs, std::nullopt, u"«ana@b@oficina.es»: tiene más de una arroba (@)."_qs},
        {"sinDominio", u"luis@"_qs, std::nullopt, u"«luis@»: no hay dominio después de la arroba (@)."_qs},
        {"dominioSinPunto", u"luis@localhost"_qs, std::nullopt, u"«luis@localhost»: el dominio «localhost» no es válido."_qs},
        {"espacioDentro", u"ana maria@oficina.es"_qs, std::nullopt, u"«ana maria@oficina.es»: contiene el carácter no válido « »."_qs},
        {"acento", u"josé@oficina.es"_qs, std::nullopt, u"«josé@oficina.es»: contiene el carácter no válido «é»."_qs},
        {"nombreYDireccion", u"Ana <ana@oficina.es>"_qs, std::nullopt, u"«Ana <ana@oficina.es>»: contiene el carácter no válido « »."_qs},
        {"saltoDeLineaParaOtraCabecera", u"ana@oficina.es\r\nBcc: x@y.es"_qs, std::nullopt,
         u"«ana@oficina.es\r\nBcc: x@y.es»: tiene más de una arroba (@)."_qs},
        {"puntoAlFinal", u"ana.@oficina.es"_qs, std::nullopt, u"«ana.@oficina.es»: tiene un punto mal colocado antes de la arroba (@)."_qs},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nombre);
        QString motivo;
        EXPECT_EQ(leerDirecciones(caso.texto, &motivo), caso.lista);
        EXPECT_EQ(motivo, caso.motivo);
    }
}

TEST(MensajeMime, SoloElDestinatarioYElAdjuntoCuandoLoDemasEstaVacio)
{
    Correo correo;
    correo.para = {u"ana@oficina.es"_qs};
    correo.adjunto = Adjunto{u"00123.rtf"_qs, "application/rtf", QByteArray("{\\rtf1 x}\r\n.\r\n", 15)};
    const QByteArray mensaje = componerMime(correo, QDateTime::currentDateTime(), "=_f");
    const QByteArray cabeceras = mimeleido::cabeceras(mensaje);
    EXPECT_TRUE(cabeceras.startsWith("To: ana@oficina.es\r\n"));
    EXPECT_FALSE(cabeceras.contains("Cc:"));
    EXPECT_FALSE(cabeceras.contains("Subject:"));
    const QList<QByteArray> partes = mimeleido::partes(mensaje);
    ASSERT_EQ(partes.size(), 1);
    EXPECT_EQ(mimeleido::cabecera(partes[0], "Content-Type"), u"application/rtf; name=\"00123.rtf\""_qs);
    EXPECT_EQ(mimeleido::cabecera(partes[0], "Content-Disposition"), u"attachment; filename=\"00123.rtf\""_qs);
    EXPECT_EQ(mimeleido::cuerpo(partes[0]), correo.adjunto->datos);
    EXPECT_TRUE(mensaje.endsWith("--=_f--\r\n"));
}

TEST(MensajeMime, AcentosEnElAsuntoElTextoYElNombreDelFichero)
{
    Correo correo;
    correo.para = {u"ana@oficina.es"_qs, u"eva@oficina.es"_qs};
    correo.copia = {u"luis@oficina.es"_qs};
    correo.asunto = u"Peritación nº 00123 — daños por agua en la cocina y el baño del piso de la calle Mayor"_qs;
    correo.cuerpo = u"Adjunto el informe.\nUn saludo,\n\nJosé Núñez"_qs;
    correo.adjunto = Adjunto{u"informe año.rtf"_qs, "application/rtf", "{\\rtf1}"};
    const QByteArray mensaje = componerMime(correo, QDateTime::currentDateTime(), fronteraNueva());
    EXPECT_EQ(mimeleido::cabecera(mensaje, "To"), u"ana@oficina.es, eva@oficina.es"_qs);
    EXPECT_EQ(mimeleido::cabecera(mensaje, "Cc"), u"luis@oficina.es"_qs);
    EXPECT_EQ(mimeleido::cabecera(mensaje, "Subject"), correo.asunto);
    for (const QByteArray &linea : mensaje.split('\n'))
        EXPECT_LE(linea.size(), 78) << linea.constData();
    const QList<QByteArray> partes = mimeleido::partes(mensaje);
    ASSERT_EQ(partes.size(), 2);
    EXPECT_EQ(mimeleido::cabecera(partes[0], "Content-Type"), u"text/plain; charset=UTF-8"_qs);
    EXPECT_EQ(QString::fromUtf8(mimeleido::cuerpo(partes[0])), u"Adjunto el informe.\r\nUn saludo,\r\n\r\nJosé Núñez"_qs);
    EXPECT_EQ(mimeleido::cabecera(partes[1], "Content-Disposition"),
              u"attachment; filename*=UTF-8''informe%20a%C3%B1o.rtf"_qs);
}

TEST(MensajeMime, UnSaltoDeLineaEnElAsuntoNoAbreOtraCabecera)
{
    const QByteArray valor = valorDeCabecera(u"Informe\r\nBcc: espia@fuera.es"_qs);
    EXPECT_FALSE(valor.contains('\r'));
    EXPECT_FALSE(valor.contains('\n'));
    EXPECT_EQ(valor, "Informe  Bcc: espia@fuera.es");
}
