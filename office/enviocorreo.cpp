#include "office/enviocorreo.h"

#include "office/direcciones.h"
#include "office/transportecorreo.h"

#include <QFile>
#include <QFileInfo>

namespace office {

namespace {

const QString kSinCliente = QStringLiteral("Esta aplicacion solo puede funcionar con Microsoft Outlook 8.0 o superior.");

// Stage D: the file named in the form, read whole.
std::optional<Adjunto> leerAdjunto(const QString &ruta, QString *causa)
{
    const QFileInfo info(ruta);
    if (!info.exists()) {
        *causa = QStringLiteral("El fichero no existe.");
        return std::nullopt;
    }
    if (info.isDir()) {
        *causa = QStringLiteral("Es una carpeta, no un fichero.");
        return std::nullopt;
    }
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly)) {
        *causa = QStringLiteral("No se puede leer el fichero: %1.").arg(fichero.errorString());
        return std::nullopt;
    }
    return Adjunto{info.fileName(), tipoDeContenido(ruta), fichero.readAll()};
}

}  // namespace

QString FalloCorreo::texto() const
{
    // Line breaks in messages are written LF CR; the message box shows one.
    return causa.isEmpty() ? mensaje : mensaje + QStringLiteral("\n\r") + causa;
}

QString mensajeDeEtapa(Etapa etapa, Variante variante, const CamposCorreo &campos)
{
    if (etapa == Etapa::Destinatario)
        return QStringLiteral("Debe existir un destinatario");
    if (variante == Variante::Generador)
        return kSinCliente;
    switch (etapa) {
    case Etapa::A:
        return kSinCliente;
    case Etapa::B:
        return QStringLiteral("La dirección de destino es incorrecta");
    case Etapa::C:
        return QStringLiteral("La(s) dirección(es) de las copias es incorrecta");
    case Etapa::D:
        return QStringLiteral("No se puede encontrar el archivo a adjuntar ") + campos.fichero;
    case Etapa::E:
    case Etapa::Destinatario:
        break;
    }
    return QStringLiteral("Debe tener abierto MSOutlook");
}

FalloCorreo falloEn(Etapa etapa, Variante variante, const CamposCorreo &campos, const QString &causa)
{
    return {etapa, mensajeDeEtapa(etapa, variante, campos), causa};
}

std::variant<QByteArray, FalloCorreo> prepararCorreo(const CamposCorreo &campos, Variante variante,
                                                     TransporteCorreo &transporte)
{
    const auto fallo = [&](Etapa etapa, const QString &causa) { return falloEn(etapa, variante, campos, causa); };
    QString causa;
    if (!transporte.localizar(&causa))
        return fallo(Etapa::A, causa);
    if (campos.destinatario.trimmed().isEmpty())
        return fallo(Etapa::Destinatario, {});

    Correo correo;
    const std::optional<QStringList> para = leerDirecciones(campos.destinatario, &causa);
    if (!para)
        return fallo(Etapa::B, QStringLiteral("Dirección no válida ") + causa);
    if (para->isEmpty())
        return fallo(Etapa::B, QStringLiteral("El destinatario no contiene ninguna dirección."));
    correo.para = *para;

    if (!campos.copia.trimmed().isEmpty()) {
        const std::optional<QStringList> copia = leerDirecciones(campos.copia, &causa);
        if (!copia)
            return fallo(Etapa::C, QStringLiteral("Dirección no válida ") + causa);
        correo.copia = *copia;
    }
    if (!campos.asunto.trimmed().isEmpty())
        correo.asunto = campos.asunto;
    if (!campos.mensaje.trimmed().isEmpty())
        correo.cuerpo = campos.mensaje;

    const bool sinFichero = variante == Variante::Editor && campos.fichero.left(3) == u"Sin";
    if (!campos.fichero.trimmed().isEmpty() && !sinFichero) {
        correo.adjunto = leerAdjunto(campos.fichero, &causa);
        if (!correo.adjunto)
            return fallo(Etapa::D, causa);
    }
    return componerMime(correo, QDateTime::currentDateTime(), fronteraNueva());
}

}  // namespace office
