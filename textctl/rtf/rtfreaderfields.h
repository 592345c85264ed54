#pragma once

// Fields, bookmarks and footnotes. PAGE and NUMPAGES become live field
// objects; HYPERLINK becomes a link; the result of any other field is
// shown as text marked with its instruction and a field id. Bookmark
// starts and ends mark the characters beside them; a footnote is kept
// verbatim on its reference mark.

#include "textctl/rtf/rtfreadercontext.h"

namespace textctl::rtf {

// At the end of a \fldinst group: decides the field's kind.
void classifyField(ReaderContext &ctx, int field);
// A \fldrslt group starts (the current group).
void enterFieldResult(ReaderContext &ctx);
// At the end of the \field group (the current group).
void finishField(ReaderContext &ctx);

// Text in a PAGE or NUMPAGES result: the live field object, once.
void insertLiveField(ReaderContext &ctx);
// \chpgn: a live page number.
void insertPageNumber(ReaderContext &ctx);
// \chftn outside a footnote: the automatic reference mark.
void insertFootnoteMark(ReaderContext &ctx);
// At the end of a footnote group: its bytes go onto the reference mark.
void attachFootnote(ReaderContext &ctx, const QByteArray &rtf);

void finishBookmarkStart(ReaderContext &ctx, const QString &name);
void finishBookmarkEnd(ReaderContext &ctx, const QString &name);

// The link target of a HYPERLINK instruction ("#name" for \l name).
QString hyperlinkTarget(const QString &instruction);

}  // namespace textctl::rtf
