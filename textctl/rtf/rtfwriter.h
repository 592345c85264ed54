#pragma once

// Writes the control's document model as RTF 1.x that Word and LibreOffice
// open cleanly: 8-bit with \ansicpg1252, \'xx for Windows-1252 characters
// and \uN with a fallback for the rest.
//
//   QByteArray bytes = writeRtf(doc);

#include <QByteArray>

class QTextDocumentFragment;

namespace textctl {

class RichDocument;

QByteArray writeRtf(const RichDocument &doc);

// A piece of text (a copied selection) as a complete RTF document.
QByteArray writeRtfFragment(const QTextDocumentFragment &fragment);

}  // namespace textctl
