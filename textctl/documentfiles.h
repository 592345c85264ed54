#pragma once

// Loading and saving the control's document by format code, the way the
// file commands and the generator ask for it:
//   1  plain text (load and save), 6 plain text (save)
//   5  RTF
//   9  Word: written as RTF content, which every word processor opens as a
//      Word document; a Word file that holds RTF loads as RTF, a binary one
//      is converted with LibreOffice when it is installed.
// A save never leaves a half-written file: it writes a temporary file and
// renames it over the target.
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

// The RTF of a binary Word file, converted by LibreOffice (soffice) into a
// private temporary directory. Empty with an error when soffice is missing
// or fails.
QByteArray convertWordToRtf(const QString &path, QString *error);

}  // namespace textctl
