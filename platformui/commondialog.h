#pragma once

// The common dialog `dialogo` of the main window: file open and save, and
// the colour dialog. A
// command writes the settings, then shows the dialog; cancelling answers
// kCancelError, which every caller treats as a request to do nothing.
//
//   dialogo.DialogTitle = u"Abrir fichero"_s;
//   dialogo.Filter = u"Archivos de texto enriquecido (*.rtf)|*.rtf"_s;
//   if (dialogo.ShowOpen() == 0) open(dialogo.FileName);
//
// The implementations: QtCommonDialog (Qt's file dialog) and, for tests,
// ScriptedCommonDialog (scripted answers, every opening's settings kept).

#include <QString>
#include <QStringList>

namespace platform {

inline constexpr int kCancelError = 32755;

// Dialog flags (bit values as the callers write them).
enum DialogFlag : int {
    FlagReadOnlyChecked = 0x1,
    FlagOverwritePrompt = 0x2,
    FlagHideReadOnly = 0x4,
    FlagPathMustExist = 0x800,
    FlagFileMustExist = 0x1000,
};

// The settings a command writes before opening a dialog.
struct DialogSettings {
    QString DialogTitle;
    QString FileName;
    QString Filter;       // "Description|pattern|Description|pattern..."
    int FilterIndex = 1;  // 1-based
    int Flags = 0;
    // The colour dialog's colour, 0xRRGGBB: the one it starts from, then the
    // one chosen.
    int Color = 0;

    friend bool operator==(const DialogSettings &, const DialogSettings &) = default;
};

enum class DialogKind { Open, Save, Color };

class CommonDialog : public DialogSettings {
public:
    virtual ~CommonDialog() = default;

    // 0 with FileName (and FilterIndex) set to the choice, or kCancelError.
    int ShowOpen();
    // As ShowOpen; a name chosen without an ending gets the chosen filter's
    // ending (".rtf", ".txt").
    int ShowSave();
    // 0 with Color set to the choice, or kCancelError with Color unchanged.
    int ShowColor();

protected:
    // Shows the dialog for the current settings; false when cancelled.
    virtual bool run(DialogKind kind) = 0;
};

// The (description, pattern) pairs of a "Description|pattern|..." filter.
QList<std::pair<QString, QString>> parseFilter(const QString &filter);
// Qt's form of the filter: "Description (*.rtf);;...".
QStringList qtNameFilters(const QString &filter);
// `path` with the ending of the pattern of filter `index` (1-based) added
// when its file name has no ending of its own and the pattern names one
// ("*.rtf" gives ".rtf"; "*.*" gives nothing).
QString withFilterEnding(const QString &path, const QString &filter, int index);

}  // namespace platform
