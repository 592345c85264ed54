#pragma once

// The generator's command line: `<plantilla>:<fichero>:<formato><any><destino>`.
// Blanks at both ends of the line are removed; the template name runs to
// the first ":", the base name to the second; one format character follows,
// then one character that is skipped, then one optional destination
// character (the rest is ignored). A line without two ":" or with fewer
// than two characters after the second one is an invalid argument.
//
//   generator::GeneratorArguments args;
//   QString error;
//   parseCommandLine(u"inf01:00123:2:E"_s, &args, &error);   // inf01, 00123, 2, E

#include <QString>

namespace generator {

// The public variables of the generator's main window, in their order;
// all start empty.
struct GeneratorArguments {
    QString wplantilla;  // template name, no directory, no extension
    QString wfichero;    // base name of the arrival and output files
    QString wformato;    // output format code, one character
    QString wdestino;    // destination code, one character or empty
};

// The command line a failure report shows.
inline constexpr QStringView kExpectedCommandLine = u"moltrex <plantilla>:<fichero>:<formato>:<destino>";

// "Uso: " and the expected command line, then what each part may be: what
// `moltrex --help` prints and a failed start-up ends with.
QString usage();

// False with a Spanish message in `error` on an invalid argument; *args
// then holds what was parsed up to the failure.
bool parseCommandLine(const QString &linea, GeneratorArguments *args, QString *error);

// Why parsed arguments can never give a report, known before any wait for
// the arrival file: a format that is not a number, an empty base name or
// one with a directory part, a template name with a directory part. Empty
// when they can.
QString judgeArguments(const GeneratorArguments &args);

}  // namespace generator
