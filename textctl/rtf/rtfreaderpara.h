#pragma once

// Paragraph formatting words (\pard, alignment, indents, spacing, line
// spacing, tabs with leaders, keep words, page break before, paragraph
// borders kept verbatim) and the block format of a finished paragraph.

#include "textctl/rtf/rtfreadercontext.h"

namespace textctl::rtf {

void applyParagraphWord(ReaderContext &ctx, Word word, QByteArrayView name, int param,
                        bool hasParam);

// The block format of a paragraph that ends with the state `para`.
QTextBlockFormat finishedBlockFormat(const ParaState &para);

// Appends "\name<param>" to verbatim RTF kept for the writer.
void appendVerbatimWord(QByteArray &out, QByteArrayView name, int param, bool hasParam);

}  // namespace textctl::rtf
