#pragma once

// Table words: the row definition (\trowd, \cellx and the \clxxx and
// \trxxx words before it), and the cell and row ends (\cell, \row and their
// nested forms) that hand the collected paragraphs to the story.

#include "textctl/rtf/rtfreadercontext.h"

namespace textctl::rtf {

void applyTableWord(ReaderContext &ctx, Word word, QByteArrayView name, int param, bool hasParam);

}  // namespace textctl::rtf
