#pragma once

// The system's mail transport, reached through the standard sendmail
// interface: the program is started with an argument list (never through a
// shell), the whole MIME message is written to its standard input, and
// exit status 0 means the message left or was queued. The recipients come
// from the message's own headers ("-t"); a line with a single dot is text
// ("-oi").
//
//   TransporteCorreo transporte(AjustesCorreo{});   // sendmail on PATH
//   connect(&transporte, &TransporteCorreo::terminado, ...);
//   if (QString causa; !transporte.localizar(&causa)) ...;   // no mail transport
//   transporte.enviar(mensaje);
//
// The wait is bounded: a transport that has not ended after the timeout is
// killed and the send fails with a cause saying so. Every send ends with
// exactly one terminado().

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace office {

struct AjustesCorreo {
    // A program name looked up on PATH, or a path to the program.
    QString programa = QStringLiteral("sendmail");
    QStringList argumentos = {QStringLiteral("-t"), QStringLiteral("-oi")};
    int esperaMaximaMs = 60000;
};

class TransporteCorreo final : public QObject {
    Q_OBJECT
public:
    // How a send ended. NoArranca: the program could not be started at all.
    enum class Resultado { Enviado, NoArranca, Fallo };

    explicit TransporteCorreo(AjustesCorreo ajustes, QObject *parent = nullptr);
    ~TransporteCorreo() override;
    Q_DISABLE_COPY_MOVE(TransporteCorreo)

    // Finds the program: false with `causa` in Spanish when there is none.
    bool localizar(QString *causa);
    // Starts the program located before and writes `mensaje` to it.
    void enviar(const QByteArray &mensaje);
    bool enCurso() const { return m_proceso.state() != QProcess::NotRunning; }

    // The end of the wait (the timer's tick; tests call it directly).
    void tiempoAgotado();
    QTimer &temporizador() { return m_espera; }

signals:
    void terminado(office::TransporteCorreo::Resultado resultado, const QString &causa);

private:
    void finalizado(int codigo, QProcess::ExitStatus estado);
    void errorDelProceso(QProcess::ProcessError error);
    void acabar(Resultado resultado, const QString &causa);
    QString loQueDijo();

    AjustesCorreo m_ajustes;
    QString m_ruta;
    QProcess m_proceso;
    QTimer m_espera;
    bool m_acabado = true;
};

}  // namespace office
