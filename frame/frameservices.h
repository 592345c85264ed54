#pragma once

// The platform services a main window works through: the common dialog
// `dialogo`, message boxes, the screen pointer and program starts. The
// programs pass the real ones; tests pass scripted doubles.

#include "commondialog.h"
#include "launcher.h"
#include "messageboxes.h"
#include "screenpointer.h"

namespace frame {

struct FrameServices {
    platform::CommonDialog *dialogo = nullptr;
    platform::MessageBoxes *mensajes = nullptr;
    platform::ScreenPointer *puntero = nullptr;
    platform::Launcher *lanzador = nullptr;
};

}  // namespace frame
