#include "generator/lineacomandos.h"

namespace generator {

namespace {

// Removing more characters than the text holds is the invalid argument.
bool quitar(QString *texto, int cuantos)
{
    if (texto->size() < cuantos)
        return false;
    texto->remove(0, cuantos);
    return true;
}

// Appends characters to `destino` up to the next ":" (which is consumed).
bool hastaDosPuntos(VariablesGenerador *v, QString *destino)
{
    for (;;) {
        v->wcar = v->wparametro.left(1);
        if (!quitar(&v->wparametro, 1))
            return false;
        if (v->wcar == u":")
            return true;
        destino->append(v->wcar);
    }
}

}  // namespace

bool parsear_linea_comandos(const QString &linea, VariablesGenerador *v, QString *error)
{
    *v = {};
    v->wparametro = linea.trimmed();
    bool ok = hastaDosPuntos(v, &v->wplantilla) && hastaDosPuntos(v, &v->wfichero);
    if (ok) {
        v->wformato = v->wparametro.left(1);
        ok = quitar(&v->wparametro, 2);
    }
    if (!ok) {
        *error = QStringLiteral("Argumento no válido en la línea de comandos: \"%1\"").arg(linea);
        return false;
    }
    v->wdestino = v->wparametro.left(1);
    return true;
}

}  // namespace generator
