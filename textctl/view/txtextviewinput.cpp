// Keys, mouse placement and input methods of the page view: every edit is
// a QTextCursor step on the control's cursor of the part being edited.
#include "textctl/editing/textediting.h"
#include "textctl/view/txtextview.h"

#include "textctl/render/pagination.h"
#include "textctl/tablecells.h"
#include "textctl/txtextcontrol.h"

#include <QAbstractTextDocumentLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

bool isTypedText(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

}  // namespace

// The caret is the control's cursor when the control's target is the part
// being edited; while something else has redirected the target (a merge
// step), the view shows no caret.
QTextCursor TXTextView::editCursor() const
{
    if (!m_control || m_control->HeaderFooterSelect() != m_control->activeHeaderFooter())
        return {};
    return m_control->cursor();
}

// A user's edit goes to the part being edited.
void TXTextView::syncTarget()
{
    if (m_control && m_control->HeaderFooterSelect() != m_control->activeHeaderFooter())
        m_control->setHeaderFooterSelect(m_control->activeHeaderFooter());
}

void TXTextView::commit(const QTextCursor &cursor)
{
    m_control->setCursor(cursor);
}

void TXTextView::activate(int area, int page)
{
    m_control->activateHeaderFooter(area);
    m_control->setHeaderFooterSelect(m_control->activeHeaderFooter());
    m_areaPage = page;
}

void TXTextView::placeCaret(const QPoint &viewportPos, bool extend)
{
    m_control->pagination().ensureLayout();
    const Hit hit = hitAt(viewportPos);
    int area = areaOfRegion(hit);
    if (hit.region == Region::Body && activeArea() != 0 && !extend)
        activate(0, 0);
    else if (area != 0 && area == activeArea())
        m_areaPage = hit.page;  // the same header on another page
    else
        area = activeArea();  // a margin not being edited: the nearest body text
    syncTarget();
    QTextCursor cursor = editCursor();
    if (cursor.isNull())
        return;
    Hit target = hit;
    if (area == textctl::MainText)
        target.region = Region::Body;
    const int position = positionIn(activeArea(), target);
    if (position < 0)
        return;
    cursor.setPosition(position, extend ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    commit(cursor);
    caretMoved();
}

// The keys the view handles itself: moving, editing and typing. Anything
// else (Ctrl+letter, Alt+letter, function keys, Escape) is the menus'.
bool TXTextView::ownsKey(const QKeyEvent *event) const
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return !(mods & (Qt::AltModifier | Qt::MetaModifier));
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return !(mods & ~Qt::ShiftModifier);
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Tab:
        return mods == Qt::NoModifier;
    default:
        return !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            && isTypedText(event->text());
    }
}

bool TXTextView::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Accepting claims the key before any menu shortcut sees it.
        key->setAccepted(ownsKey(key));
        return key->isAccepted();
    }
    return QAbstractScrollArea::event(event);
}

void TXTextView::keyPressEvent(QKeyEvent *event)
{
    if (!m_control) {
        event->ignore();
        return;
    }
    syncTarget();
    if (m_picture >= 0 && pictureKey(event)) {
        event->accept();
        return;
    }
    if (editCursor().isNull() || !ownsKey(event) || !(handleMoveKey(event) || handleEditKey(event))) {
        event->ignore();
        return;
    }
    event->accept();
    caretMoved();
}

bool TXTextView::handleMoveKey(QKeyEvent *event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const QTextCursor::MoveMode mode = shift ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    QTextCursor cursor = editCursor();
    QTextCursor::MoveOperation op = QTextCursor::NoMove;
    switch (event->key()) {
    case Qt::Key_Left: op = ctrl ? QTextCursor::WordLeft : QTextCursor::Left; break;
    case Qt::Key_Right: op = ctrl ? QTextCursor::WordRight : QTextCursor::Right; break;
    case Qt::Key_Up: op = QTextCursor::Up; break;
    case Qt::Key_Down: op = QTextCursor::Down; break;
    case Qt::Key_Home: op = ctrl ? QTextCursor::Start : QTextCursor::StartOfLine; break;
    case Qt::Key_End: op = ctrl ? QTextCursor::End : QTextCursor::EndOfLine; break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        movePage(cursor, event->key() == Qt::Key_PageUp ? -1 : 1, mode);
        commit(cursor);
        return true;
    default: return false;
    }
    m_control->pagination().ensureLayout();
    cursor.movePosition(op, mode);
    commit(cursor);
    return true;
}

