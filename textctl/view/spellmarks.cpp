#include "textctl/view/spellmarks.h"

#include "textctl/txtextcontrol.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// What a paragraph held when it was checked, and its misspelt words.
class CheckedParagraph final : public QTextBlockUserData {
public:
    QString text;
    int generation = 0;
    QList<std::pair<int, int>> words;
};

CheckedParagraph *checkedOf(const QTextBlock &block)
{
    return dynamic_cast<CheckedParagraph *>(block.userData());
}

}  // namespace

SpellMarks::SpellMarks(TXTextControl &control, QObject *parent)
    : QObject(parent),
      m_control(control)
{
}

SpellMarks::~SpellMarks() = default;

void SpellMarks::setChecker(Checker checker)
{
    m_checker = std::move(checker);
    recheckAll();
    if (!m_checker && !m_marks.isEmpty()) {
        m_marks.clear();
        emit marksChanged();
    }
}

void SpellMarks::recheckAll()
{
    ++m_generation;
}

bool SpellMarks::checkPending(int budgetMs)
{
    if (!m_checker)
        return true;
    QElapsedTimer clock;
    clock.start();
    const qint64 deadline = budgetMs;
    bool changed = false;
    bool finished = true;
    // Marks of texts the control no longer holds go.
    const QList<QTextDocument *> texts = m_control.document().texts();
    const auto before = m_marks.size();
    m_marks.removeIf([&texts](const DocumentMarks &marks) { return !texts.contains(marks.doc.data()); });
    changed = m_marks.size() != before;
    for (QTextDocument *doc : texts) {
        const bool checked = checkDocument(doc, clock.elapsed() > deadline ? -1 : deadline - clock.elapsed(), &finished);
        if (!finished)
            break;
        // The marks of a text are built once its pass is over, not at each
        // run of it: a long report takes many.
        if (checked) {
            rebuild(doc);
            changed = true;
        }
    }
    if (changed)
        emit marksChanged();
    return finished;
}

// Checks the paragraphs of `doc` that need it until `budget` ms are spent;
// true when any was checked.
bool SpellMarks::checkDocument(QTextDocument *doc, qint64 budget, bool *finished)
{
    QElapsedTimer clock;
    clock.start();
    bool checked = false;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        CheckedParagraph *known = checkedOf(block);
        if (known && known->generation == m_generation && known->text == text)
            continue;
        if (budget < 0 || clock.elapsed() > budget) {
            *finished = false;
            break;
        }
        auto *paragraph = new CheckedParagraph;
        paragraph->text = text;
        paragraph->generation = m_generation;
        paragraph->words = m_checker(text);
        block.setUserData(paragraph);
        checked = true;
    }
    bool listed = false;
    for (const DocumentMarks &marks : std::as_const(m_marks))
        listed = listed || marks.doc.data() == doc;
    return checked || !listed;
}

void SpellMarks::rebuild(QTextDocument *doc)
{
    QTextCharFormat underline;
    underline.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    underline.setUnderlineColor(Qt::red);
    QList<QAbstractTextDocumentLayout::Selection> selections;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const CheckedParagraph *paragraph = checkedOf(block);
        // A paragraph edited since its check and not checked yet shows none.
        if (!paragraph || paragraph->text != block.text())
            continue;
        for (const auto &[start, length] : paragraph->words) {
            if (start + length > block.length() - 1)
                continue;
            QTextCursor cursor(doc);
            cursor.setPosition(block.position() + start);
            cursor.setPosition(block.position() + start + length, QTextCursor::KeepAnchor);
            selections.append({cursor, underline});
        }
    }
    for (DocumentMarks &marks : m_marks) {
        if (marks.doc.data() == doc) {
            marks.selections = selections;
            return;
        }
    }
    m_marks.append({doc, selections});
}

QList<QAbstractTextDocumentLayout::Selection> SpellMarks::selections(const QTextDocument *doc) const
{
    for (const DocumentMarks &marks : m_marks) {
        if (marks.doc.data() == doc)
            return marks.selections;
    }
    return {};
}

QTextCursor SpellMarks::wordAt(const QTextDocument *doc, int position) const
{
    for (const auto &selection : selections(doc)) {
        if (selection.cursor.selectionStart() <= position && position <= selection.cursor.selectionEnd()
            && selection.cursor.hasSelection())
            return selection.cursor;
    }
    return {};
}
