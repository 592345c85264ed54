#include "generator/salidamarco.h"

#include "commands/impresion.h"
#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"

#include <QPrinter>

namespace generator {

SalidaMarco::SalidaMarco(frame::MDIParent &parent, Impresora imprimir)
    : m_parent(parent),
      m_imprimir(imprimir ? std::move(imprimir) : Impresora(imprimir_en_impresora_predeterminada))
{
}

QString SalidaMarco::programDirectory() const
{
    return m_parent.programDirectory();
}

QList<merge::OutputHost::Report> SalidaMarco::reports()
{
    QList<Report> open;
    frame::Editor &editor = m_parent.editor();
    for (int slot = 1; slot <= editor.upperBound(); ++slot) {
        frame::MDIchild *child = editor.documento(slot);
        if (child && editor.estado(slot).borrado == frame::kFalso)
            open.append({slot, child->numeroExpediente(), &child->TXTextControl1()});
    }
    return open;
}

void SalidaMarco::openWithAssociatedApplication(const QString &path)
{
    m_parent.services().lanzador->openWithAssociatedApplication(path);
}

bool SalidaMarco::startDetached(const QString &program, const QStringList &arguments, QString *error)
{
    platform::Launcher &launcher = *m_parent.services().lanzador;
    if (launcher.startDetached(program, arguments))
        return true;
    *error = launcher.errorString();
    return false;
}

bool SalidaMarco::print(TXTextControl &control, QString *error)
{
    return m_imprimir(control, error);
}

bool imprimir_en_impresora_predeterminada(TXTextControl &control, QString *error)
{
    QPrinter printer;
    return commands::imprimir_todo(control, printer, error);
}

}  // namespace generator
