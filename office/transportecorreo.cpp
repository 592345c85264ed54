#include "office/transportecorreo.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace office {

namespace {

// At most this much of what the transport wrote is quoted back to the user.
constexpr qsizetype kMaximoCitado = 400;

}  // namespace

TransporteCorreo::TransporteCorreo(AjustesCorreo ajustes, QObject *parent)
    : QObject(parent),
      m_ajustes(std::move(ajustes))
{
    m_espera.setSingleShot(true);
    connect(&m_espera, &QTimer::timeout, this, &TransporteCorreo::tiempoAgotado);
    connect(&m_proceso, &QProcess::finished, this, &TransporteCorreo::finalizado);
    connect(&m_proceso, &QProcess::errorOccurred, this, &TransporteCorreo::errorDelProceso);
}

TransporteCorreo::~TransporteCorreo()
{
    // The program is ending during a send: the message the user sent is
    // given the rest of its time to leave, and only then cut off.
    m_acabado = true;
    if (m_proceso.state() != QProcess::NotRunning) {
        const int resto = m_espera.isActive() ? m_espera.remainingTime() : 0;
        if (!m_proceso.waitForFinished(resto)) {
            m_proceso.kill();
            m_proceso.waitForFinished(1000);
        }
    }
}

bool TransporteCorreo::localizar(QString *causa)
{
    const QString &programa = m_ajustes.programa;
    if (programa.contains(u'/')) {
        const QFileInfo fichero(programa);
        m_ruta = fichero.isFile() && fichero.isExecutable() ? fichero.absoluteFilePath() : QString();
    } else {
        m_ruta = programa.isEmpty() ? QString() : QStandardPaths::findExecutable(programa);
    }
    if (m_ruta.isEmpty() && causa) {
        *causa = QStringLiteral("No se encuentra el programa «%1», que entrega el correo del sistema: "
                                "instale un agente de correo que lo proporcione (por ejemplo msmtp-mta o postfix).")
                     .arg(programa);
    }
    return !m_ruta.isEmpty();
}

void TransporteCorreo::enviar(const QByteArray &mensaje)
{
    m_acabado = false;
    m_proceso.setProgram(m_ruta);
    m_proceso.setArguments(m_ajustes.argumentos);
    m_espera.start(m_ajustes.esperaMaximaMs);
    m_proceso.start(QIODevice::ReadWrite);
    if (m_acabado)
        return;  // it could not be started, and said so
    // Written before the program runs, the message waits in the pipe; the
    // end of input tells the transport the message is complete.
    m_proceso.write(mensaje);
    m_proceso.closeWriteChannel();
}

void TransporteCorreo::tiempoAgotado()
{
    if (m_acabado)
        return;
    acabar(Resultado::Fallo, QStringLiteral("El programa de correo «%1» no ha terminado en %2 segundos y se ha detenido; "
                                            "el mensaje no se ha enviado.")
                                 .arg(m_ruta)
                                 .arg(m_ajustes.esperaMaximaMs / 1000.0));
    m_proceso.kill();
}

void TransporteCorreo::finalizado(int codigo, QProcess::ExitStatus estado)
{
    if (m_acabado)
        return;
    if (estado == QProcess::NormalExit && codigo == 0) {
        acabar(Resultado::Enviado, {});
        return;
    }
    QString causa = estado == QProcess::CrashExit
                        ? QStringLiteral("El programa de correo «%1» se ha interrumpido.").arg(m_ruta)
                        : QStringLiteral("El programa de correo «%1» ha terminado con el código %2.").arg(m_ruta).arg(codigo);
    const QString dijo = loQueDijo();
    if (!dijo.isEmpty())
        causa += QStringLiteral(" Respuesta: ") + dijo;
    acabar(Resultado::Fallo, causa);
}

void TransporteCorreo::errorDelProceso(QProcess::ProcessError error)
{
    if (m_acabado || error != QProcess::FailedToStart)
        return;
    acabar(Resultado::NoArranca, QStringLiteral("No se puede iniciar el programa de correo «%1»: %2.")
                                     .arg(m_ruta, m_proceso.errorString()));
}

void TransporteCorreo::acabar(Resultado resultado, const QString &causa)
{
    m_acabado = true;
    m_espera.stop();
    emit terminado(resultado, causa);
}

// The transport's own words (its error output, else its output), on one
// line and cut short.
QString TransporteCorreo::loQueDijo()
{
    QByteArray salida = m_proceso.readAllStandardError().trimmed();
    if (salida.isEmpty())
        salida = m_proceso.readAllStandardOutput().trimmed();
    QString texto = QString::fromLocal8Bit(salida).simplified();
    if (texto.size() > kMaximoCitado)
        texto = texto.left(kMaximoCitado) + QStringLiteral("…");
    return texto;
}

}  // namespace office
