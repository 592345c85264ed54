#pragma once

// Walks over what a selection covers, for the format readers and commands:
// the character formats of its text and the paragraphs it touches.

#include <QList>
#include <QTextBlock>

#include <functional>

class QTextCursor;
class QTextBlockFormat;
class QTextCharFormat;

namespace textctl {

// Calls `visit` for the character format of every piece of text the
// selection covers; without a selection, once for the caret's format.
void forEachCharFormat(const QTextCursor &cursor, const std::function<void(const QTextCharFormat &)> &visit);
// The paragraphs the selection touches, in order (the caret's without one).
QList<QTextBlock> selectedBlocks(const QTextCursor &cursor);
// A paragraph's alignment as one of AlignLeft, AlignHCenter, AlignRight and
// AlignJustify.
Qt::Alignment horizontalAlignment(const QTextBlockFormat &format);

}  // namespace textctl
