#pragma once

// The control's plain-text rules, shared by Text, SelText, the clipboard and
// the text file format.
//
// Writing: CR LF, LF CR, a lone CR and a lone LF are one paragraph break
// each; character 12 is a paragraph break whose new paragraph starts a page.
// Reading: one character per document position, "\n" for a paragraph break
// and for each table-cell boundary, "\f" for a break before a new page.
//
//   insertControlText(cursor, u"uno\r\ndos\fTres", format);  // 3 paragraphs

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;

namespace textctl {

// Inserts `text` at the cursor (replacing its selection) with `format`.
// New paragraphs take the format of the paragraph they split, without its
// page break; a character 12 gives the new paragraph a page break.
void insertControlText(QTextCursor &cursor, QStringView text, const QTextCharFormat &format);

// The raw document text that insertControlText makes of `text`: one
// U+2029 for each paragraph break, the rest unchanged.
QString rawControlText(QStringView text);

// The text of positions [from, to) of a document, as `Text` reads it.
QString controlText(const QTextDocument &doc, int from = 0, int to = -1);

// Plain-text files. Decoding: a UTF-8 byte-order mark, or valid UTF-8 that
// holds non-ASCII characters, reads as UTF-8; anything else as
// Windows-1252. Control characters other than tab, CR, LF and the page
// break (12) are left out. Encoding: Windows-1252 with CR LF when every character fits,
// otherwise UTF-8 with a byte-order mark. Objects (pictures, live fields)
// are left out; a page break is written as character 12.
QString decodeTextFile(QByteArrayView bytes);
QByteArray encodeTextFile(QStringView controlText);

}  // namespace textctl
