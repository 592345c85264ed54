#include "platformui/qtcommondialog.h"

#include "platformui/display.h"

#include <QFileDialog>
#include <QFileInfo>

namespace platform {

bool QtCommonDialog::run(DialogKind kind)
{
    if (!hasDisplay()) {
        reportWithoutDisplay(QStringLiteral("%1: no hay pantalla para elegir un fichero").arg(DialogTitle));
        return false;
    }
    QFileDialog dialog(m_parent, DialogTitle);
    const QStringList filters = qtNameFilters(Filter);
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(FilterIndex - 1));
    const QFileInfo start(FileName);
    if (!FileName.isEmpty()) {
        dialog.setDirectory(start.isRelative() && !m_startDirectory.isEmpty()
                                ? QFileInfo(m_startDirectory + u'/' + FileName).absolutePath()
                                : start.absolutePath());
        if (!start.fileName().contains(u'*'))
            dialog.selectFile(start.fileName());
    } else if (!m_startDirectory.isEmpty()) {
        dialog.setDirectory(m_startDirectory);
    }
    if (kind == DialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode((Flags & FlagFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !(Flags & FlagOverwritePrompt));
        // The ending goes on before the overwrite question, not after it.
        const auto suffixFor = [this](int index) {
            return withFilterEnding(QStringLiteral("x"), Filter, index).mid(2);
        };
        dialog.setDefaultSuffix(suffixFor(FilterIndex));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, filters, suffixFor](const QString &chosen) {
                             dialog.setDefaultSuffix(suffixFor(static_cast<int>(filters.indexOf(chosen)) + 1));
                         });
    }
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    FileName = dialog.selectedFiles().constFirst();
    FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (FilterIndex < 1)
        FilterIndex = 1;
    return true;
}

}  // namespace platform
