#pragma once

// Whether the program has a screen to show windows on. With no display
// (neither DISPLAY nor WAYLAND_DISPLAY, or Qt's offscreen platform) no seam
// opens a dialog or a message box: what it would show goes to standard error.

#include <QString>

namespace platform {

bool hasDisplay();
// Before the application starts: with no XDG_RUNTIME_DIR (a service
// account, a container) give Qt the private directory it would make itself,
// so that standard error carries only the program's own messages.
void prepareRuntimeDirectory();
// Writes one message to standard error, as UTF-8, on a line of its own.
void reportWithoutDisplay(const QString &text);

}  // namespace platform
