#include "office/spellingdialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace office {

namespace {

struct ButtonText {
    SpellingAnswer::Action action;
    const char16_t *text;
};
constexpr ButtonText kButtons[] = {
    {SpellingAnswer::Ignore, u"&Omitir"},
    {SpellingAnswer::IgnoreAll, u"Omitir &todas"},
    {SpellingAnswer::Add, u"&Añadir al diccionario"},
    {SpellingAnswer::Change, u"&Cambiar"},
    {SpellingAnswer::ChangeAll, u"Cambiar t&odas"},
    {SpellingAnswer::Cancel, u"Cancelar"},
};

}  // namespace

SpellingDialog::SpellingDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Corrector ortográfico"));
    m_sentence = new QLabel(this);
    m_sentence->setWordWrap(true);
    m_sentence->setTextFormat(Qt::RichText);
    m_sentence->setFrameShape(QFrame::StyledPanel);
    m_sentence->setMinimumSize(360, 60);
    m_sentence->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_replacement = new QLineEdit(this);
    m_suggestions = new QListWidget(this);
    connect(m_suggestions, &QListWidget::currentTextChanged, m_replacement, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this, [this] {
        m_action = SpellingAnswer::Change;
        accept();
    });

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("No está en el diccionario:"), this), 0, 0);
    grid->addWidget(m_sentence, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Cambiar a:"), this), 2, 0);
    grid->addWidget(m_replacement, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("Sugerencias:"), this), 4, 0);
    grid->addWidget(m_suggestions, 5, 0);
    auto *column = new QVBoxLayout;
    for (const ButtonText &entry : kButtons) {
        auto *push = new QPushButton(QString::fromUtf16(entry.text), this);
        push->setAutoDefault(false);
        m_buttons[entry.action] = push;
        column->addWidget(push);
        connect(push, &QPushButton::clicked, this, [this, action = entry.action] {
            m_action = action;
            if (action == SpellingAnswer::Cancel)
                reject();
            else
                accept();
        });
        if (entry.action == SpellingAnswer::Add)
            column->addSpacing(12);
    }
    column->addStretch();
    grid->addLayout(column, 1, 1, 5, 1);
    m_buttons[SpellingAnswer::Change]->setDefault(true);
}

void SpellingDialog::present(const SpellingQuestion &question)
{
    const QString before = question.sentence.left(question.wordStart);
    const QString after = question.sentence.mid(question.wordStart + question.word.size());
    m_sentence->setText(before.toHtmlEscaped() + QStringLiteral("<b><font color=\"#c00000\">")
                        + question.word.toHtmlEscaped() + QStringLiteral("</font></b>") + after.toHtmlEscaped());
    m_suggestions->clear();
    m_suggestions->addItems(question.suggestions);
    m_replacement->setText(question.suggestions.value(0, question.word));
    if (!question.suggestions.isEmpty())
        m_suggestions->setCurrentRow(0);
    m_replacement->setFocus();
    m_action = SpellingAnswer::Cancel;
}

SpellingAnswer SpellingDialog::operator()(const SpellingQuestion &question)
{
    present(question);
    exec();
    return answerOf(m_action);
}

SpellingAnswer SpellingDialog::answerOf(SpellingAnswer::Action action) const
{
    return {action, m_replacement->text()};
}

QPushButton *SpellingDialog::button(SpellingAnswer::Action action) const
{
    return m_buttons[action];
}

}  // namespace office
