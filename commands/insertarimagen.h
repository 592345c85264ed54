#pragma once

// The insert-picture command: asks for a picture file with the open dialog
// and places it on the page at `x` twips from the page's left edge and `y`
// twips below the top of what the control shows (its ScrollPosY), at its
// natural size. Cancelling does nothing; any other failure is shown, with
// only OK, as "No se puede insertar imagen: <file>. Error <text>.".
//
//   commands::insertar_imagen(*control, dialogo, mensajes, 1000, 1000);

class TXTextControl;

namespace platform {
class CommonDialog;
class MessageBoxes;
}

namespace commands {

void insertar_imagen(TXTextControl &control, platform::CommonDialog &dialogo,
                     platform::MessageBoxes &mensajes, int x, int y);

}  // namespace commands
