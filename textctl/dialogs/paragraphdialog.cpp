#include "textctl/dialogs/paragraphdialog.h"

#include "textctl/dialogs/checkstate.h"
#include "textctl/dialogs/lengthbox.h"
#include "textctl/editing/editedcursor.h"
#include "textctl/txtextcontrol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace textctl {

namespace {

constexpr struct {
    const char *name;
    Qt::AlignmentFlag alignment;
} kAlignments[] = {{"Izquierda", Qt::AlignLeft}, {"Centrado", Qt::AlignHCenter}, {"Derecha", Qt::AlignRight},
                   {"Justificado", Qt::AlignJustify}};

// Line spacing entries; the value box is in centimetres for Mínimo and
// Exacto and in lines for Múltiple.
enum LineEntry { Single, OneAndHalf, Double, AtLeast, Exactly, Multiple };
const char *const kLineEntries[] = {"Sencillo", "1,5 líneas", "Doble", "Mínimo", "Exacto", "Múltiple"};

int lineEntryOf(LineRule rule, int value)
{
    switch (rule) {
    case LineRule::Single: return Single;
    case LineRule::AtLeast: return AtLeast;
    case LineRule::Exactly: return Exactly;
    case LineRule::Multiple: return value == 150 ? OneAndHalf : value == 200 ? Double : Multiple;
    }
    return Single;
}

QCheckBox *checkBox(const QString &text, const QString &name, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

ParagraphDialog::ParagraphDialog(TXTextControl &control, QWidget *parent)
    : QDialog(parent),
      m_control(control)
{
    setWindowTitle(QStringLiteral("Párrafo"));
    m_alignment = new QComboBox(this);
    m_alignment->setObjectName(QStringLiteral("alignment"));
    for (const auto &entry : kAlignments)
        m_alignment->addItem(QString::fromUtf8(entry.name), int(entry.alignment));
    m_left = lengthBox(QStringLiteral("leftIndent"), 0, 50, this);
    m_right = lengthBox(QStringLiteral("rightIndent"), 0, 50, this);
    m_firstLine = lengthBox(QStringLiteral("firstLineIndent"), -50, 50, this);
    m_before = lengthBox(QStringLiteral("spaceBefore"), 0, 50, this);
    m_after = lengthBox(QStringLiteral("spaceAfter"), 0, 50, this);
    m_lineSpacing = new QComboBox(this);
    m_lineSpacing->setObjectName(QStringLiteral("lineSpacing"));
    for (const char *entry : kLineEntries)
        m_lineSpacing->addItem(QString::fromUtf8(entry));
    m_lineValue = lengthBox(QStringLiteral("lineValue"), 0, 50, this);
    m_keepWithNext = checkBox(QStringLiteral("Conservar con el siguiente"), QStringLiteral("keepWithNext"), this);
    m_keepTogether = checkBox(QStringLiteral("Conservar líneas juntas"), QStringLiteral("keepTogether"), this);
    m_widowControl =
        checkBox(QStringLiteral("Control de líneas viudas y huérfanas"), QStringLiteral("widowControl"), this);
    m_pageBreakBefore = checkBox(QStringLiteral("Salto de página anterior"), QStringLiteral("pageBreakBefore"), this);

    auto *general = new QFormLayout;
    general->addRow(QStringLiteral("Alineación:"), m_alignment);
    auto *indents = new QGroupBox(QStringLiteral("Sangría"), this);
    auto *indentForm = new QFormLayout(indents);
    indentForm->addRow(QStringLiteral("Izquierda:"), m_left);
    indentForm->addRow(QStringLiteral("Derecha:"), m_right);
    indentForm->addRow(QStringLiteral("Primera línea:"), m_firstLine);
    auto *spacing = new QGroupBox(QStringLiteral("Espaciado"), this);
    auto *spacingForm = new QFormLayout(spacing);
    spacingForm->addRow(QStringLiteral("Anterior:"), m_before);
    spacingForm->addRow(QStringLiteral("Posterior:"), m_after);
    spacingForm->addRow(QStringLiteral("Interlineado:"), m_lineSpacing);
    spacingForm->addRow(QStringLiteral("En:"), m_lineValue);
    auto *keeps = new QGroupBox(QStringLiteral("Líneas y saltos de página"), this);
    auto *keepsLayout = new QVBoxLayout(keeps);
    for (QCheckBox *box : {m_widowControl, m_keepWithNext, m_keepTogether, m_pageBreakBefore})
        keepsLayout->addWidget(box);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ParagraphDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ParagraphDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(general);
    layout->addWidget(indents);
    layout->addWidget(spacing);
    layout->addWidget(keeps);
    layout->addWidget(buttons);

    showSettings(paragraphSettingsOf(editedCursor(control)));
    m_initialShown = shown();
    connect(m_lineSpacing, &QComboBox::currentIndexChanged, this, &ParagraphDialog::lineSpacingChosen);
}

void ParagraphDialog::showSettings(const ParagraphSettings &s)
{
    m_alignment->setCurrentIndex(s.alignment ? m_alignment->findData(int(*s.alignment)) : -1);
    setLength(m_left, s.leftIndent);
    setLength(m_right, s.rightIndent);
    setLength(m_firstLine, s.firstLineIndent);
    setLength(m_before, s.spaceBefore);
    setLength(m_after, s.spaceAfter);
    const int entry = s.lineRule ? lineEntryOf(*s.lineRule, s.lineValue.value_or(0)) : -1;
    m_lineSpacing->setCurrentIndex(entry);
    lineSpacingChosen(entry);
    if (entry == AtLeast || entry == Exactly)
        setLength(m_lineValue, s.lineValue);
    else if (entry == Multiple && s.lineValue)
        m_lineValue->setValue(*s.lineValue / 100.0);
    setChecked(m_keepWithNext, s.keepWithNext);
    setChecked(m_keepTogether, s.keepTogether);
    setChecked(m_widowControl, s.widowControl);
    setChecked(m_pageBreakBefore, s.pageBreakBefore);
}

// The value box fits the chosen entry.
void ParagraphDialog::lineSpacingChosen(int index)
{
    const bool lines = index == Multiple;
    m_lineValue->setEnabled(index == AtLeast || index == Exactly || lines);
    m_lineValue->setSuffix(lines ? QStringLiteral(" líneas") : QStringLiteral(" cm"));
    if (lines && m_lineValue->value() <= m_lineValue->minimum())
        m_lineValue->setValue(1);
    else if ((index == AtLeast || index == Exactly) && m_lineValue->value() <= m_lineValue->minimum())
        m_lineValue->setValue(0.5);
}

ParagraphSettings ParagraphDialog::shown() const
{
    ParagraphSettings s;
    if (m_alignment->currentIndex() >= 0)
        s.alignment = Qt::Alignment(m_alignment->currentData().toInt());
    s.leftIndent = lengthOf(m_left);
    s.rightIndent = lengthOf(m_right);
    s.firstLineIndent = lengthOf(m_firstLine);
    s.spaceBefore = lengthOf(m_before);
    s.spaceAfter = lengthOf(m_after);
    switch (m_lineSpacing->currentIndex()) {
    case Single: s.lineRule = LineRule::Single; break;
    case OneAndHalf:
        s.lineRule = LineRule::Multiple;
        s.lineValue = 150;
        break;
    case Double:
        s.lineRule = LineRule::Multiple;
        s.lineValue = 200;
        break;
    case AtLeast:
    case Exactly:
        s.lineRule = m_lineSpacing->currentIndex() == AtLeast ? LineRule::AtLeast : LineRule::Exactly;
        s.lineValue = lengthOf(m_lineValue);
        break;
    case Multiple:
        s.lineRule = LineRule::Multiple;
        if (m_lineValue->value() > m_lineValue->minimum())
            s.lineValue = int(std::lround(m_lineValue->value() * 100));
        break;
    default: break;
    }
    s.keepWithNext = checkedOf(m_keepWithNext);
    s.keepTogether = checkedOf(m_keepTogether);
    s.widowControl = checkedOf(m_widowControl);
    s.pageBreakBefore = checkedOf(m_pageBreakBefore);
    return s;
}

ParagraphSettings ParagraphDialog::changes() const
{
    const ParagraphSettings now = shown();
    const ParagraphSettings &before = m_initialShown;
    ParagraphSettings s;
    s.alignment = changed(now.alignment, before.alignment);
    s.leftIndent = changed(now.leftIndent, before.leftIndent);
    s.rightIndent = changed(now.rightIndent, before.rightIndent);
    s.firstLineIndent = changed(now.firstLineIndent, before.firstLineIndent);
    s.spaceBefore = changed(now.spaceBefore, before.spaceBefore);
    s.spaceAfter = changed(now.spaceAfter, before.spaceAfter);
    // The rule and its value are one choice.
    if (now.lineRule && (now.lineRule != before.lineRule || now.lineValue != before.lineValue)) {
        s.lineRule = now.lineRule;
        s.lineValue = now.lineValue;
    }
    s.keepWithNext = changed(now.keepWithNext, before.keepWithNext);
    s.keepTogether = changed(now.keepTogether, before.keepTogether);
    s.widowControl = changed(now.widowControl, before.widowControl);
    s.pageBreakBefore = changed(now.pageBreakBefore, before.pageBreakBefore);
    return s;
}

void ParagraphDialog::accept()
{
    const ParagraphSettings s = changes();
    if (s != ParagraphSettings{})
        applyParagraphSettings(editedCursor(m_control), s);
    QDialog::accept();
}

bool showParagraphDialog(TXTextControl &control, QWidget *parent)
{
    ParagraphDialog dialog(control, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace textctl
