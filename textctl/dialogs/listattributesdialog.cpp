#include "textctl/dialogs/listattributesdialog.h"

#include "textctl/dialogs/lengthbox.h"
#include "textctl/editing/editedcursor.h"
#include "textctl/txtextcontrol.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

namespace textctl {

namespace {

constexpr struct {
    const char *name;
    ListKind kind;
} kKinds[] = {{"Ninguna", ListKind::None}, {"Viñetas", ListKind::Bullets}, {"Números", ListKind::Numbers}};

constexpr struct {
    const char *name;
    int style;
} kNumberStyles[] = {{"1, 2, 3", NumbersDigits},
                     {"A, B, C", NumbersCapitals},
                     {"a, b, c", NumbersSmallLetters},
                     {"I, II, III", NumbersRoman}};

// U+2022 bullet, U+25CB circle, U+25AA square, U+2013 dash, U+27A2 arrow,
// U+2713 check mark.
constexpr char16_t kBullets[] = {0x2022, 0x25CB, 0x25AA, 0x2013, 0x27A2, 0x2713};

}  // namespace

ListAttributesDialog::ListAttributesDialog(TXTextControl &control, QWidget *parent)
    : QDialog(parent),
      m_control(control)
{
    setWindowTitle(QStringLiteral("Numeración y viñetas"));
    const QTextCursor cursor = editedCursor(control);
    m_bullets = listAttributes(cursor, ListKind::Bullets);
    m_numbers = listAttributes(cursor, ListKind::Numbers);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("kind"));
    for (const auto &kind : kKinds)
        m_kind->addItem(QString::fromUtf8(kind.name), int(kind.kind));
    m_bullet = new QComboBox(this);
    m_bullet->setObjectName(QStringLiteral("bullet"));
    m_bullet->setEditable(true);
    for (char16_t bullet : kBullets)
        m_bullet->addItem(QString(QChar(bullet)));
    m_numberStyle = new QComboBox(this);
    m_numberStyle->setObjectName(QStringLiteral("numberStyle"));
    for (const auto &style : kNumberStyles)
        m_numberStyle->addItem(QString::fromUtf8(style.name), style.style);
    m_start = new QSpinBox(this);
    m_start->setObjectName(QStringLiteral("start"));
    m_start->setRange(0, 32767);
    m_level = new QSpinBox(this);
    m_level->setObjectName(QStringLiteral("level"));
    m_level->setRange(1, 9);
    m_labelPosition = lengthBox(QStringLiteral("labelPosition"), 0, 50, this);
    m_textPosition = lengthBox(QStringLiteral("textPosition"), 0, 50, this);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Tipo:"), m_kind);
    form->addRow(QStringLiteral("Viñeta:"), m_bullet);
    form->addRow(QStringLiteral("Numeración:"), m_numberStyle);
    form->addRow(QStringLiteral("Empezar en:"), m_start);
    form->addRow(QStringLiteral("Nivel:"), m_level);
    form->addRow(QStringLiteral("Posición de la viñeta o el número:"), m_labelPosition);
    form->addRow(QStringLiteral("Posición del texto:"), m_textPosition);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ListAttributesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ListAttributesDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    m_bullet->setEditText(m_bullets.bullet);
    m_numberStyle->setCurrentIndex(m_numberStyle->findData(m_numbers.numberStyle));
    m_start->setValue(m_numbers.start);
    const ListKind kind = cursor.isNull() ? ListKind::None : listKindOf(cursor.document()->findBlock(cursor.selectionStart()));
    m_kind->setCurrentIndex(m_kind->findData(int(kind)));
    kindChosen();
    connect(m_kind, &QComboBox::currentIndexChanged, this, &ListAttributesDialog::kindChosen);
}

ListKind ListAttributesDialog::kind() const
{
    return ListKind(m_kind->currentData().toInt());
}

// Level and positions are those of the chosen kind; the fields of the
// other kind rest.
void ListAttributesDialog::kindChosen()
{
    const ListKind chosen = kind();
    showAttributes(chosen == ListKind::Numbers ? m_numbers : m_bullets);
    m_bullet->setEnabled(chosen == ListKind::Bullets);
    m_numberStyle->setEnabled(chosen == ListKind::Numbers);
    m_start->setEnabled(chosen == ListKind::Numbers);
    for (QWidget *field : std::initializer_list<QWidget *>{m_level, m_labelPosition, m_textPosition})
        field->setEnabled(chosen != ListKind::None);
}

void ListAttributesDialog::showAttributes(const ListAttributes &a)
{
    m_level->setValue(a.level);
    setLength(m_labelPosition, a.labelPosition);
    setLength(m_textPosition, a.textPosition);
}

ListAttributes ListAttributesDialog::attributes() const
{
    ListAttributes a = kind() == ListKind::Numbers ? m_numbers : m_bullets;
    a.level = m_level->value();
    // A length the user left alone keeps its twips, which centimetres with
    // two decimals may not hold exactly.
    const auto length = [](const QDoubleSpinBox *box, int before) {
        return lengthOf(box) == lengthAsShown(before) ? before : lengthOf(box).value_or(0);
    };
    a.labelPosition = length(m_labelPosition, a.labelPosition);
    a.textPosition = length(m_textPosition, a.textPosition);
    if (!m_bullet->currentText().isEmpty())
        a.bullet = m_bullet->currentText();
    a.numberStyle = m_numberStyle->currentData().toInt();
    a.start = m_start->value();
    return a;
}

void ListAttributesDialog::accept()
{
    applyList(editedCursor(m_control), kind(), attributes());
    QDialog::accept();
}

bool showListAttributesDialog(TXTextControl &control, QWidget *parent)
{
    ListAttributesDialog dialog(control, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace textctl
