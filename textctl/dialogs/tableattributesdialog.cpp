#include "textctl/dialogs/tableattributesdialog.h"

#include "textctl/dialogs/checkstate.h"
#include "textctl/dialogs/colorbox.h"
#include "textctl/dialogs/lengthbox.h"
#include "textctl/editing/editedcursor.h"
#include "textctl/txtextcontrol.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace textctl {

namespace {

constexpr int kTwipsPerPoint = 20;
// The empty width sits one step below none.
constexpr double kPointStep = 0.25;
const char *const kSides[] = {"Superior:", "Izquierdo:", "Inferior:", "Derecho:"};
const char *const kAlignments[] = {"Arriba", "Centro", "Abajo"};

QDoubleSpinBox *pointBox(const QString &name, QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setLocale(QLocale());
    box->setDecimals(2);
    box->setSingleStep(kPointStep);
    box->setRange(-kPointStep, 6);
    box->setSpecialValueText(QStringLiteral(" "));
    box->setSuffix(QStringLiteral(" pt"));
    return box;
}

std::optional<int> pointsOf(const QDoubleSpinBox *box)
{
    if (box->value() <= box->minimum())
        return std::nullopt;
    return int(std::lround(box->value() * kTwipsPerPoint));
}

int textWidth(const TXTextControl &control)
{
    return control.PageWidth() - control.PageMarginL() - control.PageMarginR();
}

}  // namespace

TableAttributesDialog::TableAttributesDialog(TXTextControl &control, QWidget *parent)
    : QDialog(parent),
      m_control(control)
{
    setWindowTitle(QStringLiteral("Propiedades de la tabla"));
    auto *borders = new QGroupBox(QStringLiteral("Bordes de las celdas"), this);
    auto *bordersGrid = new QGridLayout(borders);
    bordersGrid->addWidget(new QLabel(QStringLiteral("Ancho"), borders), 0, 1);
    bordersGrid->addWidget(new QLabel(QStringLiteral("Color"), borders), 0, 2);
    for (int side = 0; side < 4; ++side) {
        m_borderWidth[side] = pointBox(u"borderWidth"_qs + QString::number(side), borders);
        m_borderColor[side] = colorBox(u"borderColor"_qs + QString::number(side), QStringLiteral("Automático"), borders);
        bordersGrid->addWidget(new QLabel(QString::fromUtf8(kSides[side]), borders), side + 1, 0);
        bordersGrid->addWidget(m_borderWidth[side], side + 1, 1);
        bordersGrid->addWidget(m_borderColor[side], side + 1, 2);
    }
    m_shading = colorBox(QStringLiteral("shading"), QStringLiteral("Ninguno"), this);
    m_verticalAlign = new QComboBox(this);
    m_verticalAlign->setObjectName(QStringLiteral("verticalAlign"));
    for (const char *entry : kAlignments)
        m_verticalAlign->addItem(QString::fromUtf8(entry));
    m_rowHeight = lengthBox(QStringLiteral("rowHeight"), 0, 55, this);
    m_column = new QComboBox(this);
    m_column->setObjectName(QStringLiteral("column"));
    m_columnWidth = lengthBox(QStringLiteral("columnWidth"), 0.1, 55, this);

    auto *cells = new QGroupBox(QStringLiteral("Celdas"), this);
    auto *cellsForm = new QFormLayout(cells);
    cellsForm->addRow(QStringLiteral("Sombreado:"), m_shading);
    cellsForm->addRow(QStringLiteral("Alineación vertical:"), m_verticalAlign);
    cellsForm->addRow(QStringLiteral("Alto de fila (0: automático):"), m_rowHeight);
    auto *columns = new QGroupBox(QStringLiteral("Columnas"), this);
    auto *columnsForm = new QFormLayout(columns);
    columnsForm->addRow(QStringLiteral("Columna:"), m_column);
    columnsForm->addRow(QStringLiteral("Ancho:"), m_columnWidth);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TableAttributesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TableAttributesDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(borders);
    layout->addWidget(cells);
    layout->addWidget(columns);
    layout->addWidget(buttons);

    showAttributes(tableAttributesOf(editedCursor(control), textWidth(control)));
    m_initialShown = shown();
    connect(m_column, &QComboBox::currentIndexChanged, this, &TableAttributesDialog::showColumn);
    connect(m_columnWidth, &QDoubleSpinBox::valueChanged, this, [this] {
        const int index = m_column->currentIndex();
        if (index >= 0 && index < m_widths.size())
            m_widths[index] = lengthOf(m_columnWidth).value_or(m_widths[index]);
    });
}

void TableAttributesDialog::showAttributes(const TableAttributes &a)
{
    for (int side = 0; side < 4; ++side) {
        const std::optional<CellBorder> &border = a.borders[side];
        m_borderWidth[side]->setValue(border ? border->width / double(kTwipsPerPoint) : m_borderWidth[side]->minimum());
        setColor(m_borderColor[side], border ? std::optional<QColor>(border->color) : std::nullopt);
    }
    setColor(m_shading, a.shading);
    m_verticalAlign->setCurrentIndex(a.verticalAlign.value_or(-1));
    setLength(m_rowHeight, a.rowHeight);
    // Shown as they will be read back, so that an untouched width is no change.
    m_widths.clear();
    for (int twips : a.columnWidths)
        m_widths.append(lengthAsShown(twips));
    m_column->clear();
    for (int c = 1; c <= m_widths.size(); ++c)
        m_column->addItem(QString::number(c));
    showColumn(m_widths.isEmpty() ? -1 : 0);
}

void TableAttributesDialog::showColumn(int index)
{
    const int width = index >= 0 && index < m_widths.size() ? m_widths[index] : -1;
    QSignalBlocker block(m_columnWidth);
    setLength(m_columnWidth, width >= 0 ? std::optional<int>(width) : std::nullopt);
}

TableAttributes TableAttributesDialog::shown() const
{
    TableAttributes a;
    for (int side = 0; side < 4; ++side) {
        const std::optional<int> width = pointsOf(m_borderWidth[side]);
        std::optional<QColor> color = colorOf(m_borderColor[side]);
        if (color && !color->isValid())
            color = QColor(Qt::black);
        if (width && color)
            a.borders[side] = CellBorder{*width, *color};
    }
    a.shading = colorOf(m_shading);
    if (m_verticalAlign->currentIndex() >= 0)
        a.verticalAlign = m_verticalAlign->currentIndex();
    a.rowHeight = lengthOf(m_rowHeight);
    a.columnWidths = m_widths;
    return a;
}

TableAttributes TableAttributesDialog::changes() const
{
    const TableAttributes now = shown();
    const TableAttributes &before = m_initialShown;
    TableAttributes c;
    for (int side = 0; side < 4; ++side)
        c.borders[side] = changed(now.borders[side], before.borders[side]);
    c.shading = changed(now.shading, before.shading);
    c.verticalAlign = changed(now.verticalAlign, before.verticalAlign);
    c.rowHeight = changed(now.rowHeight, before.rowHeight);
    if (now.columnWidths != before.columnWidths)
        c.columnWidths = now.columnWidths;
    return c;
}

void TableAttributesDialog::accept()
{
    const TableAttributes c = changes();
    if (c != TableAttributes{})
        applyTableAttributes(editedCursor(m_control), c);
    QDialog::accept();
}

bool showTableAttributesDialog(TXTextControl &control, QWidget *parent)
{
    if (!editedCursor(control).currentTable())
        return false;
    TableAttributesDialog dialog(control, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace textctl
