#include "display.h"

#include <QGuiApplication>

#include <cstdio>

namespace platform {

bool hasDisplay()
{
    const QString platformName = QGuiApplication::platformName();
    return platformName != u"offscreen" && platformName != u"minimal";
}

void reportWithoutDisplay(const QString &text)
{
    QString line = text;
    line.replace(u"\n\r"_qs, u"\n"_qs);
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

}  // namespace platform
