#pragma once

// The plain text of a document model, as `rtfconv --text` prints it: every
// paragraph of the main text on its own line (table cell paragraphs
// included, in reading order), then each present header or footer area in
// the order 1, 2, 4, 8 under a line "[cabecera]", "[cabecera1]", "[pie]" or
// "[pie1]". Objects (pictures, live fields) are left out; a line break
// inside a paragraph starts a new line; the empty blocks the text model
// needs beside tables (prop::SeparatorBlock) are no paragraphs.
//
//   documentPlainText(doc);   // "Informe\n[cabecera]\nExpte. 00123\n"

#include <QString>

class QTextDocument;

namespace textctl {

class RichDocument;

QString documentPlainText(const RichDocument &doc);

// The paragraphs of one text, each followed by "\n".
QString textPlainText(const QTextDocument &text);

}  // namespace textctl
