#include "textctl/editing/findreplace.h"

#include "textctl/txtextcontrol.h"

#include <QTextDocument>

namespace textctl {

namespace {

QTextDocument::FindFlags flagsOf(FindOptions options)
{
    QTextDocument::FindFlags flags;
    if (options.matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (options.wholeWord)
        flags |= QTextDocument::FindWholeWords;
    return flags;
}

QTextCharFormat firstCharFormat(const QTextCursor &match)
{
    QTextCursor probe(match.document());
    probe.setPosition(match.selectionStart() + 1);
    return probe.charFormat();
}

void replace(QTextCursor &match, const QString &replacement)
{
    match.insertText(replacement, firstCharFormat(match));
}

}  // namespace

QTextCursor findIn(const QTextDocument *doc, const QString &text, int from, FindOptions options)
{
    if (!doc || text.isEmpty())
        return {};
    return doc->find(text, from, flagsOf(options));
}

FindOutcome findNext(TXTextControl &control, const QString &text, FindOptions options)
{
    const QTextCursor cursor = editedCursor(control);
    if (cursor.isNull())
        return FindOutcome::NotFound;
    const int from = cursor.selectionEnd();
    const QTextCursor match = findIn(cursor.document(), text, from, options);
    if (match.isNull())
        return from == 0 ? FindOutcome::NotFound : FindOutcome::AtEnd;
    control.setCursor(match);
    return FindOutcome::Found;
}

bool findFromStart(TXTextControl &control, const QString &text, FindOptions options)
{
    const QTextCursor cursor = editedCursor(control);
    if (cursor.isNull())
        return false;
    const QTextCursor match = findIn(cursor.document(), text, 0, options);
    if (match.isNull())
        return false;
    control.setCursor(match);
    return true;
}

bool replaceCurrent(TXTextControl &control, const QString &text, const QString &replacement, FindOptions options)
{
    QTextCursor cursor = editedCursor(control);
    if (cursor.isNull() || !cursor.hasSelection())
        return false;
    const QTextCursor match = findIn(cursor.document(), text, cursor.selectionStart(), options);
    if (match.isNull() || match.selectionStart() != cursor.selectionStart()
        || match.selectionEnd() != cursor.selectionEnd())
        return false;
    cursor.beginEditBlock();
    replace(cursor, replacement);
    cursor.endEditBlock();
    control.setCursor(cursor);
    return true;
}

int replaceAll(TXTextControl &control, const QString &text, const QString &replacement, FindOptions options)
{
    const QTextCursor cursor = editedCursor(control);
    if (cursor.isNull())
        return 0;
    QTextDocument *doc = cursor.document();
    QTextCursor edit(doc);
    int count = 0;
    for (QTextCursor match = findIn(doc, text, 0, options); !match.isNull();
         match = findIn(doc, text, match.position(), options)) {
        if (count == 0)
            edit.beginEditBlock();
        replace(match, replacement);
        ++count;
    }
    if (count > 0)
        edit.endEditBlock();
    return count;
}

}  // namespace textctl
