#include "generator/generador.h"

#include "frame/mdiparent.h"
#include "generator/existefichero.h"
#include "generator/salidamarco.h"
#include "merge/generacion.h"
#include "platformui/display.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace generator {

namespace {

constexpr int kIntervalo = 1000;
constexpr qint64 kAntiguedadSegura = 2000;  // ms since the last write

QString usage()
{
    return QStringLiteral("Uso: %1").arg(kLineaEsperada);
}

}  // namespace

Generador::Generador(frame::MDIParent &parent, QObject *owner)
    : QObject(owner),
      m_parent(parent)
{
    m_timer1.setInterval(0);
    connect(&m_timer1, &QTimer::timeout, this, &Generador::Timer1_Timer);
    connect(&m_senales, &SenalesTerminacion::recibida, this, &Generador::interrumpido);
    aviso = [](const QString &text) { platform::reportWithoutDisplay(text); };
    terminar = [this](int codigo) {
        m_parent.terminar();
        QCoreApplication::exit(codigo);
    };
}

Generador::~Generador() = default;

bool Generador::MDIParent_Load(const QString &lineaComandos)
{
    if (!m_parent.MDIParent_Load()) {
        // The dictionary error has been reported; the expected line follows.
        aviso(usage());
        m_estado = Estado::Terminado;
        m_codigo = 1;
        return false;
    }
    QString error;
    if (!parsear_linea_comandos(lineaComandos, &m_v, &error)) {
        fallo(error);
        return false;
    }
    m_anterior = mirar();
    m_estado = Estado::Esperando;
    m_timer1.setInterval(kIntervalo);
    m_timer1.start();
    return true;
}

void Generador::Timer1_Timer()
{
    if (m_estado != Estado::Esperando)
        return;
    const std::optional<Mirada> now = mirar();
    if (!now) {
        m_anterior.reset();
        return;
    }
    if (!estable(*now)) {
        m_anterior = now;
        return;
    }
    m_timer1.stop();
    trabajar();
}

std::optional<Generador::Mirada> Generador::mirar() const
{
    const QString dir = m_parent.programDirectory();
    const QString name = buscar_fichero(dir, m_v.wfichero + QStringLiteral(".txt"));
    if (name.isEmpty())
        return std::nullopt;
    const QFileInfo info(dir + u'/' + name);
    return Mirada{info.size(), info.lastModified().toUTC()};
}

bool Generador::estable(const Mirada &now) const
{
    return (m_anterior && *m_anterior == now) || now.modified.msecsTo(reloj()) > kAntiguedadSegura;
}

void Generador::trabajar()
{
    m_estado = Estado::Trabajando;
    const merge::GenerationResult generated = merge::generar_documento(m_parent, rutaPlantilla());
    if (!generated.ok) {
        fallo(generated.error);
        return;
    }
    if (generated.windows == 0) {
        fallo(QStringLiteral("No hay ningún registro en finalprn.txt: no se ha generado ningún informe"));
        return;
    }
    std::optional<SalidaMarco> own;
    merge::OutputHost &host = salida ? salida() : own.emplace(m_parent);
    const merge::OutputResult saved = merge::guardar_resultado(host, m_v.wfichero, m_v.wformato, m_v.wdestino);
    if (!saved.ok) {
        fallo(saved.error);
        return;
    }
    m_salida = saved.path;
    acabar(0);
}

// plant/<wplantilla>.rtf, the file name resolved ignoring letter case as
// every name the claim application writes; as written when none matches,
// so the failure names the file looked for.
QString Generador::rutaPlantilla() const
{
    const QString plant = m_parent.programDirectory() + QStringLiteral("/plant");
    const QString wanted = m_v.wplantilla + QStringLiteral(".rtf");
    const QString found = buscar_fichero(plant, wanted);
    return plant + u'/' + (found.isEmpty() ? wanted : found);
}

void Generador::fallo(const QString &text)
{
    m_timer1.stop();
    m_parent.services().mensajes->show(text + QStringLiteral("\n\r") + usage(),
                                       platform::OkOnly + platform::Critical, QStringLiteral("moltrex"));
    acabar(1);
}

void Generador::acabar(int codigo)
{
    m_estado = Estado::Terminado;
    m_codigo = codigo;
    terminar(codigo);
}

void Generador::interrumpido(int signal)
{
    if (m_estado != Estado::Esperando)
        return;
    m_timer1.stop();
    aviso(QStringLiteral("moltrex interrumpido (señal %1) mientras esperaba %2.txt: no se ha escrito nada")
              .arg(signal)
              .arg(m_v.wfichero));
    acabar(1);
}

}  // namespace generator
