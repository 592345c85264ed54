// The editor as quorvel runs it, for the crash recovery test: 
//   recuperacion_driver escribir PROGRAMDIR FILE
//       types into the first, untitled window and into FILE opened, prints
//       "escrito <caption>" each time a document's recovery is written and
//       runs until killed;
//   recuperacion_driver recuperar PROGRAMDIR
//       answers Yes to the recovery question and prints each window as
//       "<caption>|<modified>|<text>".
// The recovery folder is the user's (XDG_DATA_HOME).

#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"
#include "frame/recuperacion.h"
#include "platformui/scripteddialogs.h"
#include "textctl/txtextcontrol.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    platform::ScriptedMessageBoxes mensajes;
    frame::FrameServices services;
    services.mensajes = &mensajes;
    frame::MDIParent parent(args[2], services);
    if (!parent.MDIParent_Load())
        return 1;
    frame::Editor &editor = parent.editor();
    frame::Recuperacion recuperacion(editor, frame::Recuperacion::defaultFolder());
    if (args[1] == u"recuperar") {
        mensajes.answerNext(platform::Answer::Yes);
        recuperacion.ofrecer();
        for (int slot = 1; slot <= editor.upperBound(); ++slot) {
            if (frame::MDIchild *child = editor.documentos(slot); child && editor.estados(slot).borrado == frame::kFalso)
                std::printf("%s|%d|%s\n", qPrintable(child->caption()), editor.estados(slot).modificado,
                            qPrintable(child->TXTextControl1().Text().split(u'\n').first().remove(u'\r')));
        }
        return 0;
    }
    editor.documentos(1)->TXTextControl1().setSelText(QStringLiteral("Borrador sin título"));
    editor.abrir_fichero(args[3])->TXTextControl1().setSelText(QStringLiteral("Añadido antes del fallo. "));
    QObject::connect(&recuperacion, &frame::Recuperacion::written, [](const QString &caption) {
        std::printf("escrito %s\n", qPrintable(caption));
        std::fflush(stdout);
    });
    recuperacion.start();
    return app.exec();
}
