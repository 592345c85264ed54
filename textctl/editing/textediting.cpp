#include "textctl/editing/textediting.h"

#include "textctl/model/formatprops.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

namespace textctl {

namespace {

// The table cell (or none) that holds a position, as a comparable pair.
struct Place {
    QTextTable *table = nullptr;
    int row = -1;
    int column = -1;
    bool operator==(const Place &) const = default;
};

Place placeOf(QTextDocument *doc, int position)
{
    QTextCursor probe(doc);
    probe.setPosition(position);
    Place place;
    place.table = probe.currentTable();
    if (place.table) {
        const QTextTableCell cell = place.table->cellAt(position);
        place.row = cell.row();
        place.column = cell.column();
    }
    return place;
}

// Characters that are no text to overwrite: the end of a paragraph or of
// a cell.
bool atParagraphEnd(const QTextCursor &cursor)
{
    return cursor.atBlockEnd();
}

// Text typed into a separator block makes it a paragraph of the file.
void dropSeparatorMark(QTextCursor &cursor)
{
    QTextBlockFormat format = cursor.blockFormat();
    if (!format.hasProperty(prop::SeparatorBlock))
        return;
    format.clearProperty(prop::SeparatorBlock);
    cursor.setBlockFormat(format);
}

}  // namespace

void typeText(QTextCursor &cursor, const QString &text, bool overwrite)
{
    if (text.isEmpty())
        return;
    cursor.beginEditBlock();
    if (overwrite && !cursor.hasSelection()) {
        for (qsizetype i = 0; i < text.size() && !atParagraphEnd(cursor); ++i)
            cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    }
    dropSeparatorMark(cursor);
    cursor.insertText(text);
    cursor.endEditBlock();
}

void insertParagraph(QTextCursor &cursor)
{
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    cursor.insertBlock();
    dropSeparatorMark(cursor);
    // The page break stays before the paragraph that had it: the new one
    // would start yet another page at every Enter after a page break.
    if (cursor.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) {
        QTextBlockFormat noBreak;
        noBreak.setPageBreakPolicy(cursor.blockFormat().pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysBefore);
        cursor.mergeBlockFormat(noBreak);
    }
    cursor.endEditBlock();
}

void insertLineBreak(QTextCursor &cursor)
{
    typeText(cursor, QString(QChar::LineSeparator), false);
}

bool deleteBackward(QTextCursor &cursor)
{
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        return true;
    }
    const int position = cursor.position();
    if (position == 0)
        return false;
    QTextDocument *doc = cursor.document();
    if (cursor.atBlockStart() && !(placeOf(doc, position - 1) == placeOf(doc, position)))
        return false;
    cursor.deletePreviousChar();
    return true;
}

bool deleteForward(QTextCursor &cursor)
{
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        return true;
    }
    QTextDocument *doc = cursor.document();
    const int position = cursor.position();
    if (position >= doc->characterCount() - 1)
        return false;
    if (cursor.atBlockEnd() && !(placeOf(doc, position + 1) == placeOf(doc, position)))
        return false;
    cursor.deleteChar();
    return true;
}

}  // namespace textctl
