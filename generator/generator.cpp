#include "generator/generator.h"

#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"
#include "generator/existefichero.h"
#include "generator/frameoutput.h"
#include "merge/generacion.h"
#include "merge/salida.h"
#include "office/enviocorreo.h"
#include "platformui/display.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace generator {

namespace {

constexpr int kInterval = 1000;
constexpr qint64 kSafeAge = 2000;  // ms since the last write

}  // namespace

Generator::Generator(frame::MDIParent &parent, Seams seams, QObject *owner)
    : QObject(owner),
      m_parent(parent),
      m_seams(std::move(seams))
{
    if (!m_seams.clock)
        m_seams.clock = [] { return QDateTime::currentDateTimeUtc(); };
    if (!m_seams.notice)
        m_seams.notice = [](const QString &text) { platform::reportWithoutDisplay(text); };
    if (!m_seams.end) {
        m_seams.end = [this](int exitCode) {
            m_parent.endProgram();
            QCoreApplication::exit(exitCode);
        };
    }
    // The generator's e-mail item: the form at once, no holder check and no
    // save; its file box holds the command line, or with none the
    // current window's caption.
    m_parent.editor().setEmailCommand([this] {
        frame::MDIchild *active = m_parent.editor().activeWindow();
        const QString fichero = !m_lineaComandos.isEmpty() ? m_lineaComandos
                                : active                   ? active->caption()
                                                           : QString();
        m_parent.editor().mostrarFrmemail(office::Variante::Generador, fichero);
    });
    m_timer1.setInterval(0);
    connect(&m_timer1, &QTimer::timeout, this, &Generator::Timer1_Timer);
    connect(&m_signals, &TerminationSignals::received, this, &Generator::interrupted);
}

Generator::~Generator() = default;

bool Generator::MDIParent_Load(const QString &lineaComandos)
{
    m_lineaComandos = lineaComandos;
    if (!m_parent.MDIParent_Load()) {
        // The dictionary error has been reported; the expected line follows.
        m_seams.notice(usage());
        m_state = State::Ended;
        m_exitCode = 1;
        return false;
    }
    QString error;
    if (!parseCommandLine(lineaComandos, &m_args, &error)) {
        fail(error);
        return false;
    }
    // What can be judged now fails now: no arrival file could change it.
    error = judgeArguments(m_args);
    if (!error.isEmpty()) {
        fail(error);
        return false;
    }
    m_previous = look();
    m_state = State::Waiting;
    m_timer1.setInterval(kInterval);
    m_timer1.start();
    return true;
}

void Generator::Timer1_Timer()
{
    if (m_state != State::Waiting)
        return;
    const std::optional<Look> now = look();
    if (!now) {
        m_previous.reset();
        return;
    }
    if (!settled(*now)) {
        m_previous = now;
        return;
    }
    m_timer1.stop();
    work();
}

std::optional<Generator::Look> Generator::look() const
{
    const QString dir = m_parent.programDirectory();
    const QString name = findListedFile(dir, m_args.wfichero + QStringLiteral(".txt"));
    if (name.isEmpty())
        return std::nullopt;
    const QFileInfo info(dir + u'/' + name);
    return Look{info.size(), info.lastModified().toUTC()};
}

bool Generator::settled(const Look &now) const
{
    return (m_previous && *m_previous == now) || now.modified.msecsTo(m_seams.clock()) > kSafeAge;
}

void Generator::work()
{
    m_state = State::Working;
    const merge::GenerationResult generated = merge::generar_documento(m_parent, templatePath());
    if (!generated.ok) {
        fail(generated.error);
        return;
    }
    if (generated.windows == 0) {
        fail(QStringLiteral("No hay ningún registro en finalprn.txt: no se ha generado ningún informe"));
        return;
    }
    std::optional<FrameOutput> own;
    merge::OutputHost &host = m_seams.output ? m_seams.output() : own.emplace(m_parent);
    const merge::OutputResult saved = merge::guardar_resultado(host, m_args.wfichero, m_args.wformato, m_args.wdestino);
    if (!saved.ok) {
        fail(saved.error);
        return;
    }
    m_outputPath = saved.path;
    finish(0);
}

// plant/<wplantilla>.rtf, the file name resolved ignoring letter case as
// every name the claim application writes; as written when none matches,
// so the failure names the file looked for.
QString Generator::templatePath() const
{
    const QString plant = m_parent.programDirectory() + QStringLiteral("/plant");
    const QString wanted = m_args.wplantilla + QStringLiteral(".rtf");
    const QString found = findListedFile(plant, wanted);
    return plant + u'/' + (found.isEmpty() ? wanted : found);
}

void Generator::fail(const QString &text)
{
    m_timer1.stop();
    m_parent.services().mensajes->show(text + QStringLiteral("\n\r") + usage(),
                                       platform::OkOnly + platform::Critical, QStringLiteral("moltrex"));
    finish(1);
}

void Generator::finish(int exitCode)
{
    m_state = State::Ended;
    m_exitCode = exitCode;
    m_seams.end(exitCode);
}

void Generator::interrupted(int signal)
{
    if (m_state != State::Waiting)
        return;
    m_timer1.stop();
    m_seams.notice(QStringLiteral("moltrex interrumpido (señal %1) mientras esperaba %2.txt: no se ha escrito nada")
                       .arg(signal)
                       .arg(m_args.wfichero));
    finish(1);
}

}  // namespace generator
