// The document window's spelling: "Corrector ortográfico", the underline as
// the user types and the suggestions of the right button's menu.

#include "frame/mdichild.h"

#include "office/spellingdialog.h"
#include "office/spellingdictionary.h"
#include "office/spellingwalk.h"
#include "office/spellingwords.h"
#include "textctl/view/spellmarks.h"
#include "textctl/view/txtextview.h"

#include <QAction>
#include <QFont>
#include <QMenu>

#include <functional>

namespace frame {

namespace {

constexpr int kMenuSuggestions = 6;

QList<std::pair<int, int>> misspeltSpans(const QString &paragraph)
{
    QList<std::pair<int, int>> spans;
    for (const office::WordSpan &word : office::misspeltWords(paragraph, office::diccionario()))
        spans.append({word.start, word.length});
    return spans;
}

}  // namespace

// Without the dictionary the command does nothing, as a command of a
// missing component does.
void MDIchild::correctoritem_Click()
{
    office::SpellingDictionary &dictionary = office::diccionario();
    if (!dictionary.isValid())
        return;
    office::SpellingDialog dialog(window());
    office::revisar_ortografia(m_control, dictionary, std::ref(dialog));
    m_view->spellMarks().recheckAll();
}

void MDIchild::setSpellingUnderline(bool on)
{
    m_view->spellMarks().setChecker(on ? SpellMarks::Checker(misspeltSpans) : SpellMarks::Checker());
    if (QAction *switchItem = item(QStringLiteral("ortografiaitem")))
        switchItem->setChecked(on);
    // The dictionary loads in idle time, never for a window nobody sees.
    if (on && m_view->isVisible())
        m_view->checkSpelling();
}

QMenu *MDIchild::contextMenuAt(const QPoint &globalPos)
{
    QTextCursor word = m_view->markedWordAt(m_view->viewport()->mapFromGlobal(globalPos));
    if (word.isNull())
        return m_mnueditar;
    const QString text = word.selectedText();
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("ortografiamenu"));
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater, Qt::QueuedConnection);
    const QStringList suggestions = office::diccionario().suggestions(text).mid(0, kMenuSuggestions);
    for (const QString &suggestion : suggestions) {
        QAction *action = menu->addAction(suggestion);
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
        // The word keeps the format of its first letter; one undo step.
        connect(action, &QAction::triggered, this, [word, suggestion]() mutable {
            QTextCursor first(word.document());
            first.setPosition(word.selectionStart() + 1);
            word.insertText(suggestion, first.charFormat());
        });
    }
    if (suggestions.isEmpty())
        menu->addAction(QStringLiteral("(Sin sugerencias)"))->setEnabled(false);
    connect(menu->addAction(QStringLiteral("Añadir al diccionario")), &QAction::triggered, this, [this, text] {
        office::diccionario().addToPersonal(text);
        m_view->spellMarks().recheckAll();
        m_view->checkSpelling();
    });
    menu->addSeparator();
    menu->addActions(m_mnueditar->actions());
    return menu;
}

}  // namespace frame
