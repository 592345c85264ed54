// The control's clipboard actions: copy puts plain text and RTF, paste
// prefers RTF.
#include "textctl/txtextcontrol.h"

#include "textctl/controltext.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextDocumentFragment>

namespace {

enum ClipAction { Cut = 1, Copy = 2, Paste = 3, Delete = 4 };

const QString kRtfMime = QStringLiteral("text/rtf");
const QString kRtfMimeAlt = QStringLiteral("application/rtf");

void copySelection(const QTextCursor &cursor)
{
    if (!cursor.hasSelection())
        return;
    auto *mime = new QMimeData;
    QString text = textctl::controlText(*cursor.document(), cursor.selectionStart(), cursor.selectionEnd());
    text.replace(QChar(12), u'\n');
    text.remove(QChar::ObjectReplacementCharacter);
    mime->setText(text);
    const QByteArray rtf = textctl::writeRtfFragment(cursor.selection());
    mime->setData(kRtfMime, rtf);
    mime->setData(kRtfMimeAlt, rtf);
    QGuiApplication::clipboard()->setMimeData(mime);
}

}  // namespace

void TXTextControl::Clip(int action)
{
    QTextCursor &cursor = targetCursor();
    if (cursor.isNull())
        return;
    switch (action) {
    case Cut:
        copySelection(cursor);
        cursor.removeSelectedText();
        break;
    case Copy:
        copySelection(cursor);
        break;
    case Paste: {
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        if (!mime)
            return;
        for (const QString &type : {kRtfMime, kRtfMimeAlt}) {
            if (mime->hasFormat(type) && textctl::insertRtf(mime->data(type), cursor))
                return;
        }
        if (mime->hasText())
            textctl::insertControlText(cursor, mime->text(), formatForReplacement(cursor));
        break;
    }
    case Delete:
        cursor.removeSelectedText();
        break;
    default:
        break;
    }
}
