#include "frame/editor.h"

#include "frame/mdichild.h"
#include "merge/generacion.h"
#include "merge/titular.h"
#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace frame {

Editor::Editor(QMdiArea *area, const FrameServices &services, const QString &programDir,
               QObject *parent)
    : QObject(parent),
      m_area(area),
      m_services(services),
      m_programDir(programDir)
{
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (window)
            setActivo(qobject_cast<MDIchild *>(window->widget()));
    });
}

Editor::~Editor() = default;

MDIchild *Editor::documento(int slot) const
{
    return slot >= 1 && slot < m_documentos.size() ? m_documentos.at(slot).data() : nullptr;
}

estado_documento &Editor::estado(int slot)
{
    Q_ASSERT(slot >= 1 && slot < m_estados.size());
    return m_estados[slot];
}

int Editor::slotOf(const MDIchild *child) const
{
    if (!child)
        return 0;
    bool ok = false;
    const int slot = child->Tag().toInt(&ok);
    return ok && slot >= 1 && slot < m_estados.size() ? slot : 0;
}

void Editor::setActivo(MDIchild *child)
{
    if (m_activo == child)
        return;
    m_activo = child;
    if (child) {
        if (auto *window = qobject_cast<QMdiSubWindow *>(child->parentWidget()))
            m_area->setActiveSubWindow(window);
    }
    emit activoChanged(child);
}

TXTextControl *Editor::controlActivo() const
{
    return m_activo ? &m_activo->TXTextControl1() : nullptr;
}

MDIchild *Editor::crearVentana(int slot)
{
    if (MDIchild *existing = documento(slot))
        return existing;
    auto *child = new MDIchild(*this);
    QMdiSubWindow *window = m_area->addSubWindow(child);
    window->resize(window->sizeHint());
    m_documentos[slot] = child;
    return child;
}

void Editor::iniciar()
{
    MDIchild *child = crearVentana(1);
    child->setTag(QStringLiteral("1"));
    m_estados[1].modificado = kFalso;
    child->show();
    setActivo(child);
}

int Editor::buscar_hueco()
{
    for (int slot = 1; slot <= upperBound(); ++slot) {
        if (m_estados[slot].borrado) {
            m_estados[slot].borrado = kFalso;
            return slot;
        }
    }
    m_documentos.append(nullptr);
    m_estados.append(estado_documento{});
    return upperBound();
}

MDIchild *Editor::nuevo_documento()
{
    const int slot = buscar_hueco();
    MDIchild *child = crearVentana(slot);
    child->setTag(QString::number(slot));
    child->setCaption(kSinTitulo.toString() + QString::number(slot));
    m_estados[slot].modificado = kFalso;
    child->show();
    setActivo(child);
    return child;
}

MDIchild *Editor::abrirEn(const QString &path, const std::function<bool(TXTextControl &)> &load)
{
    const int slot = buscar_hueco();
    MDIchild *child = crearVentana(slot);
    child->setTag(QString::number(slot));
    TXTextControl &control = child->TXTextControl1();
    const bool known = merge::loadFormatForPath(path) != 0;
    if (known && !load(control)) {
        // Nothing read: no empty window is left behind as if the file were empty.
        m_estados[slot].borrado = kVerdadero;
        child->closeWithoutPrompt();
        mensaje(QStringLiteral("No se puede abrir el fichero: ") + path);
        return nullptr;
    }
    control.usePageOfLoad();
    // A file of another kind was not read: it stays untitled, so that a
    // save asks for a name instead of writing over it.
    child->setCaption(known ? path : kSinTitulo.toString() + QString::number(slot));
    // A reused slot keeps no flag of the window that had it before.
    m_estados[slot].modificado = kFalso;
    child->show();
    setActivo(child);
    return child;
}

MDIchild *Editor::abrir_fichero(const QString &path)
{
    const QString trimmed = path.trimmed();
    const int format = merge::loadFormatForPath(trimmed);
    return abrirEn(trimmed, [&](TXTextControl &control) { return control.Load(trimmed, 0, format); });
}

MDIchild *Editor::abrir_contenido(const QString &path, const textctl::DocumentContent &content)
{
    return abrirEn(path.trimmed(), [&](TXTextControl &control) { return control.LoadContent(content); });
}

void Editor::abrir()
{
    platform::CommonDialog &dialogo = *m_services.dialogo;
    dialogo.DialogTitle = QStringLiteral("Abrir fichero");
    dialogo.FileName = m_programDir + QStringLiteral("/plant/*.rtf");
    dialogo.Filter = QStringLiteral("Archivos de texto enriquecido (*.rtf)|*.rtf|Documento de WORD (*.doc)|*.doc|Documentos de texto (*.txt)|*.txt");
    dialogo.FilterIndex = 1;
    dialogo.Flags = 6148;
    if (dialogo.ShowOpen() != 0)
        return;
    abrir_fichero(dialogo.FileName);
}

bool Editor::esSinTitulo(const QString &caption)
{
    return caption.left(10).toUpper() == u"SIN TITULO";
}

void Editor::guardar_documento()
{
    if (!m_activo)
        return;
    const QString path = esSinTitulo(m_activo->caption()) ? pedir_nombre() : m_activo->caption();
    if (!path.isEmpty())
        guardar_fichero(path);
}

QString Editor::pedir_nombre()
{
    platform::CommonDialog &dialogo = *m_services.dialogo;
    dialogo.DialogTitle = QStringLiteral("Save As");
    dialogo.Filter = QStringLiteral("Archivo de texto enriquecido (*.rtf)|*.rtf|Archivo de texto (*.txt)|*.txt");
    dialogo.FileName.clear();
    dialogo.Flags = 2054;
    if (dialogo.ShowSave() != 0)
        return {};
    return dialogo.FileName;
}

void Editor::guardar_como()
{
    const QString path = pedir_nombre();
    if (!path.isEmpty())
        guardar_fichero(path);
}

bool Editor::todos_cerrados() const
{
    for (int slot = 1; slot <= upperBound(); ++slot)
        if (!m_estados[slot].borrado)
            return false;
    return true;
}

bool Editor::comprobar_titular()
{
    TXTextControl *control = controlActivo();
    if (!control)
        return false;
    if (m_activo->tieneTitular())
        return merge::comprobar_titular(*control, m_activo->titular(), m_activo->cif());
    return merge::comprobar_titular(*control, m_programDir, 1);
}

void Editor::guardaritem()
{
    if (comprobar_titular())
        guardar_documento();
    else
        mensaje(QStringLiteral("No se puede guardar el documento.Falta el titular y/o el cif"));
}

void Editor::guardarcomoitem()
{
    if (comprobar_titular())
        guardar_como();
    else
        mensaje(QStringLiteral("No se puede guardar el documento.Falta el titular y/o el cif"));
}

void Editor::imprimiritem()
{
    if (!comprobar_titular())
        mensaje(QStringLiteral("No se puede imprimir el documento.Falta el titular y/o el cif"));
    else if (imprimir)
        imprimir();
}

void Editor::textoCambiado(MDIchild *child)
{
    if (const int slot = slotOf(child))
        m_estados[slot].modificado = kVerdadero;
}

void Editor::mensaje(const QString &text)
{
    m_services.mensajes->show(text, platform::OkOnly);
}

}  // namespace frame
