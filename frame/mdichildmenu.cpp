// The document window's menus: every item with its name, caption, key and
// first check mark, and the commands behind them that act on the window's
// own control; file commands and search go to the editor module.

#include "frame/mdichild.h"

#include "commands/exportarpdf.h"
#include "commands/frmpagedlg.h"
#include "commands/insertarimagen.h"
#include "commands/printpreview.h"
#include "frame/editor.h"
#include "office/escanear.h"
#include "platformui/icons.h"
#include "textctl/dialogs/fontdialog.h"
#include "textctl/dialogs/listattributesdialog.h"
#include "textctl/dialogs/paragraphdialog.h"
#include "textctl/editing/listattributes.h"
#include "textctl/bars/txruler.h"
#include "textctl/model/areas.h"
#include "textctl/view/txtextview.h"

#include <QAction>
#include <QTextBlock>
#include <QTextCursor>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>

#include <array>

namespace frame {

namespace {

QKeySequence ctrl(Qt::Key key)
{
    return QKeySequence(Qt::CTRL | key);
}

// The zoom items and the percent each sets.
constexpr std::array<std::pair<const char16_t *, int>, 5> kZoomItems{{
    {u"zoomitem1", 30}, {u"zoomitem2", 50}, {u"zoomitem3", 75}, {u"zoomitem4", 100}, {u"zoomitem5", 200},
}};
constexpr std::array<const char16_t *, 3> kArrangeItems{u"cascadaitem", u"horizontalitem", u"verticalitem"};
// The header and footer items and the part of the set each switches.
constexpr std::array<std::pair<const char16_t *, int>, 4> kHeaderFooterItems{{
    {u"cabeceraitem", textctl::PageHeader},
    {u"cabecera1item", textctl::FirstPageHeader},
    {u"pieitem", textctl::PageFooter},
    {u"pie1item", textctl::FirstPageFooter},
}};

}  // namespace

QMenu *MDIchild::addMenu(QMenu *parent, const QString &name, const QString &caption)
{
    auto *menu = new QMenu(caption, this);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    if (parent)
        parent->addMenu(menu);
    else
        m_menuBarActions.append(menu->menuAction());
    return menu;
}

QAction *MDIchild::addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key,
                           std::function<void()> command)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    if (command)
        connect(action, &QAction::triggered, this, std::move(command));
    else
        action->setEnabled(false);
    return action;
}

void MDIchild::addSeparator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

QAction *MDIchild::item(const QString &name) const
{
    return findChild<QAction *>(name);
}

TXTextControl &MDIchild::editedControl()
{
    m_control.setHeaderFooterSelect(m_control.activeHeaderFooter());
    return m_control;
}

