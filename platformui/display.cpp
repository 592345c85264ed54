#include "platformui/display.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <unistd.h>

#include <cstdio>

namespace platform {

bool hasDisplay()
{
    const QString platformName = QGuiApplication::platformName();
    return platformName != u"offscreen" && platformName != u"minimal";
}

void prepareRuntimeDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir = QDir::tempPath() + QStringLiteral("/runtime-%1").arg(::geteuid());
    if (!QDir().mkpath(dir))
        return;
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}

void reportWithoutDisplay(const QString &text)
{
    QString line = text;
    line.replace(u"\n\r"_qs, u"\n"_qs);
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

}  // namespace platform
