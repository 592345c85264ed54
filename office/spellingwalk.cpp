#include "office/spellingwalk.h"

#include "office/spellingdictionary.h"
#include "office/spellingwords.h"
#include "textctl/model/areas.h"
#include "textctl/txtextcontrol.h"

#include <QHash>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace office {

namespace {

bool endsSentence(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?';
}

// One check's state: the answers that hold for the rest of it, and the
// main text's edits joined into one undo step.
class Walk final {
public:
    Walk(TXTextControl &control, SpellingDictionary &dictionary,
         const std::function<SpellingAnswer(const SpellingQuestion &)> &ask)
        : m_control(control),
          m_dictionary(dictionary),
          m_ask(ask)
    {
    }

    SpellingResult run()
    {
        for (int area : {textctl::MainText, textctl::PageHeader, textctl::FirstPageHeader, textctl::PageFooter,
                         textctl::FirstPageFooter}) {
            if (m_result.cancelled || !m_control.document().area(area))
                continue;
            checkArea(area);
        }
        m_control.endAreaRewrite(m_mainEdited);
        return m_result;
    }

private:
    // Blocks are walked by number: a rewritten area is a new document whose
    // blocks stand where the old one's did.
    void checkArea(int area)
    {
        for (int number = 0; !m_result.cancelled; ++number) {
            QTextBlock block = m_control.document().area(area)->findBlockByNumber(number);
            if (!block.isValid())
                return;
            int from = 0;
            while (!m_result.cancelled) {
                block = m_control.document().area(area)->findBlockByNumber(number);
                const QString text = block.text();
                const WordSpan word = nextMisspelt(text, from);
                if (word.length == 0)
                    break;
                from = word.start + answer(area, number, text, word);
            }
        }
    }

    WordSpan nextMisspelt(const QString &text, int from) const
    {
        for (const WordSpan &word : misspeltWords(text, m_dictionary)) {
            if (word.start >= from && !m_ignored.contains(text.mid(word.start, word.length)))
                return word;
        }
        return {};
    }

    // Acts on one misspelt word; answers the length of the text that now
    // stands in its place.
    int answer(int area, int blockNumber, const QString &text, const WordSpan &span)
    {
        const QString word = text.mid(span.start, span.length);
        const auto always = m_changeAll.constFind(word);
        if (always != m_changeAll.cend())
            return replace(area, blockNumber, span, *always);
        SpellingQuestion question;
        question.word = word;
        question.area = area;
        int sentenceStart = 0;
        question.sentence = sentenceAround(text, span.start, &sentenceStart);
        question.sentence.replace(QChar::ObjectReplacementCharacter, u' ');
        question.wordStart = span.start - sentenceStart;
        question.suggestions = m_dictionary.suggestions(word);
        showWord(area, blockNumber, span);
        const SpellingAnswer reply = m_ask(question);
        switch (reply.action) {
        case SpellingAnswer::ChangeAll:
            m_changeAll.insert(word, reply.replacement);
            return replace(area, blockNumber, span, reply.replacement);
        case SpellingAnswer::Change:
            return replace(area, blockNumber, span, reply.replacement);
        case SpellingAnswer::IgnoreAll:
            m_ignored.insert(word);
            break;
        case SpellingAnswer::Add:
            m_dictionary.addToPersonal(word);
            break;
        case SpellingAnswer::Ignore:
            break;
        case SpellingAnswer::Cancel:
            m_result.cancelled = true;
            break;
        }
        return span.length;
    }

    // The word selected in the control, where the area is its target, so
    // that the view shows it while it is asked about.
    void showWord(int area, int blockNumber, const WordSpan &span)
    {
        QTextDocument *doc = m_control.document().area(area);
        QTextCursor word(doc);
        word.setPosition(doc->findBlockByNumber(blockNumber).position() + span.start);
        word.setPosition(word.position() + span.length, QTextCursor::KeepAnchor);
        m_control.setCursor(word);
    }

    int replace(int area, int blockNumber, const WordSpan &span, const QString &replacement)
    {
        QTextDocument *doc = area == textctl::MainText ? m_control.document().main() : m_control.rewriteArea(area);
        const int at = doc->findBlockByNumber(blockNumber).position() + span.start;
        QTextCursor cursor(doc);
        cursor.setPosition(at + 1);
        const QTextCharFormat format = cursor.charFormat();
        cursor.setPosition(at);
        cursor.setPosition(at + span.length, QTextCursor::KeepAnchor);
        const bool join = area == textctl::MainText && m_mainEdited;
        if (join)
            cursor.joinPreviousEditBlock();
        else
            cursor.beginEditBlock();
        cursor.insertText(replacement, format);
        cursor.endEditBlock();
        m_mainEdited = m_mainEdited || area == textctl::MainText;
        ++m_result.changed;
        return int(replacement.size());
    }

    TXTextControl &m_control;
    SpellingDictionary &m_dictionary;
    const std::function<SpellingAnswer(const SpellingQuestion &)> &m_ask;
    QHash<QString, QString> m_changeAll;
    QSet<QString> m_ignored;
    bool m_mainEdited = false;
    SpellingResult m_result;
};

}  // namespace

SpellingResult revisar_ortografia(TXTextControl &control, SpellingDictionary &dictionary,
                                  const std::function<SpellingAnswer(const SpellingQuestion &)> &ask)
{
    if (!dictionary.isValid())
        return {};
    return Walk(control, dictionary, ask).run();
}

QString sentenceAround(const QString &paragraph, int position, int *start)
{
    int from = position;
    while (from > 0 && !endsSentence(paragraph[from - 1]))
        --from;
    int to = position;
    while (to < paragraph.size() && !endsSentence(paragraph[to]))
        ++to;
    if (to < paragraph.size())
        ++to;
    while (from < to && paragraph[from].isSpace())
        ++from;
    *start = from;
    return paragraph.mid(from, to - from).trimmed();
}

}  // namespace office
