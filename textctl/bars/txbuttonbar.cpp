#include "textctl/bars/txbuttonbar.h"

#include "textctl/txtextcontrol.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QPainter>
#include <QTextCursor>

using namespace textctl;

namespace {

constexpr int kIconSize = 16;
const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

enum class Glyph { Left, Centre, Right, Justify, Bullets, Numbers };

// Four text lines placed as the glyph's alignment or list puts them.
QIcon glyphIcon(Glyph glyph)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < 4; ++i) {
        const int y = 2 + i * 4;
        const int shortLine = i % 2 ? 9 : 14;
        int from = 1, to = 15;
        switch (glyph) {
        case Glyph::Left: to = from + shortLine; break;
        case Glyph::Right: from = to - shortLine; break;
        case Glyph::Centre: from = (16 - shortLine) / 2; to = from + shortLine; break;
        case Glyph::Justify: break;
        case Glyph::Bullets:
        case Glyph::Numbers: from = 6; break;
        }
        painter.drawLine(from, y, to, y);
        if (glyph == Glyph::Bullets)
            painter.fillRect(1, y - 1, 2, 2, Qt::black);
        else if (glyph == Glyph::Numbers)
            painter.drawLine(2, y - 1, 2, y + 1);
    }
    return QIcon(pixmap);
}

QIcon letterIcon(const QString &letter, QFont font)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
    return QIcon(pixmap);
}

}  // namespace

