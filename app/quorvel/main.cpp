// quorvel: the report editor. Its program directory is the executable's;
// its command line (`<path><flag>`) is the arguments joined by single blanks.

#include "frame/mdiparent.h"
#include "frame/recuperacion.h"
#include "platformui/display.h"
#include "platformui/translations.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("quorvel necesita una pantalla: no hay ninguna (DISPLAY y WAYLAND_DISPLAY vacías)\n", stderr);
        return 1;
    }
    platform::prepareRuntimeDirectory();
    QApplication app(argc, argv);
    platform::installSpanishTranslations(app);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    frame::MDIParent parent(QCoreApplication::applicationDirPath());
    if (!parent.MDIParent_Load())
        return 1;
    parent.show();
    // What a crash left is offered before the command line opens anything.
    frame::Recuperacion recuperacion(parent.editor(), frame::Recuperacion::defaultFolder());
    recuperacion.ofrecer();
    recuperacion.start();
    parent.actOnCommandLine(arguments.join(u' '));
    return app.exec();
}
