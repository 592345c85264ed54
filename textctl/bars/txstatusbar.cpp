#include "textctl/bars/txstatusbar.h"

#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QLabel>

using namespace textctl;

TXStatusBar::TXStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    m_page = addField(QStringLiteral("page"));
    m_line = addField(QStringLiteral("line"));
    m_column = addField(QStringLiteral("column"));
    connect(&m_link, &ControlLink::refreshNeeded, this, &TXStatusBar::refresh);
}

TXStatusBar::~TXStatusBar() = default;

QLabel *TXStatusBar::addField(const QString &name)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Columna 00000")));
    addWidget(label);
    return label;
}

void TXStatusBar::setControl(TXTextControl *control)
{
    m_link.setControl(control);
}

void TXStatusBar::refresh()
{
    TXTextControl *control = m_link.control();
    const QTextCursor cursor = control ? control->cursor() : QTextCursor();
    if (cursor.isNull()) {
        m_page->clear();
        m_line->clear();
        m_column->clear();
        return;
    }
    const CaretPlace place = caretPlace(cursor, &control->pagination());
    m_page->setText(QStringLiteral("Página %1").arg(place.page));
    m_line->setText(QStringLiteral("Línea %1").arg(place.line));
    m_column->setText(QStringLiteral("Columna %1").arg(place.column));
}

QString TXStatusBar::pageText() const { return m_page->text(); }
QString TXStatusBar::lineText() const { return m_line->text(); }
QString TXStatusBar::columnText() const { return m_column->text(); }
