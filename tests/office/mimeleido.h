#pragma once

// Reading back, in tests, the MIME messages the mail layer writes: header
// values unfolded with their UTF-8 encoded words decoded, and the parts of
// a multipart message with their base64 bodies decoded.

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>

namespace mimeleido {

inline QByteArray cabeceras(const QByteArray &parte)
{
    const qsizetype fin = parte.indexOf("\r\n\r\n");
    return fin < 0 ? parte : parte.left(fin + 2);
}

// The value of header `nombre`, unfolded and decoded; empty when absent.
inline QString cabecera(const QByteArray &parte, const QByteArray &nombre)
{
    QByteArray zona = cabeceras(parte);
    zona.replace("\r\n ", " ");
    for (const QByteArray &linea : zona.split('\n')) {
        if (!linea.toLower().startsWith(nombre.toLower() + ':'))
            continue;
        QString valor = QString::fromLatin1(linea.mid(nombre.size() + 1).trimmed());
        static const QRegularExpression palabra(QStringLiteral("=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]*)\\?=\\s*"));
        QString decodificado;
        qsizetype desde = 0;
        for (auto it = palabra.globalMatch(valor); it.hasNext();) {
            const auto m = it.next();
            decodificado += valor.mid(desde, m.capturedStart() - desde);
            decodificado += QString::fromUtf8(QByteArray::fromBase64(m.captured(1).toLatin1()));
            desde = m.capturedEnd();
        }
        return decodificado + valor.mid(desde);
    }
    return {};
}

// The decoded body of a part.
inline QByteArray cuerpo(const QByteArray &parte)
{
    const qsizetype fin = parte.indexOf("\r\n\r\n");
    const QByteArray crudo = fin < 0 ? QByteArray() : parte.mid(fin + 4);
    return cabecera(parte, "Content-Transfer-Encoding") == u"base64" ? QByteArray::fromBase64(crudo) : crudo;
}

// The parts of a multipart message (the message itself when it has none).
inline QList<QByteArray> partes(const QByteArray &mensaje)
{
    static const QRegularExpression conFrontera(QStringLiteral("boundary=\"([^\"]+)\""));
    const auto m = conFrontera.match(cabecera(mensaje, "Content-Type"));
    if (!m.hasMatch())
        return {mensaje};
    const QByteArray separador = "--" + m.captured(1).toLatin1();
    QList<QByteArray> trozos;
    qsizetype desde = mensaje.indexOf(separador + "\r\n");
    while (desde >= 0) {
        const qsizetype inicio = desde + separador.size() + 2;
        qsizetype siguiente = mensaje.indexOf("\r\n" + separador, inicio);
        if (siguiente < 0)
            break;
        trozos.append(mensaje.mid(inicio, siguiente + 2 - inicio));
        desde = mensaje.indexOf(separador + "\r\n", siguiente + 2);
    }
    return trozos;
}

}  // namespace mimeleido