TXButtonBar::TXButtonBar(QWidget *parent)
    : QToolBar(parent)
{
    setIconSize(QSize(kIconSize, kIconSize));
    m_family = new QFontComboBox(this);
    m_family->setObjectName(QStringLiteral("family"));
    m_family->setToolTip(QStringLiteral("Fuente"));
    addWidget(m_family);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setToolTip(QStringLiteral("Tamaño"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    for (int size : kSizes)
        m_size->addItem(QString::number(size));
    addWidget(m_size);
    addSeparator();

    QFont font = this->font();
    font.setBold(true);
    m_bold = addToggle(QStringLiteral("bold"), QStringLiteral("Negrita"), letterIcon(QStringLiteral("N"), font));
    font.setBold(false);
    font.setItalic(true);
    m_italic = addToggle(QStringLiteral("italic"), QStringLiteral("Cursiva"), letterIcon(QStringLiteral("K"), font));
    font.setItalic(false);
    font.setUnderline(true);
    m_underline = addToggle(QStringLiteral("underline"), QStringLiteral("Subrayado"), letterIcon(QStringLiteral("S"), font));
    addSeparator();
    m_left = addToggle(QStringLiteral("alignLeft"), QStringLiteral("Alinear a la izquierda"), glyphIcon(Glyph::Left));
    m_centre = addToggle(QStringLiteral("alignCentre"), QStringLiteral("Centrar"), glyphIcon(Glyph::Centre));
    m_right = addToggle(QStringLiteral("alignRight"), QStringLiteral("Alinear a la derecha"), glyphIcon(Glyph::Right));
    m_justify = addToggle(QStringLiteral("justify"), QStringLiteral("Justificar"), glyphIcon(Glyph::Justify));
    addSeparator();
    m_bullets = addToggle(QStringLiteral("bullets"), QStringLiteral("Viñetas"), glyphIcon(Glyph::Bullets));
    m_numbers = addToggle(QStringLiteral("numbering"), QStringLiteral("Numeración"), glyphIcon(Glyph::Numbers));

    // activated, not currentIndexChanged: showing a format must not apply it.
    connect(m_family, &QComboBox::textActivated, this, &TXButtonBar::setFamily);
    connect(m_size, &QComboBox::textActivated, this, &TXButtonBar::setSize);
    for (QAction *action : {m_bold, m_italic, m_underline})
        connect(action, &QAction::triggered, this, [this, action] { toggleCharFormat(action); });
    connect(m_left, &QAction::triggered, this, [this] { setAlignment(Qt::AlignLeft); });
    connect(m_centre, &QAction::triggered, this, [this] { setAlignment(Qt::AlignHCenter); });
    connect(m_right, &QAction::triggered, this, [this] { setAlignment(Qt::AlignRight); });
    connect(m_justify, &QAction::triggered, this, [this] { setAlignment(Qt::AlignJustify); });
    connect(m_bullets, &QAction::triggered, this, [this] { toggleList(ListKind::Bullets); });
    connect(m_numbers, &QAction::triggered, this, [this] { toggleList(ListKind::Numbers); });
    connect(&m_link, &ControlLink::refreshNeeded, this, &TXButtonBar::refresh);
    refresh();
}

TXButtonBar::~TXButtonBar() = default;

QAction *TXButtonBar::addToggle(const QString &name, const QString &toolTip, const QIcon &icon)
{
    QAction *action = addAction(icon, toolTip);
    action->setObjectName(name);
    action->setToolTip(toolTip);
    action->setCheckable(true);
    return action;
}

void TXButtonBar::setControl(TXTextControl *control)
{
    m_link.setControl(control);
}

void TXButtonBar::refresh()
{
    TXTextControl *control = m_link.control();
    const QTextCursor cursor = control ? control->cursor() : QTextCursor();
    showState(formatStateOf(cursor), !cursor.isNull());
}

void TXButtonBar::showState(const FormatState &state, bool enabled)
{
    m_shown = state;
    const QSignalBlocker familyBlock(m_family);
    const QSignalBlocker sizeBlock(m_size);
    const int familyIndex = state.family.isEmpty() ? -1 : m_family->findText(state.family);
    m_family->setCurrentIndex(familyIndex);
    // A family this machine lacks is still the document's: show its name.
    m_family->setEditText(state.family);
    m_size->setCurrentIndex(-1);
    m_size->setEditText(state.pointSize > 0 ? QString::number(state.pointSize) : QString());
    m_bold->setChecked(state.bold);
    m_italic->setChecked(state.italic);
    m_underline->setChecked(state.underline);
    m_left->setChecked(state.alignment == Qt::AlignLeft);
    m_centre->setChecked(state.alignment == Qt::AlignHCenter);
    m_right->setChecked(state.alignment == Qt::AlignRight);
    m_justify->setChecked(state.alignment == Qt::AlignJustify);
    m_bullets->setChecked(state.list == ListKind::Bullets);
    m_numbers->setChecked(state.list == ListKind::Numbers);
    for (QAction *action : actions())
        action->setEnabled(enabled);
}

void TXButtonBar::setFamily(const QString &family)
{
    TXTextControl *control = m_link.control();
    if (!control || family.trimmed().isEmpty())
        return refresh();
    QTextCharFormat format;
    format.setFontFamilies({family.trimmed()});
    applyCharFormat(*control, format);
    refresh();
}

void TXButtonBar::setSize(const QString &text)
{
    TXTextControl *control = m_link.control();
    // "10,5" as a Spanish user types it, or "10.5".
    QString number = text.trimmed();
    number.replace(u',', u'.');
    bool ok = false;
    const double size = number.toDouble(&ok);
    if (control && ok && size > 0 && size <= 1638) {
        QTextCharFormat format;
        format.setFontPointSize(size);
        applyCharFormat(*control, format);
    }
    refresh();
}

// The toggle's new state is the opposite of what the bar showed, not of the
// clicked action's own check mark: a mixed selection shows off and turns on.
void TXButtonBar::toggleCharFormat(QAction *action)
{
    TXTextControl *control = m_link.control();
    if (!control)
        return refresh();
    QTextCharFormat format;
    if (action == m_bold)
        format.setFontWeight(m_shown.bold ? QFont::Normal : QFont::Bold);
    else if (action == m_italic)
        format.setFontItalic(!m_shown.italic);
    else
        format.setUnderlineStyle(m_shown.underline ? QTextCharFormat::NoUnderline
                                                   : QTextCharFormat::SingleUnderline);
    applyCharFormat(*control, format);
    refresh();
}

void TXButtonBar::setAlignment(Qt::Alignment alignment)
{
    if (TXTextControl *control = m_link.control())
        applyAlignment(control->cursor(), alignment);
    refresh();
}

void TXButtonBar::toggleList(ListKind kind)
{
    if (TXTextControl *control = m_link.control())
        textctl::toggleList(control->cursor(), kind);
    refresh();
}
