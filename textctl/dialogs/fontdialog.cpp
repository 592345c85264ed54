#include "textctl/dialogs/fontdialog.h"

#include "textctl/dialogs/checkstate.h"
#include "textctl/dialogs/colorbox.h"
#include "textctl/editing/editedcursor.h"
#include "textctl/editing/formatstate.h"
#include "textctl/txtextcontrol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace textctl {

namespace {

// Style entries: bold, italic.
constexpr struct {
    const char *name;
    bool bold;
    bool italic;
} kStyles[] = {{"Normal", false, false}, {"Cursiva", false, true}, {"Negrita", true, false}, {"Negrita cursiva", true, true}};

constexpr struct {
    const char *name;
    UnderlineKind kind;
} kUnderlines[] = {
    {"(ninguno)", UnderlineKind::None},      {"Sencillo", UnderlineKind::Single},
    {"Doble", UnderlineKind::Double},        {"Sólo palabras", UnderlineKind::Words},
    {"Punteado", UnderlineKind::Dotted},     {"Guiones", UnderlineKind::Dashed},
    {"Ondulado", UnderlineKind::Wave},       {"Grueso", UnderlineKind::Thick},
};

constexpr double kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

QComboBox *combo(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

FontDialog::FontDialog(TXTextControl &control, QWidget *parent)
    : QDialog(parent),
      m_control(control),
      m_initial(characterSettingsOf(editedCursor(control)))
{
    setWindowTitle(QStringLiteral("Fuente"));
    m_family = combo(QStringLiteral("family"), this);
    m_family->setEditable(true);
    m_family->addItems(QFontDatabase::families());
    m_style = combo(QStringLiteral("style"), this);
    for (const auto &style : kStyles)
        m_style->addItem(QString::fromUtf8(style.name));
    m_size = combo(QStringLiteral("size"), this);
    m_size->setEditable(true);
    for (double size : kSizes)
        m_size->addItem(locale().toString(size));
    m_color = colorBox(QStringLiteral("color"), QStringLiteral("Automático"), this);
    m_underline = combo(QStringLiteral("underline"), this);
    for (const auto &underline : kUnderlines)
        m_underline->addItem(QString::fromUtf8(underline.name), int(underline.kind));
    m_strikeOut = new QCheckBox(QStringLiteral("Tachado"), this);
    m_strikeOut->setObjectName(QStringLiteral("strikeOut"));
    m_superscript = new QCheckBox(QStringLiteral("Superíndice"), this);
    m_superscript->setObjectName(QStringLiteral("superscript"));
    m_subscript = new QCheckBox(QStringLiteral("Subíndice"), this);
    m_subscript->setObjectName(QStringLiteral("subscript"));
    m_preview = new QLabel(QStringLiteral("AaBbCcÑñYyZz"), this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumSize(260, 60);
    m_preview->setFrameShape(QFrame::StyledPanel);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Fuente:"), m_family);
    form->addRow(QStringLiteral("Estilo:"), m_style);
    form->addRow(QStringLiteral("Tamaño:"), m_size);
    form->addRow(QStringLiteral("Color:"), m_color);
    form->addRow(QStringLiteral("Subrayado:"), m_underline);
    auto *effects = new QGroupBox(QStringLiteral("Efectos"), this);
    auto *effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(m_strikeOut);
    effectsLayout->addWidget(m_superscript);
    effectsLayout->addWidget(m_subscript);
    auto *previewBox = new QGroupBox(QStringLiteral("Vista previa"), this);
    (new QVBoxLayout(previewBox))->addWidget(m_preview);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FontDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(effects);
    layout->addWidget(previewBox);
    layout->addWidget(buttons);

    showSettings(m_initial);
    m_initialShown = shown();

    // Super- and subscript exclude each other.
    connect(m_superscript, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_subscript->setCheckState(Qt::Unchecked);
    });
    connect(m_subscript, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_superscript->setCheckState(Qt::Unchecked);
    });
    for (QComboBox *box : {m_family, m_style, m_size, m_color, m_underline})
        connect(box, &QComboBox::currentTextChanged, this, &FontDialog::updatePreview);
    for (QCheckBox *box : {m_strikeOut, m_superscript, m_subscript})
        connect(box, &QCheckBox::stateChanged, this, &FontDialog::updatePreview);
    updatePreview();
}

void FontDialog::showSettings(const CharacterSettings &s)
{
    m_family->setEditText(s.family.value_or(QString()));
    m_style->setCurrentIndex(-1);
    if (s.bold && s.italic) {
        for (int i = 0; i < int(std::size(kStyles)); ++i) {
            if (kStyles[i].bold == *s.bold && kStyles[i].italic == *s.italic)
                m_style->setCurrentIndex(i);
        }
    }
    m_size->setEditText(s.pointSize ? locale().toString(*s.pointSize) : QString());
    setColor(m_color, s.color);
    m_underline->setCurrentIndex(s.underline ? m_underline->findData(int(*s.underline)) : -1);
    setChecked(m_strikeOut, s.strikeOut);
    std::optional<bool> super;
    std::optional<bool> sub;
    if (s.script) {
        super = *s.script == QTextCharFormat::AlignSuperScript;
        sub = *s.script == QTextCharFormat::AlignSubScript;
    }
    setChecked(m_superscript, super);
    setChecked(m_subscript, sub);
}

CharacterSettings FontDialog::shown() const
{
    CharacterSettings s;
    if (!m_family->currentText().trimmed().isEmpty())
        s.family = m_family->currentText().trimmed();
    if (const int style = m_style->currentIndex(); style >= 0) {
        s.bold = kStyles[style].bold;
        s.italic = kStyles[style].italic;
    }
    bool ok = false;
    const double size = locale().toDouble(m_size->currentText().trimmed(), &ok);
    if (ok && size > 0)
        s.pointSize = size;
    s.color = colorOf(m_color);
    if (m_underline->currentIndex() >= 0)
        s.underline = UnderlineKind(m_underline->currentData().toInt());
    s.strikeOut = checkedOf(m_strikeOut);
    const std::optional<bool> super = checkedOf(m_superscript);
    const std::optional<bool> sub = checkedOf(m_subscript);
    if (super && sub) {
        s.script = *super ? QTextCharFormat::AlignSuperScript
                   : *sub ? QTextCharFormat::AlignSubScript
                          : QTextCharFormat::AlignNormal;
    } else if (super.value_or(false) || sub.value_or(false)) {
        s.script = super.value_or(false) ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript;
    }
    return s;
}

CharacterSettings FontDialog::changes() const
{
    const CharacterSettings now = shown();
    const CharacterSettings &before = m_initialShown;
    CharacterSettings s;
    s.family = changed(now.family, before.family);
    // Bold and italic are one choice.
    if (now.bold != before.bold || now.italic != before.italic) {
        s.bold = now.bold;
        s.italic = now.italic;
    }
    s.pointSize = changed(now.pointSize, before.pointSize);
    s.color = changed(now.color, before.color);
    s.underline = changed(now.underline, before.underline);
    s.strikeOut = changed(now.strikeOut, before.strikeOut);
    s.script = changed(now.script, before.script);
    return s;
}

void FontDialog::accept()
{
    const CharacterSettings s = changes();
    if (s != CharacterSettings{}) {
        editedCursor(m_control);
        applyCharFormat(m_control, charFormatOf(s));
    }
    QDialog::accept();
}

void FontDialog::updatePreview()
{
    const CharacterSettings s = shown();
    QFont font(s.family.value_or(m_initial.family.value_or(QString())));
    font.setPointSizeF(s.pointSize.value_or(m_initial.pointSize.value_or(12)));
    font.setBold(s.bold.value_or(false));
    font.setItalic(s.italic.value_or(false));
    font.setUnderline(s.underline.value_or(UnderlineKind::None) != UnderlineKind::None);
    font.setStrikeOut(s.strikeOut.value_or(false));
    m_preview->setFont(font);
    QPalette palette = m_preview->palette();
    const QColor color = s.color.value_or(QColor());
    palette.setColor(QPalette::WindowText, color.isValid() ? color : QColor(Qt::black));
    m_preview->setPalette(palette);
}

bool showFontDialog(TXTextControl &control, QWidget *parent)
{
    FontDialog dialog(control, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace textctl
