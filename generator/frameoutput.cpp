#include "generator/frameoutput.h"

#include "commands/impresion.h"
#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"

#include <QPrinter>

namespace generator {

FrameOutput::FrameOutput(frame::MDIParent &parent, Printer print)
    : m_parent(parent),
      m_print(print ? std::move(print) : Printer(printOnDefaultPrinter))
{
}

QString FrameOutput::programDirectory() const
{
    return m_parent.programDirectory();
}

QList<merge::OutputHost::Report> FrameOutput::reports()
{
    QList<Report> open;
    frame::Editor &editor = m_parent.editor();
    for (int slot = 1; slot <= editor.upperBound(); ++slot) {
        frame::MDIchild *child = editor.documentos(slot);
        if (child && editor.estados(slot).borrado == frame::kFalso)
            open.append({slot, child->claimNumber(), &child->TXTextControl1()});
    }
    return open;
}

void FrameOutput::openWithAssociatedApplication(const QString &path)
{
    m_parent.services().lanzador->openWithAssociatedApplication(path);
}

bool FrameOutput::startDetached(const QString &program, const QStringList &arguments, QString *error)
{
    platform::Launcher &launcher = *m_parent.services().lanzador;
    if (launcher.startDetached(program, arguments))
        return true;
    *error = launcher.errorString();
    return false;
}

bool FrameOutput::print(TXTextControl &control, QString *error)
{
    return m_print(control, error);
}

bool printOnDefaultPrinter(TXTextControl &control, QString *error)
{
    QPrinter printer;
    return commands::printAllPages(control, printer, error);
}

}  // namespace generator
