#pragma once

// The picture of a command: the desktop theme's icon of that name when a
// theme with it is installed, else the bundled one (platformui/icons/:
// symbolic icons of a free theme, compiled in), so that a machine with no
// desktop still shows scissors for "Cortar".
//
//   action->setIcon(platform::commandIcon(u"edit-cut"_s));

#include <QIcon>
#include <QString>

namespace platform {

QIcon commandIcon(const QString &name);
// True when the bundled set holds the icon (a null icon otherwise).
bool hasBundledIcon(const QString &name);

}  // namespace platform