void MDIchild::createMenus()
{
    Editor &editor = m_editor;
    QMenu *fichero = addMenu(nullptr, QStringLiteral("ficheroitem1"), QStringLiteral("Fichero"));
    addItem(fichero, QStringLiteral("nuevoitem"), QStringLiteral("&Nuevo"), ctrl(Qt::Key_N), [&editor] { editor.nuevo_documento(); });
    addItem(fichero, QStringLiteral("abriritem"), QStringLiteral("&Abrir"), ctrl(Qt::Key_A), [&editor] { editor.abriritem(); });
    addItem(fichero, QStringLiteral("guardaritem"), QStringLiteral("&Guardar"), ctrl(Qt::Key_G), [&editor] { editor.guardaritem(); });
    addItem(fichero, QStringLiteral("guardarcomoitem"), QStringLiteral("Guardar &Como..."), ctrl(Qt::Key_C), [&editor] { editor.guardarcomoitem(); });
    addItem(fichero, QStringLiteral("exportarpdfitem"), QStringLiteral("Exportar a &PDF..."), {}, [this] {
        const FrameServices &services = m_editor.services();
        commands::exportar_pdf(m_control, *services.dialogo, *services.mensajes, caption());
    });
    addSeparator(fichero, QStringLiteral("separador1item"));
    addItem(fichero, QStringLiteral("imprimiritem"), QStringLiteral("&Imprimir"), ctrl(Qt::Key_I), [&editor] { editor.imprimiritem(); });
    addItem(fichero, QStringLiteral("vistapreviaitem"), QStringLiteral("&Vista Previa"), ctrl(Qt::Key_V),
            [this] { commands::showPrintPreview(m_control, window()); });
    addItem(fichero, QStringLiteral("emailitem"), QStringLiteral("Correo &Electronico (E-mail)"), {}, [&editor] { editor.emailitem(); });
    addItem(fichero, QStringLiteral("faxitem"), QStringLiteral("Enviar Fax"), {}, nullptr);
    addSeparator(fichero, QStringLiteral("separador2item"));
    addItem(fichero, QStringLiteral("saliritem"), QStringLiteral("&Salir"), ctrl(Qt::Key_S), [this] { saliritem_Click(); });

    m_mnueditar = addMenu(nullptr, QStringLiteral("mnueditar"), QStringLiteral("Editar"));
    addItem(m_mnueditar, QStringLiteral("deshaceritem"), QStringLiteral("&Deshacer"), {}, [this] { editedControl().Undo(); });
    addItem(m_mnueditar, QStringLiteral("rehaceritem"), QStringLiteral("Re&hacer"), {}, [this] { editedControl().Redo(); });
    addItem(m_mnueditar, QStringLiteral("cortaritem"), QStringLiteral("Cor&tar"), ctrl(Qt::Key_T), [this] { editedControl().Clip(1); });
    addItem(m_mnueditar, QStringLiteral("copiaritem"), QStringLiteral("Co&piar"), ctrl(Qt::Key_P), [this] { editedControl().Clip(2); });
    addItem(m_mnueditar, QStringLiteral("pegaritem"), QStringLiteral("P&egar"), ctrl(Qt::Key_E), [this] { editedControl().Clip(3); });
    addItem(m_mnueditar, QStringLiteral("borraritem"), QStringLiteral("&Borrar"), ctrl(Qt::Key_B), [this] { editedControl().Clip(4); });
    addSeparator(m_mnueditar, QStringLiteral("separador3item"));
    addItem(m_mnueditar, QStringLiteral("seltodoitem"), QStringLiteral("Se&leccionar Todo..."), ctrl(Qt::Key_L), [this] {
        editedControl();
        m_editor.seleccionar_todo();
    });
    addItem(m_mnueditar, QStringLiteral("buscaritem"), QStringLiteral("&Buscar"), QKeySequence(Qt::Key_F3), [&editor] { editor.buscar_reemplazar(1); });
    addItem(m_mnueditar, QStringLiteral("reemplazaritem"), QStringLiteral("Ree&mplazar"), QKeySequence(Qt::Key_F4), [&editor] { editor.buscar_reemplazar(2); });
    // The keys every word processor has for undo and redo, besides the menu.
    const auto addKey = [this](const QKeySequence &key, void (TXTextControl::*command)()) {
        auto *shortcut = new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, command] { (editedControl().*command)(); });
    };
    addKey(ctrl(Qt::Key_Z), &TXTextControl::Undo);
    addKey(ctrl(Qt::Key_Y), &TXTextControl::Redo);

    QMenu *ver = addMenu(nullptr, QStringLiteral("veritem"), QStringLiteral("&Ver"));
    addItem(ver, QStringLiteral("herramientasitem"), QStringLiteral("Barra de &Herramientas"), {},
            [this] { switchBar(m_editor.frameBars().toolStrip, QStringLiteral("herramientasitem")); });
    addItem(ver, QStringLiteral("parrafo2item"), QStringLiteral("Barra de &Parrafo"), {},
            [this] { switchBar(m_editor.frameBars().buttonBar, QStringLiteral("parrafo2item")); });
    addItem(ver, QStringLiteral("reglaitem"), QStringLiteral("Reg&la"), {}, [this] {
        setRulerVisible(m_ruler->isHidden());
        item(QStringLiteral("reglaitem"))->setChecked(!m_ruler->isHidden());
    });
    addItem(ver, QStringLiteral("estadoitem"), QStringLiteral("Barra de &Estado"), {},
            [this] { switchBar(m_editor.frameBars().statusBar, QStringLiteral("estadoitem")); });
    addItem(ver, QStringLiteral("ortografiaitem"), QStringLiteral("Revisar ortografía al escribir"), {},
            [this] { setSpellingUnderline(item(QStringLiteral("ortografiaitem"))->isChecked()); });
    for (const char *name : {"herramientasitem", "parrafo2item", "reglaitem", "estadoitem", "ortografiaitem"}) {
        item(QString::fromLatin1(name))->setCheckable(true);
        item(QString::fromLatin1(name))->setChecked(true);
    }
    QMenu *zoom = addMenu(ver, QStringLiteral("zoomitem"), QStringLiteral("&Zoom"));
    for (const auto &[name, percent] : kZoomItems) {
        QAction *action = addItem(zoom, QString::fromUtf16(name), u'&' + QString::number(percent) + u'%', {},
                                  [this, percent = percent] { setZoom(percent); });
        action->setCheckable(true);
    }
    showZoomMarks(m_control.ZoomFactor());
    connect(&m_control, &TXTextControl::zoomChanged, this, &MDIchild::showZoomMarks);

    QMenu *insertar = addMenu(nullptr, QStringLiteral("insertaritem"), QStringLiteral("Insertar"));
    addItem(insertar, QStringLiteral("textoitem"), QStringLiteral("&Texto"), QKeySequence(Qt::CTRL | Qt::Key_F1), [this] {
        editedControl();
        m_editor.insertar_fichero();
    });
    QMenu *imagen = addMenu(insertar, QStringLiteral("imagenitem"), QStringLiteral("&Imagen"));
    addItem(imagen, QStringLiteral("dearchivoitem"), QStringLiteral("De Archivo"), {}, [this] { insertPicture(); });
    addItem(imagen, QStringLiteral("descanneritem"), QStringLiteral("De Scanner"), {}, [this] { scanPicture(); });
    addSeparator(insertar, QStringLiteral("separador5item"));
    addItem(insertar, QStringLiteral("cabeceraitem"), QStringLiteral("Cabecera"), {}, [this] { switchHeaderFooter(textctl::PageHeader); });
    addItem(insertar, QStringLiteral("cabecera1item"), QStringLiteral("Cabecera de 1ª pagina"), {},
            [this] { switchHeaderFooter(textctl::FirstPageHeader); });
    addSeparator(insertar, QStringLiteral("separador4item"));
    addItem(insertar, QStringLiteral("pieitem"), QStringLiteral("Pie"), {}, [this] { switchHeaderFooter(textctl::PageFooter); });
    addItem(insertar, QStringLiteral("pie1item"), QStringLiteral("Pie 1ª pagina"), {}, [this] { switchHeaderFooter(textctl::FirstPageFooter); });
    for (const auto &[name, part] : kHeaderFooterItems)
        item(QString::fromUtf16(name))->setCheckable(true);
    showHeaderFooterMarks();
    connect(&m_control, &TXTextControl::headerFooterChanged, this, &MDIchild::showHeaderFooterMarks);
    addSeparator(insertar, QStringLiteral("separadoritem10"));
    addItem(insertar, QStringLiteral("saltopagitem"), QStringLiteral("Salto de página"), {},
            [this] { editedControl().setSelText(QString(QChar(12))); });

    QMenu *formato = addMenu(nullptr, QStringLiteral("formatoitem"), QStringLiteral("Formato"));
    addItem(formato, QStringLiteral("Fuentesitem"), QStringLiteral("F&uentes"), ctrl(Qt::Key_U),
            [this] { textctl::showFontDialog(editedControl(), window()); });
    addItem(formato, QStringLiteral("colorfntitem"), QStringLiteral("&Color de la Fuente"), {}, [this] {
        editedControl();
        m_editor.elegir_color(1);
    });
    addItem(formato, QStringLiteral("colorbcgitem"), QStringLiteral("Color del Fondo"), {}, [this] {
        editedControl();
        m_editor.elegir_color(2);
    });
    addSeparator(formato, QStringLiteral("separadoritem5"));
    addItem(formato, QStringLiteral("parrafoitem"), QStringLiteral("Parrafo"), {},
            [this] { textctl::showParagraphDialog(editedControl(), window()); });
    QMenu *listas = addMenu(formato, QStringLiteral("numviitem"), QStringLiteral("Numeración y viñetas"));
    addItem(listas, QStringLiteral("atributositem"), QStringLiteral("Atributos"), {},
            [this] { textctl::showListAttributesDialog(editedControl(), window()); });
    addItem(listas, QStringLiteral("inclevelitem"), QStringLiteral("Incrementar un nivel"), {}, [this] { changeLevel(1); });
    addItem(listas, QStringLiteral("declevelitem"), QStringLiteral("Decrementar un nivel"), {}, [this] { changeLevel(-1); });
    addSeparator(listas, QStringLiteral("separadoritem9"));
    addItem(listas, QStringLiteral("numerositem"), QStringLiteral("1, 2, 3, ..."), {}, [this] { setNumbering(3); });
    addItem(listas, QStringLiteral("letrasmayitem"), QStringLiteral("A, B, C, ..."), {}, [this] { setNumbering(4); });
    addItem(listas, QStringLiteral("letrasminitem"), QStringLiteral("a, b, c, ..."), {}, [this] { setNumbering(5); });
    addItem(listas, QStringLiteral("numromanositem"), QStringLiteral("I, II, III, IV, ..."), {}, [this] { setNumbering(6); });
    addItem(listas, QStringLiteral("simboloitem"), QStringLiteral("Simbolo"), {}, nullptr);
    addSeparator(formato, QStringLiteral("separadoritem6"));
    addItem(formato, QStringLiteral("correctoritem"), QStringLiteral("Corrector ortográfico"), {}, [this] { correctoritem_Click(); });
    addItem(formato, QStringLiteral("docitem"), QStringLiteral("Documento"), {}, [this] {
        if (commands::configurar_pagina(m_control, window()))
            m_editor.textChanged(this);
    });
    createTableMenu(formato);

    QMenu *ventana = addMenu(nullptr, QStringLiteral("ventanaitem"), QStringLiteral("&Ventana"));
    addItem(ventana, QStringLiteral("cascadaitem"), QStringLiteral("&Cascada"), {}, [this] { arrange(0, QStringLiteral("cascadaitem")); });
    addItem(ventana, QStringLiteral("horizontalitem"), QStringLiteral("En &Horizontal"), {},
            [this] { arrange(1, QStringLiteral("horizontalitem")); });
    addItem(ventana, QStringLiteral("verticalitem"), QStringLiteral("En Ver&tical"), {}, [this] { arrange(2, QStringLiteral("verticalitem")); });
    for (const char16_t *name : kArrangeItems)
        item(QString::fromUtf16(name))->setCheckable(true);

    // Pictures for the commands that have a common one.
    const std::pair<const char *, const char *> pictures[] = {
        {"nuevoitem", "document-new"},        {"abriritem", "document-open"},
        {"guardaritem", "document-save"},     {"imprimiritem", "document-print"},
        {"vistapreviaitem", "document-print-preview"}, {"emailitem", "document-send"},
        {"saliritem", "application-exit"},    {"deshaceritem", "edit-undo"},
        {"rehaceritem", "edit-redo"},         {"cortaritem", "edit-cut"},
        {"copiaritem", "edit-copy"},          {"pegaritem", "edit-paste"},
        {"borraritem", "edit-delete"},        {"seltodoitem", "edit-select-all"},
        {"buscaritem", "edit-find"},          {"reemplazaritem", "edit-find-replace"},
        {"textoitem", "insert-text"},         {"dearchivoitem", "insert-image"},
        {"descanneritem", "scanner"},         {"Fuentesitem", "font-select"},
        {"colorfntitem", "color-select"},     {"inclevelitem", "format-indent-more"},
        {"declevelitem", "format-indent-less"}, {"correctoritem", "tools-check-spelling"},
        {"docitem", "document-page-setup"},
    };
    for (const auto &[name, icon] : pictures)
        item(QString::fromLatin1(name))->setIcon(platform::commandIcon(QString::fromLatin1(icon)));

    auto *salir2 = new QAction(QStringLiteral("Salir"), this);
    salir2->setObjectName(QStringLiteral("saliritem2"));
    connect(salir2, &QAction::triggered, this, &MDIchild::saliritem_Click);
    m_menuBarActions.append(salir2);
}

