#pragma once

// Where a group's text goes: the destination words that start a group's
// meaning (font table, picture, field, header...), and what happens when
// such a group ends (a picture is placed, a field classified, a header
// area stored, a verbatim group kept).

#include "textctl/rtf/rtfreadercontext.h"

namespace textctl::rtf {

// A new group has been pushed: the parts of its state that depend on the
// parent's destination.
void startGroup(ReaderContext &ctx);

// A destination word in the current group.
void enterDestination(ReaderContext &ctx, Word word, int param);

// The current group is about to be removed. `closeOffset` is the offset of
// its closing brace, or -1 when the file ended inside the group.
void finishGroup(ReaderContext &ctx, qsizetype closeOffset);

}  // namespace textctl::rtf
