#pragma once

// E-mail addresses as the user types them in the mail form: one address,
// or several separated by ";" or ",", blanks around each ignored. Only bare
// addresses (local part "@" domain) are accepted, so nothing the user types
// can add a header line to the message.
//
//   QString motivo;
//   const auto lista = leerDirecciones(u"ana@oficina.es; luis@oficina.es"_s, &motivo);
//   // lista: {"ana@oficina.es", "luis@oficina.es"}

#include <QString>
#include <QStringList>

#include <optional>

namespace office {

// The addresses of `texto`, or nullopt with `motivo` saying in Spanish
// which one is wrong and why. An empty text gives an empty list.
std::optional<QStringList> leerDirecciones(const QString &texto, QString *motivo);

}  // namespace office