// Page Up and Down move the caret by one viewport height on the page.
void TXTextView::movePage(QTextCursor &cursor, int direction, QTextCursor::MoveMode mode) const
{
    const QRect caret = caretRect();
    const int step = viewport()->height();
    QTextDocument *doc = cursor.document();
    if (activeArea() != 0 || caret.isNull()) {
        cursor.movePosition(direction < 0 ? QTextCursor::Start : QTextCursor::End, mode);
        return;
    }
    textctl::Pagination &pagination = m_control->pagination();
    int page = 1;
    const QRectF sheet = caretSheetRect(&page);
    QPointF layout = pagination.sheetToLayout(page, sheet.center());
    layout.ry() += textctl::toLayout(direction * step / scale());
    if (layout.y() < 0) {
        cursor.movePosition(QTextCursor::Start, mode);
        return;
    }
    const int position = doc->documentLayout()->hitTest(layout, Qt::FuzzyHit);
    if (position < 0)
        cursor.movePosition(QTextCursor::End, mode);
    else
        cursor.setPosition(position, mode);
}

bool TXTextView::handleEditKey(QKeyEvent *event)
{
    QTextCursor cursor = editCursor();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Insert:
        if (event->modifiers() != Qt::NoModifier)
            return false;
        m_control->setInsertMode(!m_control->InsertMode());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & Qt::ControlModifier)
            return false;
        if (shift)
            textctl::insertLineBreak(cursor);
        else
            textctl::insertParagraph(cursor);
        break;
    case Qt::Key_Backspace:
        textctl::deleteBackward(cursor);
        break;
    case Qt::Key_Delete:
        if (event->modifiers() & ~Qt::KeypadModifier)
            return false;
        textctl::deleteForward(cursor);
        break;
    case Qt::Key_Tab:
        // In a table Tab goes to the next cell; the last cell gets a new row.
        if (event->modifiers() == Qt::NoModifier && !cursor.hasSelection() && textctl::moveToNextCell(cursor))
            break;
        textctl::typeText(cursor, u"\t"_qs, false);
        break;
    default:
        if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
        if (!isTypedText(event->text()))
            return false;
        textctl::typeText(cursor, event->text(), !m_control->InsertMode());
        break;
    }
    commit(cursor);
    return true;
}

void TXTextView::inputMethodEvent(QInputMethodEvent *event)
{
    syncTarget();
    QTextCursor cursor = editCursor();
    if (cursor.isNull()) {
        event->ignore();
        return;
    }
    QTextBlock block = cursor.block();
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        cursor.beginEditBlock();
        if (event->replacementLength() > 0) {
            cursor.setPosition(cursor.position() + event->replacementStart());
            cursor.setPosition(cursor.position() + event->replacementLength(),
                               QTextCursor::KeepAnchor);
        }
        textctl::typeText(cursor, event->commitString(), false);
        if (event->commitString().isEmpty() && cursor.hasSelection())
            cursor.removeSelectedText();
        cursor.endEditBlock();
        commit(cursor);
        block = cursor.block();
    }
    // The text being composed shows at the caret without entering the
    // document.
    m_preedit = event->preeditString();
    if (block.layout()) {
        block.layout()->setPreeditArea(cursor.position() - block.position(), m_preedit);
        cursor.document()->markContentsDirty(block.position(), block.length());
    }
    event->accept();
    caretMoved();
}

QVariant TXTextView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const QTextCursor cursor = editCursor();
    if (cursor.isNull())
        return QAbstractScrollArea::inputMethodQuery(query);
    const QTextBlock block = cursor.block();
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return caretRect();
    case Qt::ImFont: return cursor.charFormat().font();
    case Qt::ImCursorPosition: return cursor.position() - block.position();
    case Qt::ImAnchorPosition: return cursor.anchor() - block.position();
    case Qt::ImSurroundingText: return block.text();
    case Qt::ImCurrentSelection: return cursor.selectedText();
    case Qt::ImMaximumTextLength: return QVariant();
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}
