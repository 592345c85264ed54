#include "textctl/editing/selectionwalk.h"

#include <QTextCursor>
#include <QTextDocument>

namespace textctl {

void forEachCharFormat(const QTextCursor &cursor, const std::function<void(const QTextCharFormat &)> &visit)
{
    if (!cursor.hasSelection()) {
        visit(cursor.charFormat());
        return;
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = cursor.document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() < end && fragment.position() + fragment.length() > start)
                visit(fragment.charFormat());
        }
    }
}

QList<QTextBlock> selectedBlocks(const QTextCursor &cursor)
{
    QList<QTextBlock> blocks;
    const QTextDocument *doc = cursor.document();
    const QTextBlock last = doc->findBlock(cursor.selectionEnd());
    for (QTextBlock block = doc->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
        blocks.append(block);
        if (block == last)
            break;
    }
    return blocks;
}

Qt::Alignment horizontalAlignment(const QTextBlockFormat &format)
{
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    if (align & Qt::AlignJustify)
        return Qt::AlignJustify;
    if (align & (Qt::AlignRight | Qt::AlignTrailing))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

}  // namespace textctl
