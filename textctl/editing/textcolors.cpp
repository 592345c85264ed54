#include "textctl/editing/textcolors.h"

#include "textctl/editing/formatstate.h"
#include "textctl/txtextcontrol.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace textctl {

namespace {

constexpr int kBlack = 0x000000;
constexpr int kWhite = 0xFFFFFF;

int rgbOf(const QBrush &brush, int absent)
{
    if (brush.style() == Qt::NoBrush)
        return absent;
    return static_cast<int>(brush.color().rgb() & 0xFFFFFF);
}

// The colour every character of the selection has, or kMixedColor.
int selectionColor(const QTextCursor &cursor, int (*colorOf)(const QTextCharFormat &))
{
    if (cursor.isNull())
        return kMixedColor;
    if (!cursor.hasSelection())
        return colorOf(cursor.charFormat());
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    int found = kMixedColor - 1;  // none seen yet
    const QTextDocument *doc = cursor.document();
    for (QTextBlock block = doc->findBlock(from); block.isValid() && block.position() < to; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() <= from || fragment.position() >= to)
                continue;
            const int color = colorOf(fragment.charFormat());
            if (found != kMixedColor - 1 && color != found)
                return kMixedColor;
            found = color;
        }
    }
    // A selection of paragraph breaks only: the format the caret has there.
    return found == kMixedColor - 1 ? colorOf(cursor.charFormat()) : found;
}

int foreground(const QTextCharFormat &format)
{
    return rgbOf(format.foreground(), kBlack);
}

int background(const QTextCharFormat &format)
{
    return rgbOf(format.background(), kWhite);
}

QColor colorOf(int rgb)
{
    return QColor(QRgb(0xFF000000u | static_cast<unsigned>(rgb & 0xFFFFFF)));
}

}  // namespace

int foreColor(const QTextCursor &cursor)
{
    return selectionColor(cursor, foreground);
}

int textBkColor(const QTextCursor &cursor)
{
    return selectionColor(cursor, background);
}

void setForeColor(TXTextControl &control, int rgb)
{
    QTextCharFormat format;
    format.setForeground(colorOf(rgb));
    applyCharFormat(control, format);
}

void setTextBkColor(TXTextControl &control, int rgb)
{
    QTextCharFormat format;
    format.setBackground(colorOf(rgb));
    applyCharFormat(control, format);
}

}  // namespace textctl