void MDIchild::saliritem_Click()
{
    m_editor.setActiveWindow(this);
    if (m_editor.exitCommand())
        m_editor.endProgram();
}

// The bars belong to the main window; the mark to this window's menu, so
// another window's mark may still show a bar that is hidden.
void MDIchild::switchBar(QWidget *bar, const QString &name)
{
    if (!bar)
        return;
    bar->setVisible(bar->isHidden());
    item(name)->setChecked(!bar->isHidden());
}

void MDIchild::setZoom(int percent)
{
    m_control.setZoomFactor(percent);
    showZoomMarks(percent);
}

// The item of the zoom shown is checked, the others not (none for a zoom
// the main window's box set to another value).
void MDIchild::showZoomMarks(int percent)
{
    for (const auto &[name, value] : kZoomItems)
        item(QString::fromUtf16(name))->setChecked(value == percent);
}

void MDIchild::arrange(int how, const QString &name)
{
    m_editor.arrange(how);
    for (const char16_t *other : kArrangeItems)
        item(QString::fromUtf16(other))->setChecked(QString::fromUtf16(other) == name);
}

// The marks show the areas the document holds, whatever added them: a file,
// a merge or these items.
void MDIchild::showHeaderFooterMarks()
{
    const int set = m_control.HeaderFooter();
    for (const auto &[name, part] : kHeaderFooterItems)
        item(QString::fromUtf16(name))->setChecked((set & part) != 0);
}

