#include "office/direcciones.h"

#include <QRegularExpression>

namespace office {

namespace {

// The characters a local part may hold without quoting, dots between them.
bool esAtomo(QChar c)
{
    return (c.unicode() < 128 && c.isLetterOrNumber()) || QStringView(u"!#$%&'*+-/=?^_`{|}~").contains(c);
}

QString problema(const QString &direccion)
{
    const qsizetype arroba = direccion.indexOf(u'@');
    if (arroba < 0)
        return QStringLiteral("falta la arroba (@)");
    if (direccion.indexOf(u'@', arroba + 1) >= 0)
        return QStringLiteral("tiene más de una arroba (@)");
    const QString local = direccion.left(arroba);
    const QString dominio = direccion.mid(arroba + 1);
    if (local.isEmpty())
        return QStringLiteral("no hay nada antes de la arroba (@)");
    if (local.size() > 64)
        return QStringLiteral("la parte anterior a la arroba (@) tiene más de 64 caracteres");
    if (local.startsWith(u'.') || local.endsWith(u'.') || local.contains(QStringLiteral("..")))
        return QStringLiteral("tiene un punto mal colocado antes de la arroba (@)");
    for (QChar c : local) {
        if (c != u'.' && !esAtomo(c))
            return QStringLiteral("contiene el carácter no válido «%1»").arg(c.isPrint() ? QString(c) : QStringLiteral("?"));
    }
    if (dominio.isEmpty())
        return QStringLiteral("no hay dominio después de la arroba (@)");
    static const QRegularExpression etiqueta(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    const QStringList etiquetas = dominio.split(u'.');
    if (dominio.size() > 253 || etiquetas.size() < 2)
        return QStringLiteral("el dominio «%1» no es válido").arg(dominio);
    for (const QString &parte : etiquetas) {
        if (!etiqueta.match(parte).hasMatch())
            return QStringLiteral("el dominio «%1» no es válido").arg(dominio);
    }
    return {};
}

}  // namespace

std::optional<QStringList> leerDirecciones(const QString &texto, QString *motivo)
{
    QStringList lista;
    static const QRegularExpression separador(QStringLiteral("[;,]"));
    const QStringList partes = texto.split(separador);
    for (const QString &parte : partes) {
        const QString direccion = parte.trimmed();
        // A doubled or trailing separator leaves nothing to send to.
        if (direccion.isEmpty())
            continue;
        const QString fallo = problema(direccion);
        if (!fallo.isEmpty()) {
            if (motivo)
                *motivo = QStringLiteral("«%1»: %2.").arg(direccion, fallo);
            return std::nullopt;
        }
        lista.append(direccion);
    }
    return lista;
}

}  // namespace office
