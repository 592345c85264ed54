#include "office/mensajemime.h"

#include <QMimeDatabase>
#include <QRandomGenerator>

namespace office {

namespace {

constexpr QByteArrayView kFinDeLinea = "\r\n";
// UTF-8 bytes per encoded word: 52 base64 characters, 64 with the wrapping,
// so that even the first line, after "Subject: ", stays within 78.
constexpr qsizetype kBytesPorPalabra = 39;

// Base64 in lines of 76 characters.
QByteArray base64EnLineas(const QByteArray &datos)
{
    const QByteArray todo = datos.toBase64();
    QByteArray salida;
    salida.reserve(todo.size() + todo.size() / 76 * 2 + 2);
    for (qsizetype i = 0; i < todo.size(); i += 76)
        salida += todo.mid(i, 76) + kFinDeLinea.toByteArray();
    return salida;
}

bool esAsciiImprimible(const QString &texto)
{
    for (QChar c : texto)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    return true;
}

// Every line break as CR LF, the canonical form of a text part.
QString conSaltosCrLf(QString texto)
{
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(u'\r', u'\n');
    texto.replace(u'\n', QStringLiteral("\r\n"));
    return texto;
}

// A file name parameter: quoted when it is plain ASCII, else in RFC 2231
// form, which mail readers decode into the original name.
QByteArray parametroNombre(const QByteArray &parametro, const QString &nombre)
{
    if (esAsciiImprimible(nombre) && !nombre.contains(u'"') && !nombre.contains(u'\\'))
        return parametro + "=\"" + nombre.toLatin1() + '"';
    return parametro + "*=UTF-8''" + nombre.toUtf8().toPercentEncoding();
}

}  // namespace

QByteArray valorDeCabecera(const QString &texto)
{
    QString limpio = texto;
    for (QChar &c : limpio)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    if (esAsciiImprimible(limpio) && limpio.size() <= 70 && !limpio.contains(QStringLiteral("=?")))
        return limpio.toLatin1();
    // Encoded words never split a character: each takes whole characters.
    QList<QByteArray> palabras;
    QByteArray actual;
    for (qsizetype i = 0; i < limpio.size(); ++i) {
        const qsizetype ancho = limpio.at(i).isHighSurrogate() && i + 1 < limpio.size() ? 2 : 1;
        const QByteArray caracter = limpio.mid(i, ancho).toUtf8();
        i += ancho - 1;
        if (actual.size() + caracter.size() > kBytesPorPalabra) {
            palabras.append(actual);
            actual.clear();
        }
        actual += caracter;
    }
    if (!actual.isEmpty())
        palabras.append(actual);
    QByteArray valor;
    for (const QByteArray &palabra : palabras) {
        if (!valor.isEmpty())
            valor += "\r\n ";
        valor += "=?UTF-8?B?" + palabra.toBase64() + "?=";
    }
    return valor;
}

QByteArray componerMime(const Correo &correo, const QDateTime &fecha, const QByteArray &frontera)
{
    QByteArray cabeceras;
    const auto cabecera = [&cabeceras](QByteArrayView nombre, const QByteArray &valor) {
        cabeceras += nombre.toByteArray() + ": " + valor + kFinDeLinea.toByteArray();
    };
    cabecera("To", correo.para.join(QStringLiteral(", ")).toLatin1());
    if (!correo.copia.isEmpty())
        cabecera("Cc", correo.copia.join(QStringLiteral(", ")).toLatin1());
    if (!correo.asunto.isEmpty())
        cabecera("Subject", valorDeCabecera(correo.asunto));
    cabecera("Date", fecha.toString(Qt::RFC2822Date).toLatin1());
    cabecera("MIME-Version", "1.0");

    QByteArray texto;
    if (!correo.cuerpo.isEmpty() || !correo.adjunto) {
        texto = "Content-Type: text/plain; charset=UTF-8\r\n"
                "Content-Transfer-Encoding: base64\r\n\r\n"
              + base64EnLineas(conSaltosCrLf(correo.cuerpo).toUtf8());
    }
    if (!correo.adjunto) {
        return cabeceras + texto;
    }
    const Adjunto &adjunto = *correo.adjunto;
    const QByteArray inicio = "--" + frontera + kFinDeLinea.toByteArray();
    QByteArray mensaje = cabeceras;
    mensaje += "Content-Type: multipart/mixed; boundary=\"" + frontera + "\"\r\n\r\n";
    mensaje += "Este es un mensaje en varias partes en formato MIME.\r\n";
    if (!texto.isEmpty())
        mensaje += inicio + texto;
    mensaje += inicio;
    mensaje += "Content-Type: " + adjunto.tipo + "; " + parametroNombre("name", adjunto.nombre) + "\r\n";
    mensaje += "Content-Disposition: attachment; " + parametroNombre("filename", adjunto.nombre) + "\r\n";
    mensaje += "Content-Transfer-Encoding: base64\r\n\r\n";
    mensaje += base64EnLineas(adjunto.datos);
    mensaje += "--" + frontera + "--\r\n";
    return mensaje;
}

QByteArray fronteraNueva()
{
    return "=_valdrin_" + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
}

QByteArray tipoDeContenido(const QString &fichero)
{
    const QMimeType tipo = QMimeDatabase().mimeTypeForFile(fichero);
    return tipo.isValid() ? tipo.name().toLatin1() : QByteArrayLiteral("application/octet-stream");
}

}  // namespace office
