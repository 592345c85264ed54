#pragma once

// Reads RTF 1.x, as Word, WordPad, LibreOffice and other real writers
// produce it, into the control's document model.
//
// A load replaces the main text and the header and footer areas and changes
// only the page values that the file states. Malformed input never crashes:
// what can be read is loaded; input that is not RTF at all fails.
//
//   RichDocument doc;
//   QString error;
//   if (!readRtf(bytes, doc, &error)) report(error);

#include <QByteArrayView>
#include <QString>

class QTextCursor;

namespace textctl {

class RichDocument;

// True when the bytes begin (after blanks) with "{\rtf".
bool looksLikeRtf(QByteArrayView bytes);

// Loads a whole RTF file into `doc`. Returns false with a message in
// *error, `doc` untouched, for input that is not RTF or a document too
// large to work with (over 100,000 paragraphs or 8,000,000 characters).
bool readRtf(QByteArrayView rtf, RichDocument &doc, QString *error = nullptr);

// Reads RTF and inserts its main text at the cursor's position, replacing
// its selection (import of an RTF file, paste). Headers, footers and page
// values of the inserted RTF are ignored.
bool insertRtf(QByteArrayView rtf, QTextCursor &cursor, QString *error = nullptr);

}  // namespace textctl
