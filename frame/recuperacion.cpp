#include "frame/recuperacion.h"

#include "frame/editor.h"
#include "frame/mdichild.h"
#include "platformui/messageboxes.h"
#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <signal.h>

namespace frame {

namespace {

constexpr qint64 kIdleMs = 2000;
constexpr qint64 kMinuteMs = 60000;

bool running(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

struct Recovered {
    QString id;
    QString caption;
    QDateTime written;
};

QList<Recovered> leftBehind(const QString &folder)
{
    QList<Recovered> found;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Time | QDir::Reversed)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject about = QJsonDocument::fromJson(file.readAll()).object();
        const qint64 pid = about.value(u"pid").toInteger();
        if (pid == QCoreApplication::applicationPid() || running(pid))
            continue;
        found.append({name.chopped(5), about.value(u"caption").toString(),
                      QDateTime::fromString(about.value(u"written").toString(), Qt::ISODate).toLocalTime()});
    }
    return found;
}

}  // namespace

Recuperacion::Recuperacion(Editor &editor, const QString &folder, Clock clock, QObject *parent)
    : QObject(parent),
      m_editor(editor),
      m_folder(folder),
      m_clock(clock ? std::move(clock) : [] { return QDateTime::currentDateTimeUtc(); })
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &Recuperacion::tick);
}

Recuperacion::~Recuperacion()
{
    // A clean end: nothing is left to recover.
    for (const Entry &entry : std::as_const(m_entries))
        remove(entry.id);
}

QString Recuperacion::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/quorvel/recuperacion");
}

int Recuperacion::ofrecer()
{
    const QList<Recovered> found = leftBehind(m_folder);
    if (found.isEmpty())
        return 0;
    QString list;
    for (const Recovered &doc : found)
        list += QStringLiteral("\n\r  %1 (guardado por última vez en la recuperación el %2)")
                    .arg(doc.caption, doc.written.toString(QStringLiteral("dd/MM/yyyy 'a las' HH:mm:ss")));
    const platform::Answer answer = m_editor.services().mensajes->show(
        QStringLiteral("quorvel se cerró sin guardar estos documentos:") + list
            + QStringLiteral("\n\r\n\r¿Desea recuperarlos? Se abrirán como documentos modificados."),
        platform::YesNo + platform::Question, QStringLiteral("Recuperar documentos"));
    int reopened = 0;
    for (const Recovered &doc : found) {
        if (answer == platform::Answer::Yes) {
            textctl::DocumentContent content;
            QString error;
            const QString rtf = QDir(m_folder).filePath(doc.id + QStringLiteral(".rtf"));
            if (!textctl::readDocumentContent(rtf, textctl::kFormatRtf, &content, &error))
                continue;  // kept for a later start
            MDIchild *child = nullptr;
            if (Editor::isUntitled(doc.caption) || doc.caption.isEmpty()) {
                child = m_editor.nuevo_documento();
                child->TXTextControl1().LoadContent(content);
                child->TXTextControl1().usePageOfLoad();
            } else {
                child = m_editor.abrir_fichero(doc.caption, content);
            }
            if (!child)
                continue;
            m_editor.estados(m_editor.slotOf(child)).modificado = kVerdadero;
            ++reopened;
        }
        remove(doc.id);
    }
    return reopened;
}

Recuperacion::Entry &Recuperacion::entryFor(MDIchild *child)
{
    auto it = m_entries.find(child);
    if (it != m_entries.end())
        return *it;
    Entry entry;
    entry.child = child;
    entry.id = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(m_nextId++);
    entry.lastEdit = m_clock();
    entry.pending = true;
    connect(&child->TXTextControl1(), &TXTextControl::Change, this, [this, child] {
        Entry &edited = m_entries[child];
        edited.pending = true;
        edited.lastEdit = m_clock();
    });
    return *m_entries.insert(child, entry);
}

void Recuperacion::tick()
{
    const QDateTime now = m_clock();
    for (int slot = 1; slot <= m_editor.upperBound(); ++slot) {
        MDIchild *child = m_editor.documentos(slot);
        if (!child || m_editor.estados(slot).borrado == kVerdadero)
            continue;
        Entry &entry = entryFor(child);
        if (m_editor.estados(slot).modificado != kVerdadero) {
            if (entry.lastWrite.isValid())
                remove(entry.id);
            entry.lastWrite = {};
            entry.pending = false;
            continue;
        }
        if (entry.pending && entry.lastEdit.msecsTo(now) >= kIdleMs
            && (!entry.lastWrite.isValid() || entry.lastWrite.msecsTo(now) >= kMinuteMs))
            write(entry);
    }
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const int slot = it->child ? m_editor.slotOf(it->child) : 0;
        if (slot && m_editor.estados(slot).borrado != kVerdadero) {
            ++it;
            continue;
        }
        remove(it->id);  // the window closed
        it = m_entries.erase(it);
    }
}

bool Recuperacion::write(Entry &entry)
{
    if (!QDir().mkpath(m_folder))
        return false;
    const QDir dir(m_folder);
    QString error;
    if (!textctl::saveDocumentFile(dir.filePath(entry.id + QStringLiteral(".rtf")), textctl::kFormatRtf,
                                   entry.child->TXTextControl1().document(), &error))
        return false;
    QJsonObject about;
    about.insert(u"pid", QCoreApplication::applicationPid());
    about.insert(u"caption", entry.child->caption());
    about.insert(u"written", m_clock().toUTC().toString(Qt::ISODate));
    QSaveFile file(dir.filePath(entry.id + QStringLiteral(".json")));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(about).toJson()) < 0 || !file.commit())
        return false;
    entry.pending = false;
    entry.lastWrite = m_clock();
    emit written(entry.child->caption());
    return true;
}

void Recuperacion::remove(const QString &id)
{
    const QDir dir(m_folder);
    QFile::remove(dir.filePath(id + QStringLiteral(".json")));
    QFile::remove(dir.filePath(id + QStringLiteral(".rtf")));
}

}  // namespace frame
