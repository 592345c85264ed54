#pragma once

// Helpers shared by the RTF writer tests: models built by hand through
// QTextCursor, and a well-formedness check of written RTF.

#include "textctl/model/richdocument.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLength>
#include <QTextTableFormat>

#include <gtest/gtest.h>

namespace textctl::testing {

// Empty when the bytes are well-formed RTF as this writer promises it:
// the fixed opening, 7-bit bytes only, braces balanced and closed once at
// the very end; otherwise what is wrong.
inline QString rtfProblem(const QByteArray &rtf)
{
    if (!rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"))
        return QStringLiteral("bad opening");
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const auto c = static_cast<unsigned char>(rtf.at(i));
        if (c >= 0x80)
            return QStringLiteral("8-bit byte at %1").arg(i);
        if (c == '\\') {
            ++i;  // an escaped brace or backslash is text
            continue;
        }
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                return QStringLiteral("unbalanced '}' at %1").arg(i);
            if (depth == 0 && rtf.mid(i + 1).trimmed().size() > 0)
                return QStringLiteral("text after the closing brace at %1").arg(i);
        }
    }
    return depth == 0 ? QString() : QStringLiteral("%1 groups left open").arg(depth);
}

// A small PNG of the given size, as the bytes a load would keep.
inline QByteArray pngBytes(int width, int height, QColor color = Qt::red)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A table format of fixed column widths in twips, with no border and no
// cell padding.
inline QTextTableFormat fixedTableFormat(const QList<int> &twips)
{
    QTextTableFormat format;
    QList<QTextLength> widths;
    for (int width : twips)
        widths.append(QTextLength(QTextLength::FixedLength, twipsToPixels(width)));
    format.setColumnWidthConstraints(widths);
    format.setBorder(0);
    format.setCellPadding(0);
    return format;
}

}  // namespace textctl::testing
