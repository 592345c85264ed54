#pragma once

// What "Enviar" of the mail form asks of the mail system, in its stages,
// each with the message the user knows for its failure and, on a second
// line, the cause in plain words:
//
//   A  the mail transport program exists (and, later, starts)
//      then: a main recipient was typed
//   B  the main recipient is a valid address list
//   C  the copy recipients are; the subject and the text are set
//   D  the file to attach is read
//   E  the transport takes the message (prepararCorreo() only builds it)
//
// The editor and the generator differ: the generator shows the first
// stage's message for every stage, and attaches any file named, where the
// editor leaves out a file whose name starts with "Sin" (an unsaved
// document's "Sin Titulo:" caption).

#include "office/mensajemime.h"

#include <QByteArray>
#include <QString>

#include <variant>

namespace office {

class TransporteCorreo;

enum class Variante { Editor, Generador };
enum class Etapa { A, Destinatario, B, C, D, E };

// The form's fields.
struct CamposCorreo {
    QString destinatario;  // Text1
    QString copia;  // Text2
    QString asunto;  // Text3
    QString fichero;  // Text4
    QString mensaje;  // the plain text of RichTextBox1
};

struct FalloCorreo {
    Etapa etapa;
    QString mensaje;
    QString causa;  // empty for the recipient check, whose message says it all
    // The message box text: the message, then the cause on its own line.
    QString texto() const;
};

// The message of a stage's failure, as this variant shows it.
QString mensajeDeEtapa(Etapa etapa, Variante variante, const CamposCorreo &campos);
FalloCorreo falloEn(Etapa etapa, Variante variante, const CamposCorreo &campos, const QString &causa);

// Stages A to D: the MIME message to hand to the transport, or the failure
// of the first stage that failed. Stage A asks `transporte` to find its
// program.
std::variant<QByteArray, FalloCorreo> prepararCorreo(const CamposCorreo &campos, Variante variante,
                                                     TransporteCorreo &transporte);

}  // namespace office
