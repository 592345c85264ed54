#pragma once

// Case-insensitive search over a document's positions. A merge runs hundreds
// of searches and replacements on one document, and QTextDocument::find
// rebuilds block texts on every call; this keeps a case-folded copy of the
// raw text (whose indexes are document positions) and drops it on every
// edit.
//
// Folding is one-to-one per UTF-16 unit, so a match is exactly as long as
// the searched text.

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QTextDocument;

namespace textctl {

class TextSearch final : public QObject {
    Q_OBJECT
public:
    explicit TextSearch(QObject *parent = nullptr) : QObject(parent) {}

    // Position of the first match at or after `from`, or -1. An empty text is
    // never found.
    int find(QTextDocument *doc, QStringView text, int from);

    static QString fold(QStringView text);

    // An edit made by the control itself: instead of dropping the copy, the
    // replaced positions [from, from + removed) are patched with the raw
    // text that took their place (U+2029 for a paragraph break). A copy that
    // no longer matches the document's length, or a replaced range that held
    // table boundaries, is dropped.
    void beginEdit(const QTextDocument *doc);
    void endEdit(const QTextDocument *doc, int from, int removed, QStringView insertedRaw);

private:
    const QString &foldedText(QTextDocument *doc);

    QHash<const QTextDocument *, QString> m_cache;
    QSet<const QTextDocument *> m_watched;
    const QTextDocument *m_editing = nullptr;
};

}  // namespace textctl
