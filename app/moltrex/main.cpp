// moltrex: the unattended generator. Waits in its program directory (the
// executable's) for the claim's data file, merges, saves, hands on, ends.
// With no display it runs on the offscreen platform and reports on
// standard error only.

#include "frame/mdiparent.h"
#include "generator/generator.h"
#include "generator/generatormessages.h"
#include "platformui/display.h"
#include "platformui/qtmessageboxes.h"
#include "platformui/translations.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0) {
            std::puts(qPrintable(generator::usage()));
            return 0;
        }
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::prepareRuntimeDirectory();
    QApplication app(argc, argv);
    platform::installSpanishTranslations(app);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    auto boxes = std::make_unique<platform::QtMessageBoxes>();
    generator::GeneratorMessages mensajes(std::move(boxes));
    frame::FrameServices services;
    services.mensajes = &mensajes;
    frame::MDIParent parent(QCoreApplication::applicationDirPath(), services,
                            frame::MDIParent::AfterGeneration::StayHidden);
    generator::Generator generator(parent);
    if (!generator.MDIParent_Load(arguments.join(u' ')))
        return generator.exitCode();
    // Nobody needs to watch the wait: the window stays out of the way.
    if (platform::hasDisplay())
        parent.showMinimized();
    app.exec();
    if (generator.state() != generator::Generator::State::Ended)
        mensajes.show(QStringLiteral("moltrex cerrado antes de llegar %1.txt: no se ha escrito nada")
                          .arg(generator.arguments().wfichero));
    return generator.exitCode();
}
