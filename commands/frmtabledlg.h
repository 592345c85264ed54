#pragma once

// The table dialog "Atributos de la Tabla": rows ("Lineas:", 1 to 100) and
// columns ("Columnas:", 1 to 12) in editable lists that open at 2, and
// "Lineas visibles en impresion". "Ok" is enabled only while both boxes
// hold a whole number within their list. `insertar_tabla` applies the
// values to a control.
//
//   frmTableDlg dialog;
//   if (dialog.exec() == QDialog::Accepted)
//       tabla_id = insertar_tabla(control, dialog.valores(), tabla_id);

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QPushButton;
class TXTextControl;

namespace commands {

struct ValoresTabla {
    int filas = 2;
    int columnas = 2;
    bool lineas_visibles = false;

    friend bool operator==(const ValoresTabla &, const ValoresTabla &) = default;
};

inline constexpr int kMaxFilasLista = 100;
inline constexpr int kMaxColumnasLista = 12;

// The whole number from 1 to `largest` a box holds ("." as the decimal
// point: "3.0" is 3), or nothing.
std::optional<int> cuenta_valida(const QString &text, int largest);

class frmTableDlg final : public QDialog {
    Q_OBJECT
public:
    explicit frmTableDlg(QWidget *parent = nullptr);

    bool validar_tabla() const;
    ValoresTabla valores() const;

    QComboBox *cboRows = nullptr;
    QComboBox *cboColumns = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};

// The identifier that follows `tabla_id`: past 32767 the count starts
// again at 11.
int siguiente_tabla_id(int tabla_id);
// Inserts the table at the control's input position under the identifier
// after `tabla_id` (or the next one the document does not use), with its
// grid lines when asked, as one undo step. Answers the identifier the
// table got, which the counter keeps; `tabla_id` when nothing was inserted.
int insertar_tabla(TXTextControl &control, const ValoresTabla &valores, int tabla_id);

}  // namespace commands
