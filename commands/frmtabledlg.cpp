#include "commands/frmtabledlg.h"

#include "textctl/tablecells.h"
#include "textctl/txtextcontrol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <cmath>

namespace commands {

namespace {

QComboBox *countBox(const QString &name, int largest, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= largest; ++n)
        box->addItem(QString::number(n));
    box->setCurrentIndex(1);
    return box;
}

}  // namespace

std::optional<int> cuenta_valida(const QString &text, int largest)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value < 1 || value > largest || std::floor(value) != value)
        return std::nullopt;
    return int(value);
}

frmTableDlg::frmTableDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTableDlg"));
    setWindowTitle(QStringLiteral("Atributos de la Tabla"));
    cboRows = countBox(QStringLiteral("cboRows"), kMaxFilasLista, this);
    cboColumns = countBox(QStringLiteral("cboColumns"), kMaxColumnasLista, this);
    Check1 = new QCheckBox(QStringLiteral("Lineas visibles en impresion"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    btnOK = new QPushButton(QStringLiteral("Ok"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancelar"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Lineas:"), this), 0, 0);
    grid->addWidget(cboRows, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Columnas:"), this), 1, 0);
    grid->addWidget(cboColumns, 1, 1);
    grid->addWidget(Check1, 2, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);

    for (QComboBox *box : {cboRows, cboColumns})
        connect(box, &QComboBox::editTextChanged, this, [this] { btnOK->setEnabled(validar_tabla()); });
    connect(btnOK, &QPushButton::clicked, this, [this] {
        if (validar_tabla())
            accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmTableDlg::validar_tabla() const
{
    return cuenta_valida(cboRows->currentText(), kMaxFilasLista)
           && cuenta_valida(cboColumns->currentText(), kMaxColumnasLista);
}

ValoresTabla frmTableDlg::valores() const
{
    return {cuenta_valida(cboRows->currentText(), kMaxFilasLista).value_or(0),
            cuenta_valida(cboColumns->currentText(), kMaxColumnasLista).value_or(0), Check1->isChecked()};
}

int siguiente_tabla_id(int tabla_id)
{
    return tabla_id >= textctl::kLastTableId || tabla_id < 0 ? textctl::kFirstTableId : tabla_id + 1;
}

int insertar_tabla(TXTextControl &control, const ValoresTabla &valores, int tabla_id)
{
    const int id = control.TableInsert(valores.filas, valores.columnas, -1, siguiente_tabla_id(tabla_id));
    if (id != 0 && valores.lineas_visibles) {
        control.beginJoinedEdit();
        control.setTableCellAttribute(id, 0, 0, textctl::kGridLinesAttribute, textctl::kGridLinesOn);
        control.endJoinedEdit();
    }
    return id != 0 ? id : tabla_id;
}

}  // namespace commands
