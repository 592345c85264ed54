#pragma once

// The unattended generator's control flow over the main window: the load
// handler (dictionary, first document window, command line), the one-second
// data wait of the form `modulo` (its Timer1), and the work, run exactly
// once: merge the template with the claim data, save and hand the report
// on, end at once.
//
// The claim-management application may still be writing the arrival file
// when a tick first sees it, so a tick acts only on a file whose size and
// modification time are those of the previous look (the load handler takes
// the first one), or that was last modified more than two seconds ago.
//
//   generator::Generator generator(parent);
//   if (!generator.MDIParent_Load(linea)) return generator.exitCode();
//   app.exec();
//   return generator.exitCode();
//
// Every failure is reported through the main window's message boxes with
// the expected command line and ends with status 1; SIGTERM or SIGINT
// while waiting ends with status 1 and nothing written; success is 0.

#include "generator/commandline.h"
#include "generator/terminationsignals.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace merge {
class OutputHost;
}

namespace frame {
class MDIParent;
}

namespace generator {

// What a test replaces in the generator; a seam left empty gets the real one.
struct GeneratorSeams {
    // The clock the arrival file's age is measured by.
    std::function<QDateTime()> clock = {};
    // The output step's host (the main window's by default).
    std::function<merge::OutputHost &()> output = {};
    // Writes a notice that has no message box (an interruption).
    std::function<void(const QString &)> notice = {};
    // Ends the program with a status.
    std::function<void(int)> end = {};
};

class Generator final : public QObject {
    Q_OBJECT
public:
    enum class State { Starting, Waiting, Working, Ended };

    using Seams = GeneratorSeams;

    explicit Generator(frame::MDIParent &parent, Seams seams = {}, QObject *owner = nullptr);
    ~Generator() override;
    Q_DISABLE_COPY_MOVE(Generator)

    // The load handler of the generator's main window. False after the
    // failure has been reported (status 1).
    bool MDIParent_Load(const QString &lineaComandos);
    // A tick of the data wait.
    void Timer1_Timer();

    QTimer &Timer1() { return m_timer1; }
    const GeneratorArguments &arguments() const { return m_args; }
    State state() const { return m_state; }
    // 0 after a successful run, 1 after a failure or an interruption; 1 too
    // while the run has not ended (the window was closed while waiting).
    int exitCode() const { return m_state == State::Ended ? m_exitCode : 1; }
    // The file written, when the run saved one.
    QString outputPath() const { return m_outputPath; }

private:
    // What a look at the arrival file saw.
    struct Look {
        qint64 size = -1;
        QDateTime modified;
        friend bool operator==(const Look &, const Look &) = default;
    };

    std::optional<Look> look() const;
    bool settled(const Look &now) const;
    void work();
    QString templatePath() const;
    void fail(const QString &text);
    void finish(int exitCode);
    void interrupted(int signal);

    frame::MDIParent &m_parent;
    Seams m_seams;
    QString m_lineaComandos;
    GeneratorArguments m_args;
    QTimer m_timer1;
    TerminationSignals m_signals;
    std::optional<Look> m_previous;
    State m_state = State::Starting;
    int m_exitCode = 1;
    QString m_outputPath;
};

}  // namespace generator
