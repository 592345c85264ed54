#include "frame/editor.h"

#include "data/claimdata.h"
#include "frame/mdichild.h"
#include "merge/titular.h"
#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace frame {

namespace {

// The open dialog's flags: the file and its path must exist, no read-only box.
constexpr int kOpenFlags = platform::FlagFileMustExist | platform::FlagPathMustExist | platform::FlagHideReadOnly;
// The save dialog's: confirm an overwrite, the path must exist, no read-only box.
constexpr int kSaveFlags = platform::FlagOverwritePrompt | platform::FlagPathMustExist | platform::FlagHideReadOnly;

}  // namespace

Editor::Editor(QMdiArea *area, const FrameServices &services, const QString &programDir,
               QObject *parent)
    : QObject(parent),
      m_area(area),
      m_services(services),
      m_programDir(programDir)
{
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (window)
            setActiveWindow(qobject_cast<MDIchild *>(window->widget()));
    });
}

Editor::~Editor() = default;

void Editor::endProgram() const
{
    if (m_endProgram)
        m_endProgram();
}

MDIchild *Editor::documentos(int slot) const
{
    return slot >= 1 && slot < m_documentos.size() ? m_documentos.at(slot).data() : nullptr;
}

estado_documento &Editor::estados(int slot)
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

void Editor::setActiveWindow(MDIchild *child)
{
    if (m_active == child)
        return;
    m_active = child;
    if (child) {
        if (auto *window = qobject_cast<QMdiSubWindow *>(child->parentWidget()))
            m_area->setActiveSubWindow(window);
    }
    emit activeWindowChanged(child);
}

TXTextControl *Editor::activeControl() const
{
    return m_active ? &m_active->TXTextControl1() : nullptr;
}

MDIchild *Editor::createWindow(int slot)
{
    if (MDIchild *existing = documentos(slot))
        return existing;
    auto *child = new MDIchild(*this);
    QMdiSubWindow *window = m_area->addSubWindow(child);
    window->resize(window->sizeHint());
    m_documentos[slot] = child;
    return child;
}

void Editor::openFirstWindow()
{
    MDIchild *child = createWindow(1);
    child->setTag(QStringLiteral("1"));
    m_estados[1].modificado = kFalso;
    child->show();
    setActiveWindow(child);
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
    MDIchild *child = createWindow(slot);
    child->setTag(QString::number(slot));
    child->setCaption(kSinTitulo.toString() + QString::number(slot));
    m_estados[slot].modificado = kFalso;
    child->show();
    setActiveWindow(child);
    return child;
}

MDIchild *Editor::openIn(const QString &path, const std::function<bool(TXTextControl &)> &load)
{
    const int slot = buscar_hueco();
    MDIchild *child = createWindow(slot);
    child->setTag(QString::number(slot));
    TXTextControl &control = child->TXTextControl1();
    const bool known = textctl::formatForPath(path) != 0;
    if (known && !load(control)) {
        // Nothing read: no empty window is left behind as if the file were empty.
        m_estados[slot].borrado = kVerdadero;
        child->closeWithoutPrompt();
        message(QStringLiteral("No se puede abrir el fichero: ") + path);
        return nullptr;
    }
    control.usePageOfLoad();
    // A file of another kind was not read: it stays untitled, so that a
    // save asks for a name instead of writing over it.
    child->setCaption(known ? path : kSinTitulo.toString() + QString::number(slot));
    // A reused slot keeps no flag of the window that had it before.
    m_estados[slot].modificado = kFalso;
    child->show();
    setActiveWindow(child);
    return child;
}

MDIchild *Editor::abrir_fichero(const QString &path)
{
    const QString trimmed = path.trimmed();
    const int format = textctl::formatForPath(trimmed);
    return openIn(trimmed, [&](TXTextControl &control) { return control.Load(trimmed, 0, format); });
}

MDIchild *Editor::abrir_fichero(const QString &path, const textctl::DocumentContent &content)
{
    return openIn(path.trimmed(), [&](TXTextControl &control) { return control.LoadContent(content); });
}

void Editor::abriritem()
{
    platform::CommonDialog &dialogo = *m_services.dialogo;
    dialogo.DialogTitle = QStringLiteral("Abrir fichero");
    dialogo.FileName = m_programDir + QStringLiteral("/plant/*.rtf");
    dialogo.Filter = QStringLiteral("Archivos de texto enriquecido (*.rtf)|*.rtf|Documento de WORD (*.doc)|*.doc|Documentos de texto (*.txt)|*.txt");
    dialogo.FilterIndex = 1;
    dialogo.Flags = kOpenFlags;
    if (dialogo.ShowOpen() != 0)
        return;
    abrir_fichero(dialogo.FileName);
}

bool Editor::isUntitled(const QString &caption)
{
    return caption.left(10).toUpper() == u"SIN TITULO";
}

void Editor::guardar_documento()
{
    if (!m_active)
        return;
    const QString path = isUntitled(m_active->caption()) ? pedir_nombre() : m_active->caption();
    if (!path.isEmpty())
        guardar_fichero(path);
}

QString Editor::pedir_nombre()
{
    platform::CommonDialog &dialogo = *m_services.dialogo;
    dialogo.DialogTitle = QStringLiteral("Save As");
    dialogo.Filter = QStringLiteral("Archivo de texto enriquecido (*.rtf)|*.rtf|Archivo de texto (*.txt)|*.txt");
    dialogo.FileName.clear();
    dialogo.Flags = kSaveFlags;
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
    TXTextControl *control = activeControl();
    if (!control)
        return false;
    data::HolderFields holder;
    if (m_active->holder()) {
        holder = *m_active->holder();
    } else {
        // Read afresh: the claim-management application may have written it since.
        data::ClaimData claims;
        if (data::loadClaimData(m_programDir, &claims))
            holder = claims.holder(1);
    }
    return merge::comprobar_titular(*control, holder);
}

void Editor::guardaritem()
{
    if (comprobar_titular())
        guardar_documento();
    else
        message(QStringLiteral("No se puede guardar el documento.") + merge::kFaltaTitular.toString());
}

void Editor::guardarcomoitem()
{
    if (comprobar_titular())
        guardar_como();
    else
        message(QStringLiteral("No se puede guardar el documento.") + merge::kFaltaTitular.toString());
}

void Editor::imprimiritem()
{
    if (!comprobar_titular())
        message(QStringLiteral("No se puede imprimir el documento.") + merge::kFaltaTitular.toString());
    else if (m_print)
        m_print();
}

void Editor::textChanged(MDIchild *child)
{
    if (const int slot = slotOf(child))
        m_estados[slot].modificado = kVerdadero;
}

void Editor::message(const QString &text)
{
    m_services.mensajes->show(text, platform::OkOnly);
}

TXTextControl *Editor::tabla_control() const
{
    return m_tablaControl;
}

void Editor::setTabla_control(TXTextControl *control)
{
    m_tablaControl = control;
}

}  // namespace frame
