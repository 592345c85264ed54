#pragma once

// Crash recovery: every open document with changes not yet saved is written,
// in idle time, to a recovery folder of the user's data directory (never over
// the document itself): once typing has stopped for 2 seconds, at most once a
// minute per document. A window closed, or a document saved, takes its
// recovery files away; so does a clean end of the program. What a crash
// leaves behind is offered at the next start, in one question, and reopened
// as modified windows under their own names (untitled ones untitled).
//
// Each document is two files: <id>.rtf, its content, and <id>.json, what it
// was (its caption, the time it was written, the process that wrote it).
// Files of a process still running are another quorvel's and left alone.
//
//   frame::Recuperacion recuperacion(parent.editor(), frame::Recuperacion::defaultFolder());
//   recuperacion.ofrecer();   // after the load, before the command line
//   recuperacion.start();

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

namespace frame {

class Editor;
class MDIchild;

class Recuperacion final : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    Recuperacion(Editor &editor, const QString &folder, Clock clock = {}, QObject *parent = nullptr);
    ~Recuperacion() override;

    // <data dir>/recuperacion
    static QString defaultFolder();

    // Asks whether to reopen what an earlier run left; reopens or removes
    // it. The number of windows reopened.
    int ofrecer();
    // Ticks once a second from now on.
    void start() { m_timer.start(); }
    // One look at every window: writes what is due, removes what is no
    // longer needed. (The timer calls it; tests call it with their clock.)
    void tick();

signals:
    // A document's recovery files were written.
    void written(const QString &caption);

private:
    struct Entry {
        QPointer<MDIchild> child;
        QString id;
        bool pending = false;  // changes not yet written
        QDateTime lastEdit;
        QDateTime lastWrite;
    };
    Entry &entryFor(MDIchild *child);
    bool write(Entry &entry);
    void remove(const QString &id);

    Editor &m_editor;
    QString m_folder;
    Clock m_clock;
    QTimer m_timer;
    QHash<MDIchild *, Entry> m_entries;
    int m_nextId = 1;
};

}  // namespace frame
