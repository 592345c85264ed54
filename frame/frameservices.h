#pragma once

// The platform services a main window works through: the common dialog
// `dialogo`, the printer dialog, message boxes, the screen pointer,
// program starts and the mail transport. The programs pass the real ones
// (the mail transport left null is the system's sendmail); tests pass
// scripted doubles.

#include "office/transportecorreo.h"
#include "platformui/commondialog.h"
#include "platformui/launcher.h"
#include "platformui/messageboxes.h"
#include "platformui/printerdialog.h"
#include "platformui/screenpointer.h"

namespace frame {

struct FrameServices {
    platform::CommonDialog *dialogo = nullptr;
    platform::MessageBoxes *mensajes = nullptr;
    platform::ScreenPointer *puntero = nullptr;
    platform::Launcher *lanzador = nullptr;
    platform::PrinterDialog *impresora = nullptr;
    const office::AjustesCorreo *correo = nullptr;
};

}  // namespace frame
