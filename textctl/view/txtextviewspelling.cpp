// The spelling underline of the view: the idle-time check and the word
// under the mouse.

#include "textctl/view/txtextview.h"

#include "textctl/txtextcontrol.h"
#include "textctl/view/spellmarks.h"

namespace {

// Each run of the check stops after this long, so that a key pressed
// meanwhile waits no more than that.
constexpr int kSpellBudgetMs = 8;
// The next run, while paragraphs are left.
constexpr int kSpellAgainMs = 30;

}  // namespace

// Every edit postpones the check: it runs once typing pauses.
void TXTextView::restartSpellCheck()
{
    if (m_spell->isOn())
        m_spellIdle.start(kSpellIdleMs);
}

void TXTextView::checkSpelling()
{
    if (!m_spell->checkPending(kSpellBudgetMs))
        m_spellIdle.start(kSpellAgainMs);
}

QTextCursor TXTextView::markedWordAt(const QPoint &viewportPos) const
{
    int area = -1;
    const int position = hitTest(viewportPos, &area);
    if (position < 0 || !m_control || area != activeArea())
        return {};
    return m_spell->wordAt(m_control->document().area(area), position);
}
