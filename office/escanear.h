#pragma once

// "De Scanner": acquires a page from the scanner, showing how much is read
// with a way to cancel, and places it on the page as a picture file is
// placed ("De Archivo"): at `x` twips from the page's left edge and `y`
// twips below the top of what the control shows, one undo step. Colour and
// grey pages are stored as JPEG, black and white ones as PNG. Cancelling
// does nothing; any failure is shown, with only OK, as
// "No se puede escanear la imagen: <cause>.".
//
//   office::insertar_escaneo(*control, mensajes, 1000, 1000, office::ScanProgress(window));

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;
class TXTextControl;

namespace platform {
class MessageBoxes;
}

namespace office {

// `progress` as scanPage takes it (scanner.h).
bool insertar_escaneo(TXTextControl &control, platform::MessageBoxes &mensajes, int x, int y,
                      const std::function<bool(int percent)> &progress);

// A modal progress dialog, "Escaneando...", shown once the scan takes a
// moment; its "Cancelar" cancels the scan.
class ScanProgress final {
public:
    explicit ScanProgress(QWidget *parent);
    bool operator()(int percent);

private:
    std::shared_ptr<QProgressDialog> m_dialog;
};

}  // namespace office
