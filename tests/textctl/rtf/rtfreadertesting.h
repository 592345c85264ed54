#pragma once

// Helpers of the RTF reader tests: read RTF text into a model, and look at
// its blocks, runs and tables.

#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <memory>

namespace textctl::testing {

inline std::unique_ptr<RichDocument> readString(QByteArrayView rtf)
{
    auto doc = std::make_unique<RichDocument>();
    QString error;
    EXPECT_TRUE(readRtf(rtf, *doc, &error)) << qPrintable(error);
    return doc;
}

// The blocks' texts joined by "\n", objects kept as U+FFFC.
inline QString blocksText(const QTextDocument *text)
{
    QStringList lines;
    for (QTextBlock b = text->begin(); b.isValid(); b = b.next())
        lines.append(b.text());
    return lines.join(u'\n');
}

inline QString mainText(QByteArrayView rtf)
{
    return blocksText(readString(rtf)->main());
}

// The format of the first character of the first occurrence of `text`.
inline QTextCharFormat formatOf(const QTextDocument *doc, const QString &text)
{
    const qsizetype at = doc->toRawText().indexOf(text);
    EXPECT_GE(at, 0) << "no \"" << qPrintable(text) << "\"";
    QTextCursor cursor(const_cast<QTextDocument *>(doc));
    cursor.setPosition(static_cast<int>(std::max<qsizetype>(at, 0)) + 1);
    return cursor.charFormat();
}

// The block holding the first occurrence of `text`.
inline QTextBlock blockOf(const QTextDocument *doc, const QString &text)
{
    const qsizetype at = doc->toRawText().indexOf(text);
    EXPECT_GE(at, 0) << "no \"" << qPrintable(text) << "\"";
    return doc->findBlock(static_cast<int>(std::max<qsizetype>(at, 0)));
}

// The tables of a text, outer ones first, in document order.
inline QList<QTextTable *> tablesOf(const QTextDocument *doc)
{
    QList<QTextTable *> tables;
    QList<QTextFrame *> frames{doc->rootFrame()};
    while (!frames.isEmpty()) {
        QTextFrame *frame = frames.takeFirst();
        for (QTextFrame *child : frame->childFrames()) {
            if (auto *table = qobject_cast<QTextTable *>(child))
                tables.append(table);
            frames.append(child);
        }
    }
    return tables;
}

inline QString cellText(QTextTable *table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

}  // namespace textctl::testing
