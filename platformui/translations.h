#pragma once

// Qt's own Spanish texts for its stock dialogs (file, colour, print and
// message boxes: "Abrir", "Cancelar", "Buscar en"), from the translations
// installed with Qt. False, with the standard dialogs left in English, when
// they are not installed.
//
//   QApplication app(argc, argv);
//   platform::installSpanishTranslations(app);

class QCoreApplication;

namespace platform {

bool installSpanishTranslations(QCoreApplication &app);

}  // namespace platform
