#include "platformui/icons.h"

#include <QFile>

namespace platform {

namespace {

QString bundledPath(const QString &name, int size)
{
    return QStringLiteral(":/icons/%1-%2.png").arg(name).arg(size);
}

}  // namespace

bool hasBundledIcon(const QString &name)
{
    return QFile::exists(bundledPath(name, 24));
}

QIcon commandIcon(const QString &name)
{
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    QIcon icon;
    if (hasBundledIcon(name)) {
        icon.addFile(bundledPath(name, 24), QSize(24, 24));
        icon.addFile(bundledPath(name, 48), QSize(48, 48));
    }
    return icon;
}

}  // namespace platform
