#include "textctl/textsearch.h"

#include <QTextDocument>

namespace textctl {

QString TextSearch::fold(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (QChar c : text)
        *dst++ = QChar(QChar::toCaseFolded(c.unicode()));
    return out;
}

const QString &TextSearch::foldedText(QTextDocument *doc)
{
    auto it = m_cache.find(doc);
    if (it != m_cache.end())
        return *it;
    if (!m_watched.contains(doc)) {
        // Dropped on any change to the document, and forgotten with it.
        m_watched.insert(doc);
        connect(doc, &QTextDocument::contentsChanged, this, [this, doc] {
            if (m_editing != doc)
                m_cache.remove(doc);
        });
        connect(doc, &QObject::destroyed, this, [this, doc] {
            m_cache.remove(doc);
            m_watched.remove(doc);
        });
    }
    return *m_cache.insert(doc, fold(doc->toRawText()));
}

void TextSearch::beginEdit(const QTextDocument *doc)
{
    m_editing = doc;
}

void TextSearch::endEdit(const QTextDocument *doc, int from, int removed, QStringView insertedRaw)
{
    m_editing = nullptr;
    auto it = m_cache.find(doc);
    if (it == m_cache.end())
        return;
    QString &folded = *it;
    const bool inRange = from >= 0 && removed >= 0 && from + removed <= folded.size();
    const QStringView replaced = inRange ? QStringView(folded).sliced(from, removed) : QStringView();
    if (!inRange || replaced.contains(QChar(0xFDD0)) || replaced.contains(QChar(0xFDD1))) {
        m_cache.erase(it);
        return;
    }
    folded.replace(from, removed, fold(insertedRaw));
    if (folded.size() != doc->characterCount() - 1)
        m_cache.remove(doc);
}

int TextSearch::find(QTextDocument *doc, QStringView text, int from)
{
    if (!doc || text.isEmpty())
        return -1;
    const QString &haystack = foldedText(doc);
    if (from < 0)
        from = 0;
    if (from >= haystack.size())
        return -1;
    return int(haystack.indexOf(fold(text), from));
}

}  // namespace textctl
