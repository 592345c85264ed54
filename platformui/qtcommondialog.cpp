#include "platformui/qtcommondialog.h"

#include "platformui/display.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>

namespace platform {

QString dialogDirectory(const QString &fileName, const QString &startDirectory)
{
    if (fileName.isEmpty())
        return startDirectory;
    const QFileInfo file(fileName);
    if (file.isRelative() && !startDirectory.isEmpty())
        return QFileInfo(startDirectory + u'/' + fileName).absolutePath();
    return file.absolutePath();
}

bool QtCommonDialog::run(DialogKind kind)
{
    if (!hasDisplay()) {
        reportWithoutDisplay(kind == DialogKind::Color
                                 ? QStringLiteral("No hay pantalla para elegir un color")
                                 : QStringLiteral("%1: no hay pantalla para elegir un fichero").arg(DialogTitle));
        return false;
    }
    if (kind == DialogKind::Color)
        return runColor();
    QFileDialog dialog(m_parent, DialogTitle);
    const QStringList filters = qtNameFilters(Filter);
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(FilterIndex - 1));
    const QString directory = dialogDirectory(FileName, m_startDirectory);
    if (!directory.isEmpty())
        dialog.setDirectory(directory);
    const QString name = QFileInfo(FileName).fileName();
    if (!name.isEmpty() && !name.contains(u'*'))
        dialog.selectFile(name);
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

bool QtCommonDialog::runColor()
{
    QColorDialog dialog(QColor(QRgb(Color & 0xFFFFFF)), m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Color = static_cast<int>(dialog.selectedColor().rgb() & 0xFFFFFF);
    return true;
}

}  // namespace platform
