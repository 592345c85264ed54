#pragma once

// The document's tables and settings: font table (names and code pages),
// style sheet (styles recorded and replayed where \sN or \csN applies
// them), code page words, and the page and section words. The colour
// table fills itself (ReaderColorTable).

#include "textctl/rtf/rtfreadercontext.h"

namespace textctl::rtf {

void applyFontTableWord(ReaderContext &ctx, Word word, int param);
void appendFontTableText(ReaderContext &ctx, const QString &text);
// At the end of a font table group (an entry, or the table itself).
void finishFontEntry(ReaderContext &ctx);

// A word inside a style sheet entry: kept for replay, or the entry's own.
void applyStyleEntryWord(ReaderContext &ctx, Word word, QByteArrayView name, int param, bool hasParam);
// Replays style `index` (its base first) on the current group.
void applyStyle(ReaderContext &ctx, int index, int depth = 0);
// \sN in the text: the style's paragraph and character formatting.
void applyParagraphStyle(ReaderContext &ctx, int index);

// Code page, default font, page size and margins, section words.
void applyDocumentWord(ReaderContext &ctx, Word word, QByteArrayView name, int param, bool hasParam);

}  // namespace textctl::rtf
