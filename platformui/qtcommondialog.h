#pragma once

// The common dialog through Qt's file and colour dialogs, parented to a window. A
// dialog whose FileName names no folder opens in `startDirectory` (the
// program directory), never in whatever folder the process started in.

#include "platformui/commondialog.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace platform {

class QtCommonDialog final : public CommonDialog {
public:
    explicit QtCommonDialog(QWidget *parent = nullptr, const QString &startDirectory = {})
        : m_parent(parent),
          m_startDirectory(startDirectory)
    {
    }

protected:
    bool run(DialogKind kind) override;

private:
    bool runColor();

    QPointer<QWidget> m_parent;
    QString m_startDirectory;
};

// The folder a dialog opens in: FileName's own folder, a relative one taken
// from `startDirectory`; `startDirectory` itself when FileName is empty.
QString dialogDirectory(const QString &fileName, const QString &startDirectory);

}  // namespace platform
