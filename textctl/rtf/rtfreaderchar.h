#pragma once

// Character formatting words: font, size, weight, slant, the underline
// kinds, strike-out, colours and highlight, super/subscript, caps, hidden
// text, spacing. They change the current group's character format.

#include "textctl/rtf/rtfreadercontext.h"

namespace textctl::rtf {

void applyCharacterWord(ReaderContext &ctx, Word word, int param, bool hasParam);

// \plain: the document's default font and nothing else (but the field and
// link properties of an enclosing field result, which stay).
void resetCharacterFormat(ReaderContext &ctx);

// Makes font `index` of the font table current: family and code page.
void setCurrentFont(ReaderContext &ctx, int index);

}  // namespace textctl::rtf
