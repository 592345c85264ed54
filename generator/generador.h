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
//   generator::Generador generador(parent);
//   if (!generador.MDIParent_Load(linea)) return generador.codigoSalida();
//   app.exec();
//   return generador.codigoSalida();
//
// Every failure is reported through the main window's message boxes with
// the expected command line and ends with status 1; SIGTERM or SIGINT
// while waiting ends with status 1 and nothing written; success is 0.

#include "generator/lineacomandos.h"
#include "generator/senales.h"

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

class Generador final : public QObject {
    Q_OBJECT
public:
    enum class Estado { Iniciando, Esperando, Trabajando, Terminado };

    explicit Generador(frame::MDIParent &parent, QObject *owner = nullptr);
    ~Generador() override;
    Q_DISABLE_COPY_MOVE(Generador)

    // The load handler of the generator's main window. False after the
    // failure has been reported (status 1).
    bool MDIParent_Load(const QString &lineaComandos);
    // A tick of the data wait.
    void Timer1_Timer();

    QTimer &Timer1() { return m_timer1; }
    const VariablesGenerador &variables() const { return m_v; }
    Estado estado() const { return m_estado; }
    // 0 after a successful run, 1 after a failure or an interruption; 1 too
    // while the run has not ended (the window was closed while waiting).
    int codigoSalida() const { return m_estado == Estado::Terminado ? m_codigo : 1; }
    // The file written, when the run saved one.
    QString ficheroSalida() const { return m_salida; }

    // Seams for tests: the clock the arrival file's age is measured by, the
    // output host (the main window's by default), what writes an
    // interruption notice, and how the program ends.
    std::function<QDateTime()> reloj = [] { return QDateTime::currentDateTimeUtc(); };
    std::function<merge::OutputHost &()> salida;
    std::function<void(const QString &)> aviso;
    std::function<void(int)> terminar;

private:
    struct Mirada {
        qint64 size = -1;
        QDateTime modified;
        friend bool operator==(const Mirada &, const Mirada &) = default;
    };

    std::optional<Mirada> mirar() const;
    bool estable(const Mirada &now) const;
    void trabajar();
    QString rutaPlantilla() const;
    void fallo(const QString &text);
    void acabar(int codigo);
    void interrumpido(int signal);

    frame::MDIParent &m_parent;
    VariablesGenerador m_v;
    QTimer m_timer1;
    SenalesTerminacion m_senales;
    std::optional<Mirada> m_anterior;
    Estado m_estado = Estado::Iniciando;
    int m_codigo = 1;
    QString m_salida;
};

}  // namespace generator
