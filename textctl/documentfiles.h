#pragma once

// Loading and saving the control's document by format code, the way the
// file commands and the generator ask for it:
//   1  plain text (load and save), 6 plain text (save)
//   5  RTF
//   9  Word: written as RTF content, which every word processor opens as a
//      Word document; a Word file that holds RTF loads as RTF, a binary one
//      is converted with LibreOffice when it is installed.
// and the framed format, written only: a 28-byte header of page values
// followed by the control's own format (RTF).
// A save never leaves a half-written file, nor a temporary one: the file
// takes the target's name only when whole (platform/atomicfile.h).
//
//   QString error;
//   if (!saveDocumentFile(path, kFormatRtf, doc, &error)) show(error);

#include <QByteArray>
#include <QString>

namespace textctl {

class RichDocument;

inline constexpr int kFormatText = 1;
inline constexpr int kFormatRtf = 5;
inline constexpr int kFormatTextSave = 6;
inline constexpr int kFormatWord = 9;

// The format of a document by its file name: the last three characters of
// the path, without the blanks around it and in upper case, "RTF" RTF, "DOC"
// Word, "TXT" text (1); 0 for any other ending.
int formatForPath(const QString &path);

// Replaces the document's content. Page values change only as far as an
// RTF file states them.
bool loadDocumentFile(const QString &path, int format, RichDocument &doc, QString *error);

// A file read once and loaded into many documents (a template merged with
// every claim record): its bytes, as text (1) or RTF (5); a binary Word file
// is converted when it is read.
struct DocumentContent {
    QString path;
    int format = 0;
    QByteArray bytes;
};
bool readDocumentContent(const QString &path, int format, DocumentContent *content, QString *error);
bool loadDocumentContent(const DocumentContent &content, RichDocument &doc, QString *error);

bool saveDocumentFile(const QString &path, int format, const RichDocument &doc, QString *error);

// Keeps the file's first `offset` bytes (zeros where the file is shorter)
// and writes the document in the control's own format (RTF) after them.
bool saveDocumentAtOffset(const QString &path, qint64 offset, const RichDocument &doc,
                          QString *error);

// The framed format: 23, the left, top, right and bottom margins, the page
// height and the page width as 32-bit little-endian integers, then the
// document in the control's own format. *openFailed, when given, tells a
// file that could not be created from one that could not be written.
inline constexpr qint64 kFramedHeaderSize = 28;
bool saveFramedDocumentFile(const QString &path, const RichDocument &doc, QString *error,
                            bool *openFailed = nullptr);

// The RTF of a binary Word file, converted by LibreOffice (soffice) into a
// private temporary directory. Empty with an error when soffice is missing
// or fails.
QByteArray convertWordToRtf(const QString &path, QString *error);

}  // namespace textctl
