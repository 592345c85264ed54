#pragma once

// The misspelt words of a control's texts (main text, headers and footers),
// as marks the view draws under the text with a wavy red line. Paragraphs
// are checked when the view asks (in idle time, a few milliseconds at a
// time); a paragraph edited since its check keeps its marks, moved with the
// text, until it is checked again. The marks live in the view only: they
// are never part of the document, a printout or a file.
//
//   SpellMarks marks(control);
//   marks.setChecker([&](const QString &paragraph) { return misspelt(paragraph); });
//   while (!marks.checkPending(10)) {}
//   painter.draw(..., marks.selections(control.document().main()));

#include <QAbstractTextDocumentLayout>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTextCursor>

#include <functional>
#include <utility>

class TXTextControl;
class QTextDocument;

class SpellMarks final : public QObject {
    Q_OBJECT
public:
    // The misspelt words of one paragraph's text, as (start, length).
    using Checker = std::function<QList<std::pair<int, int>>(const QString &paragraph)>;

    explicit SpellMarks(TXTextControl &control, QObject *parent = nullptr);
    ~SpellMarks() override;
    Q_DISABLE_COPY_MOVE(SpellMarks)

    // An empty checker switches the marks off and drops them.
    void setChecker(Checker checker);
    bool isOn() const { return bool(m_checker); }
    // Every paragraph is to be checked again (a word was added).
    void recheckAll();
    // Checks paragraphs not checked since their last change for about
    // `budgetMs`; true when none is left. Raises marksChanged when marks
    // came or went.
    bool checkPending(int budgetMs);

    QList<QAbstractTextDocumentLayout::Selection> selections(const QTextDocument *doc) const;
    // The marked word at `position` of `doc`, selected; null when none.
    QTextCursor wordAt(const QTextDocument *doc, int position) const;

signals:
    void marksChanged();

private:
    struct DocumentMarks {
        QPointer<QTextDocument> doc;
        QList<QAbstractTextDocumentLayout::Selection> selections;
    };
    bool checkDocument(QTextDocument *doc, qint64 deadline, bool *finished);
    void rebuild(QTextDocument *doc);

    TXTextControl &m_control;
    Checker m_checker;
    int m_generation = 0;
    QList<DocumentMarks> m_marks;
};
