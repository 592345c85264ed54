#include "commands/frmpagedlg.h"

#include "commands/medidas.h"
#include "textctl/txtextcontrol.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

namespace {

constexpr int kMaxSide = 32767;

// A length box with its caption and unit label in one row of a grid.
QLineEdit *addLengthRow(QGridLayout *grid, int row, const QString &caption, const QString &name, QLabel **unit)
{
    auto *box = new QLineEdit;
    box->setObjectName(name);
    auto *label = new QLabel(caption);
    label->setObjectName(QStringLiteral("lblBorder"));
    label->setBuddy(box);
    *unit = new QLabel(unidad_medida == Unidad::Pulgada ? QStringLiteral("inch") : QStringLiteral("cm"));
    (*unit)->setObjectName(QStringLiteral("lblMeasurement"));
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(*unit, row, 2);
    return box;
}

bool fits16(int twips)
{
    return twips >= -32768 && twips <= 32767;
}

}  // namespace

frmPageDlg::frmPageDlg(const ValoresPagina &valores, QWidget *parent)
    : QDialog(parent),
      m_valores(valores)
{
    setObjectName(QStringLiteral("frmPageDlg"));
    setWindowTitle(QStringLiteral("Configuración de la página"));

    auto *margins = new QGroupBox(QStringLiteral("Margenes de página"));
    auto *marginGrid = new QGridLayout(margins);
    txtLeftMargin = addLengthRow(marginGrid, 0, QStringLiteral("&Izquierdo"), QStringLiteral("txtLeftMargin"), &lblMeasurement[0]);
    txtTopMargin = addLengthRow(marginGrid, 1, QStringLiteral("A&rriba"), QStringLiteral("txtTopMargin"), &lblMeasurement[1]);
    txtRightMargin = addLengthRow(marginGrid, 2, QStringLiteral("&Derecho"), QStringLiteral("txtRightMargin"), &lblMeasurement[2]);
    txtBottomMargin = addLengthRow(marginGrid, 3, QStringLiteral("A&bajo"), QStringLiteral("txtBottomMargin"), &lblMeasurement[3]);

    auto *paper = new QGroupBox(QStringLiteral("&Papel"));
    auto *paperGrid = new QGridLayout(paper);
    cboPaperSize = new QComboBox;
    cboPaperSize->setObjectName(QStringLiteral("cboPaperSize"));
    for (const Papel &papel : kPapeles)
        cboPaperSize->addItem(QString::fromUtf16(papel.nombre));
    cboPaperSize->addItem(QStringLiteral("User Defined"));
    paperGrid->addWidget(cboPaperSize, 0, 0, 1, 3);
    txtPaperWidth = addLengthRow(paperGrid, 1, QStringLiteral("&Anchura"), QStringLiteral("txtPaperWidth"), &lblMeasurement[4]);
    txtPaperHeight = addLengthRow(paperGrid, 2, QStringLiteral("A&ltura"), QStringLiteral("txtPaperHeight"), &lblMeasurement[5]);

    btnOK = new QPushButton(QStringLiteral("Ok"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancelar"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *groups = new QHBoxLayout;
    groups->addWidget(margins);
    groups->addWidget(paper);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    const std::array<std::pair<QLineEdit *, int>, 6> boxes{{
        {txtLeftMargin, valores.margen_izq},   {txtTopMargin, valores.margen_sup},
        {txtRightMargin, valores.margen_der},  {txtBottomMargin, valores.margen_inf},
        {txtPaperWidth, valores.ancho_pagina}, {txtPaperHeight, valores.alto_pagina},
    }};
    for (const auto &[box, twips] : boxes) {
        connect(box, &QLineEdit::textChanged, this, [this] { btnOK->setEnabled(validar_pagina()); });
        box->setText(Twips2DlgString(float(twips)));
    }
    connect(cboPaperSize, &QComboBox::currentIndexChanged, this, &frmPageDlg::cboPaperSize_Click);
    connect(txtPaperWidth, &QLineEdit::editingFinished, this, &frmPageDlg::buscar_papel);
    connect(txtPaperHeight, &QLineEdit::editingFinished, this, &frmPageDlg::buscar_papel);
    connect(btnOK, &QPushButton::clicked, this, &frmPageDlg::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    buscar_papel();
}

bool frmPageDlg::validar_pagina() const
{
    const auto left = dlgStringToTwips(txtLeftMargin->text());
    const auto top = dlgStringToTwips(txtTopMargin->text());
    const auto right = dlgStringToTwips(txtRightMargin->text());
    const auto bottom = dlgStringToTwips(txtBottomMargin->text());
    const auto width = dlgStringToTwips(txtPaperWidth->text());
    const auto height = dlgStringToTwips(txtPaperHeight->text());
    if (!left || !top || !right || !bottom || !width || !height)
        return false;
    if (*width > kMaxSide || *width < 1 || *height > kMaxSide || *height < 1)
        return false;
    for (int margin : {*left, *top, *right, *bottom})
        if (margin <= 0)
            return false;
    // Opposite margins must leave room for text (each alone may not
    // exceed its side either); the sides are at most 32767, so no sum
    // overflows.
    return qint64(*left) + *right < *width && qint64(*top) + *bottom < *height;
}

void frmPageDlg::buscar_papel()
{
    const int width = DlgString2Twips(txtPaperWidth->text());
    const int height = DlgString2Twips(txtPaperHeight->text());
    int index = kUserDefined;
    if (fits16(width) && fits16(height)) {
        for (int i = 0; i < int(kPapeles.size()); ++i) {
            if (std::abs(width - kPapeles[i].ancho) < 5 && std::abs(height - kPapeles[i].alto) < 5) {
                index = i;
                break;
            }
        }
    }
    cboPaperSize->setCurrentIndex(index);
}

void frmPageDlg::cboPaperSize_Click(int index)
{
    if (index < 0 || index >= int(kPapeles.size()))
        return;
    txtPaperWidth->setText(Twips2DlgString(float(kPapeles[index].ancho)));
    txtPaperHeight->setText(Twips2DlgString(float(kPapeles[index].alto)));
}

// A box still showing a length it was given, or the chosen paper's side,
// keeps that length exactly: two decimals of a centimetre are not a twip,
// and A4 read back from "29,69" would be 16834 twips, not 16837.
void frmPageDlg::btnOK_Click()
{
    if (!validar_pagina())
        return;
    const int paper = cboPaperSize->currentIndex();
    const auto read = [](const QLineEdit *box, std::initializer_list<int> shown) {
        for (int twips : shown)
            if (box->text() == Twips2DlgString(float(twips)))
                return twips;
        return DlgString2Twips(box->text());
    };
    const bool standard = paper >= 0 && paper < int(kPapeles.size());
    const int paperWidth = standard ? kPapeles[paper].ancho : m_valores.ancho_pagina;
    const int paperHeight = standard ? kPapeles[paper].alto : m_valores.alto_pagina;
    m_valores = {read(txtLeftMargin, {m_valores.margen_izq}),
                 read(txtTopMargin, {m_valores.margen_sup}),
                 read(txtRightMargin, {m_valores.margen_der}),
                 read(txtBottomMargin, {m_valores.margen_inf}),
                 read(txtPaperWidth, {paperWidth, m_valores.ancho_pagina}),
                 read(txtPaperHeight, {paperHeight, m_valores.alto_pagina})};
    accept();
}

ValoresPagina valoresDe(const TXTextControl &control)
{
    return {control.PageMarginL(), control.PageMarginT(), control.PageMarginR(),
            control.PageMarginB(), control.PageWidth(),   control.PageHeight()};
}

bool configurar_pagina(TXTextControl &control, QWidget *parent)
{
    const ValoresPagina antes = valoresDe(control);
    frmPageDlg dialog(antes, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.valores() == antes)
        return false;
    const ValoresPagina &v = dialog.valores();
    textctl::PageValues page = control.pageValues();
    page.marginLeft = v.margen_izq;
    page.marginTop = v.margen_sup;
    page.marginRight = v.margen_der;
    page.marginBottom = v.margen_inf;
    page.width = v.ancho_pagina;
    page.height = v.alto_pagina;
    control.setPageValues(page);
    return true;
}

}  // namespace commands
