#pragma once

// The e-mail message handed to the mail transport, in MIME: the recipients
// in To and Cc (the transport reads them from there), the subject in UTF-8
// encoded words, the text as a UTF-8 part and the attached file as a base64
// part with its file name and content type. Empty parts are left out: no
// Cc, Subject or text part when there is none.
//
//   Correo correo{.para = {u"ana@oficina.es"_s}, .asunto = u"Peritación"_s};
//   correo.adjunto = Adjunto{u"00123.rtf"_s, tipoDeContenido(u"00123.rtf"_s), datos};
//   QByteArray mensaje = componerMime(correo, QDateTime::currentDateTime(), fronteraNueva());

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace office {

struct Adjunto {
    QString nombre;  // the file name shown to the receiver, no directory
    QByteArray tipo;  // "application/rtf"
    QByteArray datos;
};

struct Correo {
    QStringList para;
    QStringList copia;
    QString asunto;
    QString cuerpo;
    std::optional<Adjunto> adjunto;
};

// The message, lines ended by CR LF. `frontera` separates the parts; it
// must not occur in any of them (fronteraNueva() never does: its "_" is not
// a base64 character).
QByteArray componerMime(const Correo &correo, const QDateTime &fecha, const QByteArray &frontera);
QByteArray fronteraNueva();

// The content type for a file, from its name and contents.
QByteArray tipoDeContenido(const QString &fichero);

// `texto` as a header value: unchanged when it is short printable ASCII,
// else as UTF-8 encoded words on folded lines.
QByteArray valorDeCabecera(const QString &texto);

}  // namespace office
