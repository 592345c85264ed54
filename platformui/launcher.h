#pragma once

// Starting other programs: opening a file with the desktop's associated
// application, and starting a program detached. Both take an argument
// list and never go through a shell, so blanks and quotes in paths are
// harmless. ProcessLauncher starts real processes (the opener is
// "xdg-open"); RecordingLauncher keeps the calls.

#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // False with errorString() set when the program could not be started.
    virtual bool openWithAssociatedApplication(const QString &path) = 0;
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
    QString errorString() const { return m_error; }

protected:
    QString m_error;
};

class ProcessLauncher final : public Launcher {
public:
    bool openWithAssociatedApplication(const QString &path) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;
};

class RecordingLauncher final : public Launcher {
public:
    struct Call {
        QString program;
        QStringList arguments;
        friend bool operator==(const Call &, const Call &) = default;
    };
    bool openWithAssociatedApplication(const QString &path) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;
    const QList<Call> &calls() const { return m_calls; }

private:
    QList<Call> m_calls;
};

inline constexpr QStringView kOpener = u"xdg-open";

}  // namespace platform
