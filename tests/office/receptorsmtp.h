#pragma once

// A small SMTP receiver on 127.0.0.1 for tests: it takes one session on
// its own thread (the sender under test is a separate blocking program),
// answers just enough SMTP for a client to hand over one message, and
// keeps what arrived.

#include <QByteArray>
#include <QList>

#include <atomic>
#include <future>
#include <optional>
#include <thread>

class ReceptorSmtp {
public:
    struct Sesion {
        QByteArray remitente;  // MAIL FROM
        QList<QByteArray> destinatarios;  // RCPT TO
        QByteArray datos;  // the message, dot-stuffing undone
    };

    ReceptorSmtp();
    ~ReceptorSmtp();
    quint16 puerto() const { return m_puerto; }
    // The session once its QUIT arrived (nullopt when none came in time).
    std::optional<Sesion> sesion(int esperaMs);

private:
    void atender(std::promise<quint16> puerto);

    std::atomic<bool> m_parar = false;
    std::promise<std::optional<Sesion>> m_resultado;
    std::future<std::optional<Sesion>> m_futuro = m_resultado.get_future();
    quint16 m_puerto = 0;
    std::thread m_hilo;
};
