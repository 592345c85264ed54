#include "tests/office/receptorsmtp.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// Waits for a whole line in short steps, so that the receiver can stop.
std::optional<QByteArray> leerLinea(QTcpSocket &socket, const std::atomic<bool> &parar)
{
    const QDeadlineTimer limite(30000);
    while (!socket.canReadLine()) {
        if (parar || limite.hasExpired() || socket.state() != QAbstractSocket::ConnectedState)
            return std::nullopt;
        socket.waitForReadyRead(100);
    }
    return socket.readLine();
}

void responder(QTcpSocket &socket, QByteArrayView respuesta)
{
    socket.write(respuesta.toByteArray() + "\r\n");
    socket.waitForBytesWritten(5000);
}

}  // namespace

ReceptorSmtp::ReceptorSmtp()
{
    std::promise<quint16> puerto;
    std::future<quint16> escuchando = puerto.get_future();
    m_hilo = std::thread(&ReceptorSmtp::atender, this, std::move(puerto));
    m_puerto = escuchando.get();
}

ReceptorSmtp::~ReceptorSmtp()
{
    m_parar = true;
    m_hilo.join();
}

std::optional<ReceptorSmtp::Sesion> ReceptorSmtp::sesion(int esperaMs)
{
    if (m_futuro.wait_for(std::chrono::milliseconds(esperaMs)) != std::future_status::ready)
        return std::nullopt;
    return m_futuro.get();
}

void ReceptorSmtp::atender(std::promise<quint16> puerto)
{
    QTcpServer servidor;
    servidor.listen(QHostAddress::LocalHost, 0);
    puerto.set_value(servidor.serverPort());
    while (!m_parar && !servidor.hasPendingConnections())
        servidor.waitForNewConnection(100);
    QTcpSocket *socket = m_parar ? nullptr : servidor.nextPendingConnection();
    if (!socket) {
        m_resultado.set_value(std::nullopt);
        return;
    }
    Sesion sesion;
    responder(*socket, "220 receptor.prueba ESMTP");
    while (const std::optional<QByteArray> linea = leerLinea(*socket, m_parar)) {
        const QByteArray orden = linea->trimmed();
        const QByteArray verbo = orden.left(4).toUpper();
        if (verbo == "EHLO" || verbo == "HELO") {
            responder(*socket, "250 receptor.prueba");
        } else if (verbo == "MAIL") {
            sesion.remitente = orden.mid(orden.indexOf(':') + 1).trimmed();
            responder(*socket, "250 2.1.0 Ok");
        } else if (verbo == "RCPT") {
            sesion.destinatarios.append(orden.mid(orden.indexOf(':') + 1).trimmed());
            responder(*socket, "250 2.1.5 Ok");
        } else if (verbo == "DATA") {
            responder(*socket, "354 End data with <CR><LF>.<CR><LF>");
            while (const std::optional<QByteArray> dato = leerLinea(*socket, m_parar)) {
                if (*dato == ".\r\n")
                    break;
                sesion.datos += dato->startsWith("..") ? dato->mid(1) : *dato;
            }
            responder(*socket, "250 2.0.0 Ok: queued");
        } else if (verbo == "QUIT") {
            responder(*socket, "221 2.0.0 Bye");
            m_resultado.set_value(sesion);
            return;
        } else if (verbo == "RSET" || verbo == "NOOP") {
            responder(*socket, "250 Ok");
        } else {
            responder(*socket, "502 5.5.2 Command not recognized");
        }
    }
    m_resultado.set_value(std::nullopt);
}
