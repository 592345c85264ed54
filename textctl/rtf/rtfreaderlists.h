#pragma once

// Lists: the \listtable and \listoverridetable definitions, the legacy \pn
// paragraph numbering, and the list a paragraph joins (\lsN, \ilvlN). A
// list level's bullet and text positions become the paragraph's left
// margin and a negative first-line indent when the paragraph has none.

#include "textctl/rtf/rtfreadercontext.h"

namespace textctl::rtf {

// Words inside \listtable, \listoverridetable and their groups.
void applyListTableWord(ReaderContext &ctx, Word word, int param);
// Words of a \pn group.
void applyLegacyListWord(ReaderContext &ctx, Word word, int param);

// The list of a finished paragraph; fills in its indents from the level.
ListRef listFor(const ReaderContext &ctx, const ParaState &para, QTextBlockFormat &format);

}  // namespace textctl::rtf
