#pragma once

// The generator's last step: the merged report saved into the program
// directory's `fotos` folder in the format asked for, then handed on.
//
//   formato "1" .doc (control format 9), "2" .rtf (5), "3" .txt (6); any
//   other number saves nothing; a formato that is not a number fails
//   before anything is saved.
//   destino "W" opens the saved file with the desktop's application, "E"
//   starts `<program dir>/quorvel <saved path> 1`, "I" prints the report;
//   anything else (letter case counts) does nothing. With no file saved
//   "W" and "E" do nothing and "I" still prints.
//
// The report is the merged window whose claim number is `fichero`; when no
// window has it, the window of slot 2 (the first merged report, slot 1
// being the empty window of start-up). The name is trimmed once, and the
// hand-off uses the very path that was saved.
//
//   const merge::OutputResult r = merge::guardar_resultado(host, u"00123"_s, u"2"_s, u"E"_s);
//   if (!r.ok) fail(r.error);

#include <QList>
#include <QString>
#include <QStringList>

class TXTextControl;

namespace merge {

// What the output step needs of the windows and of the platform. The
// generator implements it over the main window; tests use a fake.
class OutputHost {
public:
    struct Report {
        int slot = 0;
        QString numero;   // the claim number the merge gave the window
        TXTextControl *control = nullptr;
    };

    virtual ~OutputHost() = default;
    virtual QString programDirectory() const = 0;
    // The open document windows, by slot.
    virtual QList<Report> reports() = 0;
    // "W": a failure is not reported (the file is saved either way).
    virtual void openWithAssociatedApplication(const QString &path) = 0;
    // "E": false with `error` set when the program could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments, QString *error) = 0;
    // "I": every page once on the printer, no dialog.
    virtual bool print(TXTextControl &control, QString *error) = 0;
};

struct OutputResult {
    bool ok = false;
    QString error;
    QString path;   // the file written; empty when the format saves nothing
};

// Why `fichero` and `formato` can never give a saved report, known before
// any merge: a formato that is not a number, a name with a directory part
// (or a leading "."). Empty when they can.
QString argumentError(const QString &fichero, const QString &formato);

// The extension and control save format of a format code; false for a
// code that saves nothing.
bool outputFormat(int formato, QString *extension, int *saveFormat);

OutputResult guardar_resultado(OutputHost &host, const QString &fichero, const QString &formato,
                               const QString &destino);

}  // namespace merge
