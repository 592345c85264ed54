#include "textctl/dialogs/findreplacedialog.h"

#include "platformui/messageboxes.h"
#include "textctl/editing/editedcursor.h"
#include "textctl/txtextcontrol.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace textctl {

namespace {

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

FindReplaceDialog::FindReplaceDialog(TXTextControl &control, platform::MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent),
      m_control(control),
      m_boxes(boxes)
{
    setModal(false);
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("findText"));
    m_replace = new QLineEdit(this);
    m_replace->setObjectName(QStringLiteral("replaceText"));
    m_replaceLabel = new QLabel(QStringLiteral("Reemplazar por:"), this);
    m_matchCase = new QCheckBox(QStringLiteral("Coincidir mayúsculas y minúsculas"), this);
    m_matchCase->setObjectName(QStringLiteral("matchCase"));
    m_wholeWord = new QCheckBox(QStringLiteral("Sólo palabras completas"), this);
    m_wholeWord->setObjectName(QStringLiteral("wholeWord"));
    m_findNext = button(QStringLiteral("Buscar siguiente"), QStringLiteral("findNext"), this);
    m_findNext->setDefault(true);
    m_replaceButton = button(QStringLiteral("Reemplazar"), QStringLiteral("replace"), this);
    m_replaceAll = button(QStringLiteral("Reemplazar todo"), QStringLiteral("replaceAll"), this);
    m_close = button(QStringLiteral("Cerrar"), QStringLiteral("close"), this);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Buscar:"), this), 0, 0);
    fields->addWidget(m_find, 0, 1);
    fields->addWidget(m_replaceLabel, 1, 0);
    fields->addWidget(m_replace, 1, 1);
    fields->addWidget(m_matchCase, 2, 0, 1, 2);
    fields->addWidget(m_wholeWord, 3, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {m_findNext, m_replaceButton, m_replaceAll, m_close})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, [this] { findNext(); });
    connect(m_replaceButton, &QPushButton::clicked, this, [this] { replace(); });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] { replaceAllMatches(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    setMode(1);
}

void FindReplaceDialog::setMode(int mode)
{
    m_mode = mode == 2 ? 2 : 1;
    const bool replacing = m_mode == 2;
    setWindowTitle(title());
    m_replaceLabel->setVisible(replacing);
    m_replace->setVisible(replacing);
    m_replaceButton->setVisible(replacing);
    m_replaceAll->setVisible(replacing);
}

QString FindReplaceDialog::title() const
{
    return m_mode == 2 ? QStringLiteral("Reemplazar") : QStringLiteral("Buscar");
}

void FindReplaceDialog::takeSelection()
{
    const QString selected = editedCursor(m_control).selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_find->setText(selected);
    m_find->selectAll();
    m_find->setFocus();
}

FindOptions FindReplaceDialog::options() const
{
    return {m_matchCase->isChecked(), m_wholeWord->isChecked()};
}

bool FindReplaceDialog::findNext()
{
    const QString text = m_find->text();
    if (text.isEmpty())
        return false;
    switch (textctl::findNext(m_control, text, options())) {
    case FindOutcome::Found: return true;
    case FindOutcome::AtEnd: {
        const QString question =
            QStringLiteral("Se ha llegado al final del documento. ¿Desea continuar desde el principio?");
        if (m_boxes.show(question, platform::Question | platform::YesNo, title()) != platform::Answer::Yes)
            return false;
        if (findFromStart(m_control, text, options()))
            return true;
        break;
    }
    case FindOutcome::NotFound: break;
    }
    m_boxes.show(QStringLiteral("No se encuentra \"%1\".").arg(text), platform::Information, title());
    return false;
}

bool FindReplaceDialog::replace()
{
    replaceCurrent(m_control, m_find->text(), m_replace->text(), options());
    return findNext();
}

int FindReplaceDialog::replaceAllMatches()
{
    const int count = replaceAll(m_control, m_find->text(), m_replace->text(), options());
    const QString message = count == 1 ? QStringLiteral("Se ha realizado 1 reemplazo.")
                                       : QStringLiteral("Se han realizado %1 reemplazos.").arg(count);
    m_boxes.show(message, platform::Information, title());
    return count;
}

FindReplaceDialog *FindReplace(TXTextControl &control, int mode, platform::MessageBoxes &boxes, QWidget *parent)
{
    static QHash<const TXTextControl *, QPointer<FindReplaceDialog>> dialogs;
    QPointer<FindReplaceDialog> &dialog = dialogs[&control];
    if (!dialog) {
        dialog = new FindReplaceDialog(control, boxes, parent);
        QObject::connect(&control, &QObject::destroyed, dialog, [&control] {
            delete dialogs.take(&control).data();
        });
    }
    dialog->setMode(mode);
    dialog->takeSelection();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

}  // namespace textctl
