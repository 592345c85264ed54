#pragma once

// SIGTERM and SIGINT turned into a Qt signal on the user-interface thread:
// the handler only writes the signal number to a pipe, and a socket
// notifier reads it in the event loop. One watcher at a time; the previous
// handlers come back when it is destroyed.

#include <QObject>

#include <csignal>

class QSocketNotifier;

namespace generator {

class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;
    Q_DISABLE_COPY_MOVE(TerminationSignals)

    bool active() const { return m_notifier != nullptr; }

signals:
    void received(int signal);

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_oldTerm {};
    struct sigaction m_oldInt {};
};

}  // namespace generator