// An area the document holds is removed as an undoable edit; one it lacks is
// added and opened for editing.
void MDIchild::switchHeaderFooter(int part)
{
    if (m_control.HeaderFooter() & part) {
        m_control.removeHeaderFooter(part);
        return;
    }
    m_control.setHeaderFooter(m_control.HeaderFooter() + part);
    m_control.setHeaderFooterSelect(part);
    m_control.setHeaderFooterSelect(textctl::MainText);
    m_control.activateHeaderFooter(part);
}

void MDIchild::setNumbering(int style)
{
    const QTextCursor cursor = editedControl().cursor();
    QTextCursor block(cursor);
    block.beginEditBlock();
    textctl::setNumberAttribute(cursor, textctl::NumberStyle, style);
    textctl::setListKind(cursor, textctl::ListKind::Numbers);
    block.endEditBlock();
}

// One level further in (1) or out (-1): the label and the text move by the
// distance between them; the level stops at 1 and the positions at 0.
void MDIchild::changeLevel(int direction)
{
    const QTextCursor cursor = editedControl().cursor();
    if (cursor.isNull())
        return;
    QTextCursor block(cursor);
    block.beginEditBlock();
    const textctl::ListKind kind = textctl::listKindOf(cursor.block());
    if (kind == textctl::ListKind::Bullets || kind == textctl::ListKind::Numbers) {
        const bool bullets = kind == textctl::ListKind::Bullets;
        const auto read = [&](int index) {
            return bullets ? textctl::bulletAttribute(cursor, index) : textctl::numberAttribute(cursor, index);
        };
        const auto write = [&](int index, int value) {
            if (bullets)
                textctl::setBulletAttribute(cursor, index, value);
            else
                textctl::setNumberAttribute(cursor, index, value);
        };
        const int levelIndex = bullets ? int(textctl::BulletLevel) : int(textctl::NumberLevel);
        const int labelIndex = bullets ? int(textctl::BulletPosition) : int(textctl::NumberPosition);
        const int textIndex = bullets ? int(textctl::BulletTextPosition) : int(textctl::NumberTextPosition);
        const int level = read(levelIndex);
        const int label = read(labelIndex);
        const int text = read(textIndex);
        const int step = text - label;
        if (direction > 0 || (level > 1 && label - step >= 0)) {
            write(levelIndex, level + direction);
            write(labelIndex, label + direction * step);
            write(textIndex, text + direction * step);
        }
    }
    textctl::setListKind(cursor, kind);
    block.endEditBlock();
}

void MDIchild::insertPicture()
{
    const FrameServices &services = m_editor.services();
    commands::insertar_imagen(editedControl(), *services.dialogo, *services.mensajes, 1000, 1000);
}

void MDIchild::scanPicture()
{
    office::insertar_escaneo(editedControl(), *m_editor.services().mensajes, 1000, 1000, office::ScanProgress(this));
}

}  // namespace frame
