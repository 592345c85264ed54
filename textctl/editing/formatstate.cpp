#include "textctl/editing/formatstate.h"

#include "textctl/editing/selectionwalk.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"
#include "textctl/txtextcontrol.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace textctl {

namespace {

// A list's text starts 720 twips in, its bullet 360 twips before that, as in
// a word processor's default list.
constexpr int kListTextTwips = 720;
constexpr int kListBulletTwips = -360;

void charState(const QTextCursor &cursor, FormatState &state)
{
    const QFont base = cursor.document()->defaultFont();
    bool first = true;
    forEachCharFormat(cursor, [&](const QTextCharFormat &format) {
        const QFont font = format.font().resolve(base);
        const bool bold = font.weight() > QFont::Medium;
        const bool underline = format.underlineStyle() != QTextCharFormat::NoUnderline;
        if (first) {
            state = {font.family(), font.pointSizeF(), bold, font.italic(), underline, {}, ListKind::None};
            first = false;
            return;
        }
        if (state.family != font.family())
            state.family.clear();
        if (state.pointSize != font.pointSizeF())
            state.pointSize = 0;
        state.bold = state.bold && bold;
        state.italic = state.italic && font.italic();
        state.underline = state.underline && underline;
    });
}

void blockState(const QTextCursor &cursor, FormatState &state)
{
    bool first = true;
    for (const QTextBlock &block : selectedBlocks(cursor)) {
        const Qt::Alignment align = horizontalAlignment(block.blockFormat());
        const ListKind list = listKindOf(block);
        if (first) {
            state.alignment = align;
            state.list = list;
            first = false;
            continue;
        }
        if (state.alignment != align)
            state.alignment = {};
        if (state.list != list)
            state.list = ListKind::None;
    }
}

}  // namespace

ListKind listKindOf(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return ListKind::None;
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return ListKind::Bullets;
    default:
        return ListKind::Numbers;
    }
}

FormatState formatStateOf(const QTextCursor &cursor)
{
    FormatState state;
    if (cursor.isNull())
        return state;
    charState(cursor, state);
    blockState(cursor, state);
    return state;
}

void applyCharFormat(TXTextControl &control, const QTextCharFormat &format)
{
    QTextCursor cursor = control.cursor();
    if (cursor.isNull())
        return;
    QTextCursor edit(cursor);
    if (!edit.hasSelection()) {
        const int caret = edit.position();
        edit.select(QTextCursor::WordUnderCursor);
        // At a word's edge the caret is in no word: only what it types next
        // takes the format.
        if (!(edit.selectionStart() < caret && caret < edit.selectionEnd()))
            edit.clearSelection();
    }
    if (edit.hasSelection()) {
        edit.beginEditBlock();
        edit.mergeCharFormat(format);
        edit.endEditBlock();
    }
    if (!cursor.hasSelection()) {
        cursor.mergeCharFormat(format);
        control.setCursor(cursor);
    }
}

void applyAlignment(const QTextCursor &cursor, Qt::Alignment alignment)
{
    if (cursor.isNull())
        return;
    QTextBlockFormat change;
    change.setAlignment(alignment);
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    edit.mergeBlockFormat(change);
    edit.endEditBlock();
}

void toggleList(const QTextCursor &cursor, ListKind kind)
{
    if (cursor.isNull() || kind == ListKind::None)
        return;
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    if (formatStateOf(cursor).list == kind) {
        // Out of the list, back to the text area's edge.
        for (const QTextBlock &block : selectedBlocks(cursor)) {
            QTextBlockFormat format = block.blockFormat();
            format.setObjectIndex(-1);
            format.setLeftMargin(0);
            setFirstLineIndent(&format, 0);
            QTextCursor(block).setBlockFormat(format);
        }
    } else {
        QTextListFormat list;
        list.setIndent(0);
        list.setStyle(kind == ListKind::Bullets ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
        if (kind == ListKind::Numbers) {
            list.setNumberPrefix(QString());
            list.setNumberSuffix(QStringLiteral("."));
        }
        QTextBlockFormat indents;
        indents.setLeftMargin(twipsToIndent(kListTextTwips));
        indents.setTextIndent(twipsToIndent(kListBulletTwips));
        indents.setProperty(prop::OwnTextIndent, twipsToIndent(kListBulletTwips));
        edit.mergeBlockFormat(indents);
        edit.createList(list);
    }
    edit.endEditBlock();
}

}  // namespace textctl

