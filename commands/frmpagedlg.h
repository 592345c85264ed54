#pragma once

// The page setup dialog "Configuración de la página": the four margins and
// the paper size, in the unit of measure, with the paper list. "Ok" is
// enabled only while the values make a page: every margin above 0, each
// pair of opposite margins leaving room for text, width and height from 1
// to 32767 twips. `configurar_pagina` shows it over a document's control.
//
//   ValoresPagina valores = valoresDe(control);
//   frmPageDlg dialog(valores);
//   if (dialog.exec() == QDialog::Accepted) valores = dialog.valores();

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TXTextControl;

namespace commands {

// The page values the dialog edits, in twips.
struct ValoresPagina {
    int margen_izq = 0;
    int margen_sup = 0;
    int margen_der = 0;
    int margen_inf = 0;
    int ancho_pagina = 0;
    int alto_pagina = 0;

    friend bool operator==(const ValoresPagina &, const ValoresPagina &) = default;
};

// The paper list: its entries' texts and sizes; "User Defined" has none.
struct Papel {
    const char16_t *nombre;
    int ancho;
    int alto;
};
inline constexpr std::array<Papel, 5> kPapeles{{
    {u"A4", 11906, 16837},
    {u"A5", 8418, 11906},
    {u"B5", 9978, 14174},
    {u"Letter", 12240, 15840},
    {u"Legal", 12240, 20160},
}};
inline constexpr int kUserDefined = 5;

class frmPageDlg final : public QDialog {
    Q_OBJECT
public:
    explicit frmPageDlg(const ValoresPagina &valores, QWidget *parent = nullptr);

    bool validar_pagina() const;
    // Selects the paper whose size the width and height boxes hold (within
    // 5 twips), else "User Defined".
    void buscar_papel();
    // The six boxes read back in twips ("Ok" stores them).
    ValoresPagina valores() const { return m_valores; }

    QLineEdit *txtLeftMargin = nullptr;
    QLineEdit *txtTopMargin = nullptr;
    QLineEdit *txtRightMargin = nullptr;
    QLineEdit *txtBottomMargin = nullptr;
    QLineEdit *txtPaperWidth = nullptr;
    QLineEdit *txtPaperHeight = nullptr;
    QComboBox *cboPaperSize = nullptr;
    std::array<QLabel *, 6> lblMeasurement{};
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

private:
    void btnOK_Click();
    void cboPaperSize_Click(int index);
    ValoresPagina m_valores;
};

ValoresPagina valoresDe(const TXTextControl &control);
// The page setup command over a document's control: true when "Ok" changed
// the page (the control re-paginates); "Cancelar", or "Ok" with the values
// as they were, leaves the control untouched.
bool configurar_pagina(TXTextControl &control, QWidget *parent);

}  // namespace commands
