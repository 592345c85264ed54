#include "generator/commandline.h"

#include "merge/salida.h"

namespace generator {

namespace {

// The line is taken one character at a time from the front of what is not
// yet parsed, as the generator's own parse does.
class Parse {
public:
    explicit Parse(const QString &linea) : m_wparametro(linea.trimmed()) {}

    // Appends characters to `to` up to the next ":" (which is consumed);
    // false when the line ends first.
    bool upToColon(QString *to)
    {
        for (;;) {
            const QString wcar = m_wparametro.left(1);
            if (!remove(1))
                return false;
            if (wcar == u":")
                return true;
            to->append(wcar);
        }
    }

    QString first() const { return m_wparametro.left(1); }

    // Removing more characters than the text holds is the invalid argument.
    bool remove(int count)
    {
        if (m_wparametro.size() < count)
            return false;
        m_wparametro.remove(0, count);
        return true;
    }

private:
    QString m_wparametro;  // what is not yet parsed
};

// A template is named, without folder: plant/<name>.rtf.
bool isBareName(const QString &name)
{
    return !name.trimmed().isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && !name.startsWith(u'.');
}

}  // namespace

QString usage()
{
    return QStringLiteral("Uso: %1\n"
                          "  plantilla  la plantilla plant/<plantilla>.rtf, sin extensión\n"
                          "  fichero    los datos del expediente, <fichero>.txt en el directorio del programa,\n"
                          "             que se esperan; el informe se guarda como fotos/<fichero>.<extensión>\n"
                          "  formato    1 Word (.doc), 2 RTF (.rtf), 3 texto (.txt); otro número no guarda nada\n"
                          "  destino    W lo abre con su aplicación, E lo abre en quorvel para editarlo,\n"
                          "             I lo imprime; vacío u otro, nada\n"
                          "Ejemplo: moltrex inf01:00123:2:E")
        .arg(kExpectedCommandLine);
}

bool parseCommandLine(const QString &linea, GeneratorArguments *args, QString *error)
{
    *args = {};
    Parse parse(linea);
    bool ok = parse.upToColon(&args->wplantilla) && parse.upToColon(&args->wfichero);
    if (ok) {
        args->wformato = parse.first();
        ok = parse.remove(2);
    }
    if (!ok) {
        *error = QStringLiteral("Argumento no válido en la línea de comandos: \"%1\"").arg(linea);
        return false;
    }
    args->wdestino = parse.first();
    return true;
}

QString judgeArguments(const GeneratorArguments &args)
{
    QString error = merge::argumentError(args.wfichero, args.wformato);
    // No arrival file could be named ".txt" by the claim application.
    if (error.isEmpty() && args.wfichero.trimmed().isEmpty())
        error = QStringLiteral("Nombre de fichero no válido: \"%1\"").arg(args.wfichero);
    if (error.isEmpty() && !isBareName(args.wplantilla))
        error = QStringLiteral("Nombre de plantilla no válido: \"%1\"").arg(args.wplantilla);
    return error;
}

}  // namespace generator
