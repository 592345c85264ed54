// The main window's tool strip and its "Fichero" menu: short handlers that
// act on the current document through the editor module.

#include "frame/mdiparent.h"

#include "commands/printpreview.h"
#include "frame/editor.h"
#include "frame/mdichild.h"
#include "platformui/icons.h"
#include "textctl/view/txtextview.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

namespace frame {

QAction *MDIParent::addButton(const QString &name, const QString &toolTip, const QString &icon,
                              void (MDIParent::*slot)())
{
    QAction *action = m_pictoolbar->addAction(platform::commandIcon(icon), toolTip);
    action->setObjectName(name);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void MDIParent::createToolStrip()
{
    m_pictoolbar = addToolBar(QStringLiteral("pictoolbar"));
    m_pictoolbar->setObjectName(QStringLiteral("pictoolbar"));
    addButton(QStringLiteral("boton_nuevo"), QStringLiteral("Nuevo"), QStringLiteral("document-new"), &MDIParent::boton_nuevo_Click);
    addButton(QStringLiteral("boton_abrir"), QStringLiteral("Abrir"), QStringLiteral("document-open"), &MDIParent::boton_abrir_Click);
    addButton(QStringLiteral("boton_salvar"), QStringLiteral("Grabar"), QStringLiteral("document-save"), &MDIParent::boton_salvar_Click);
    addButton(QStringLiteral("boton_cortar"), QStringLiteral("Cortar"), QStringLiteral("edit-cut"), &MDIParent::boton_cortar_Click);
    addButton(QStringLiteral("boton_copiar"), QStringLiteral("Copiar"), QStringLiteral("edit-copy"), &MDIParent::boton_copiar_Click);
    addButton(QStringLiteral("boton_pegar"), QStringLiteral("Pegar"), QStringLiteral("edit-paste"), &MDIParent::boton_pegar_Click);
    addButton(QStringLiteral("boton_imprimir"), QStringLiteral("Imprimir"), QStringLiteral("document-print"), &MDIParent::boton_imprimir_Click);
    addButton(QStringLiteral("boton_vista"), QStringLiteral("Vista previa"), QStringLiteral("document-print-preview"), &MDIParent::boton_vista_Click);

    m_comboZoom = new QComboBox(m_pictoolbar);
    m_comboZoom->setObjectName(QStringLiteral("combo_zoom"));
    m_comboZoom->setEditable(true);
    m_comboZoom->addItems({QStringLiteral("30%"), QStringLiteral("50%"), QStringLiteral("75%"),
                           QStringLiteral("100%"), QStringLiteral("200%")});
    m_comboZoom->setEditText(QStringLiteral("100%"));
    m_comboZoom->setInsertPolicy(QComboBox::NoInsert);
    connect(m_comboZoom, &QComboBox::activated, this, &MDIParent::combo_zoom_Click);
    m_pictoolbar->addWidget(m_comboZoom);

    addButton(QStringLiteral("Image1"), QStringLiteral("Plantillas"), QStringLiteral("x-office-document"), &MDIParent::Image1_Click);
    addButton(QStringLiteral("boton_comprobar"), QStringLiteral("Comprobar plantilla"), QStringLiteral("object-select"),
              &MDIParent::boton_comprobar_Click);

    m_label1 = new QLabel(QStringLiteral("Campos:"), m_pictoolbar);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_pictoolbar->addWidget(m_label1);
    m_cboCampos = new QComboBox(m_pictoolbar);
    m_cboCampos->setObjectName(QStringLiteral("cboCampos"));
    m_cboCampos->setEditable(true);
    m_cboCampos->setInsertPolicy(QComboBox::NoInsert);
    m_cboCampos->setMinimumContentsLength(24);
    connect(m_cboCampos, &QComboBox::activated, this, &MDIParent::cboCampos_Click);
    m_pictoolbar->addWidget(m_cboCampos);
}

void MDIParent::createFileMenu()
{
    m_fileitem = new QMenu(QStringLiteral("Fichero"), this);
    m_fileitem->setObjectName(QStringLiteral("fileitem"));
    QAction *nuevo = m_fileitem->addAction(QStringLiteral("Nuevo"));
    nuevo->setObjectName(QStringLiteral("nuevoitem"));
    connect(nuevo, &QAction::triggered, this, [this] { m_editor->nuevo_documento(); });
    QAction *abrir = m_fileitem->addAction(QStringLiteral("Abrir"));
    abrir->setObjectName(QStringLiteral("abriritem"));
    connect(abrir, &QAction::triggered, this, &MDIParent::boton_abrir_Click);
    m_fileitem->addSeparator()->setObjectName(QStringLiteral("separador"));
    QAction *salir = m_fileitem->addAction(QStringLiteral("Salir"));
    salir->setObjectName(QStringLiteral("saliritem"));
    connect(salir, &QAction::triggered, this, &MDIParent::saliritem_Click);
}

QAction *MDIParent::button(const QString &name) const
{
    for (QAction *action : m_pictoolbar->actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

void MDIParent::boton_nuevo_Click()
{
    m_cboCampos->setEnabled(true);
    m_comboZoom->setEnabled(true);
    m_editor->nuevo_documento();
}

void MDIParent::boton_abrir_Click()
{
    m_editor->abriritem();
}

void MDIParent::boton_salvar_Click()
{
    m_editor->guardaritem();
}

void MDIParent::boton_imprimir_Click()
{
    m_editor->imprimiritem();
}

void MDIParent::boton_vista_Click()
{
    if (TXTextControl *control = m_editor->activeControl())
        commands::showPrintPreview(*control, this);
}

void MDIParent::clip(int action)
{
    if (TXTextControl *control = m_editor->activeControl())
        control->Clip(action);
}

// "75%" gives 75; a text with no leading number gives nothing to set.
void MDIParent::combo_zoom_Click()
{
    TXTextControl *control = m_editor->activeControl();
    const QString text = m_comboZoom->currentText().trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isDigit())
        ++digits;
    const int zoom = text.left(digits).toInt();
    if (!control || zoom <= 0) {
        m_comboZoom->setEnabled(false);
        return;
    }
    control->setZoomFactor(zoom);
}

QString MDIParent::chooseTemplate(const QString &title)
{
    platform::CommonDialog &dialogo = *m_services.dialogo;
    dialogo.DialogTitle = title;
    dialogo.FileName.clear();
    dialogo.Filter = QStringLiteral("Archivos de texto enriquecido (*.rtf)|*.rtf");
    dialogo.FilterIndex = 1;
    dialogo.Flags = platform::FlagFileMustExist | platform::FlagPathMustExist | platform::FlagHideReadOnly;
    return dialogo.ShowOpen() == 0 ? dialogo.FileName : QString();
}

void MDIParent::Image1_Click()
{
    const QString plantilla = chooseTemplate(QStringLiteral("Seleccionar Plantilla"));
    if (!plantilla.isEmpty())
        generate(plantilla);
}

void MDIParent::cboCampos_Click()
{
    MDIchild *child = m_editor->activeWindow();
    if (!child) {
        m_cboCampos->setEnabled(false);
        return;
    }
    child->TXTextControl1().setSelText(u'&' + m_cboCampos->currentText() + u'&');
    child->view()->setFocus();
}

void MDIParent::saliritem_Click()
{
    endProgram();
}

}  // namespace frame
