// rtfconv: converts documents through the rich-text control, and prints
// their plain text. How tests, benchmarks and people check a file.
//
//   rtfconv IN OUT        convert by OUT's ending (.rtf, .doc, .txt)
//   rtfconv --text IN     print the text as UTF-8: paragraphs, then each
//                         header and footer area after its [tag] line
//   rtfconv --model IN    print the document model as UTF-8, one line an
//                         element (testsupport/modeldump.h), on the
//                         file's own page
//   rtfconv --pdf IN OUT  render to PDF, on the file's own page (RTF's
//                         default paper, Letter, when it states none)
//   rtfconv --markers TEMPLATE DICTIONARY
//                         list the template's markers that no dictionary
//                         field matches and the fields it never uses;
//                         status 1 when a marker matches nothing
#include "commands/exportarpdf.h"
#include "data/fieldtable.h"
#include "merge/templatecheck.h"
#include "testsupport/modeldump.h"
#include "textctl/documentfiles.h"
#include "textctl/model/plaintext.h"
#include "textctl/txtextcontrol.h"

#include <QGuiApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

// A file of another ending is taken as RTF.
int formatOf(const QString &path)
{
    const int format = textctl::formatForPath(path);
    return format != 0 ? format : textctl::kFormatRtf;
}

int usage()
{
    std::fputs("uso: rtfconv ENTRADA SALIDA | rtfconv --text ENTRADA | rtfconv --model ENTRADA"
               " | rtfconv --pdf ENTRADA SALIDA | rtfconv --markers PLANTILLA DICCIONARIO\n",
               stderr);
    return 2;
}

int failWith(const QString &message)
{
    std::fprintf(stderr, "rtfconv: %s\n", qPrintable(message));
    return 1;
}

bool load(TXTextControl &control, const QString &path)
{
    return control.Load(path, 0, formatOf(path));
}

// Loads onto the file's own page: a file that states no paper size is on
// RTF's default paper, 12240 by 15840 twips (US Letter), as RTF readers
// lay it out; margins it does not state stay the control's inch. (The
// editor keeps its own page for what a file leaves unstated.)
bool loadOnOwnPage(TXTextControl &control, const QString &path)
{
    textctl::PageValues rtfDefault;
    rtfDefault.width = 12240;
    rtfDefault.height = 15840;
    control.setLoadSaveValues(rtfDefault);
    if (!load(control, path))
        return false;
    control.usePageOfLoad();
    return true;
}

// Every page at its true size on sheets of the document's page size.
int writePdf(const QString &in, const QString &out)
{
    TXTextControl control;
    if (!loadOnOwnPage(control, in))
        return failWith(control.errorString());
    QString error;
    return commands::writePdf(control, out, QFileInfo(in).completeBaseName(), &error) ? 0 : failWith(error);
}

int checkMarkers(const QString &plantilla, const QString &diccionario)
{
    QFile file(diccionario);
    if (!file.open(QIODevice::ReadOnly))
        return failWith(QStringLiteral("no se puede leer el diccionario %1: %2").arg(diccionario, file.errorString()));
    data::FieldTable table;
    QString error;
    if (!data::parseDictionary(file.readAll(), &table, &error))
        return failWith(error);
    TXTextControl control;
    if (!load(control, plantilla))
        return failWith(control.errorString());
    control.usePageOfLoad();
    const merge::TemplateCheck check = merge::checkTemplate(control, table.names());
    std::puts(merge::describeCheck(check, QFileInfo(plantilla).fileName()).toUtf8().constData());
    return check.unknownMarkers.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == u"--text") {
        TXTextControl control;
        if (!load(control, args[1]))
            return failWith(control.errorString());
        std::fputs(textctl::documentPlainText(control.document()).toUtf8().constData(), stdout);
        return 0;
    }
    if (args.size() == 2 && args[0] == u"--model") {
        TXTextControl control;
        if (!loadOnOwnPage(control, args[1]))  // as --pdf prints it
            return failWith(control.errorString());
        std::fputs(textctl::dumpModel(control.document()).toUtf8().constData(), stdout);
        return 0;
    }
    if (args.size() == 3 && args[0] == u"--pdf")
        return writePdf(args[1], args[2]);
    if (args.size() == 3 && args[0] == u"--markers")
        return checkMarkers(args[1], args[2]);
    if (args.size() != 2 || args[0].startsWith(u"--"))
        return usage();
    TXTextControl control;
    if (!load(control, args[0]))
        return failWith(control.errorString());
    // Page values read from the file go back into the file written.
    if (!control.Save(args[1], 0, formatOf(args[1])))
        return failWith(control.errorString());
    return 0;
}
