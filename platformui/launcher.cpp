#include "platformui/launcher.h"

#include <QProcess>

namespace platform {

bool ProcessLauncher::openWithAssociatedApplication(const QString &path)
{
    return startDetached(kOpener.toString(), {path});
}

bool ProcessLauncher::startDetached(const QString &program, const QStringList &arguments)
{
    if (QProcess::startDetached(program, arguments))
        return true;
    m_error = QStringLiteral("No se puede ejecutar %1").arg(program);
    return false;
}

bool RecordingLauncher::openWithAssociatedApplication(const QString &path)
{
    m_calls.append({kOpener.toString(), {path}});
    return true;
}

bool RecordingLauncher::startDetached(const QString &program, const QStringList &arguments)
{
    m_calls.append({program, arguments});
    return true;
}

}  // namespace platform
