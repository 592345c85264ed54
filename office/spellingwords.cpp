#include "office/spellingwords.h"

#include "office/spellingdictionary.h"

namespace office {

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

// "2ª", "Nº": numbers and their abbreviations, never words of the dictionary.
bool isNumeric(QChar c)
{
    return c.isDigit() || c == u'º' || c == u'ª';
}

}  // namespace

QList<WordSpan> checkedWords(const QString &paragraph)
{
    QList<WordSpan> words;
    const int size = int(paragraph.size());
    int i = 0;
    while (i < size) {
        if (paragraph[i] == u'&') {
            const int close = int(paragraph.indexOf(u'&', i + 1));
            if (close > i) {
                i = close + 1;
                continue;
            }
        }
        if (!isWordChar(paragraph[i])) {
            ++i;
            continue;
        }
        const int start = i;
        bool digit = false;
        while (i < size && isWordChar(paragraph[i]))
            digit = isNumeric(paragraph[i++]) || digit;
        if (!digit)
            words.append({start, i - start});
    }
    return words;
}

QList<WordSpan> misspeltWords(const QString &paragraph, const SpellingDictionary &dictionary)
{
    QList<WordSpan> misspelt;
    for (const WordSpan &word : checkedWords(paragraph)) {
        if (!dictionary.isCorrect(paragraph.mid(word.start, word.length)))
            misspelt.append(word);
    }
    return misspelt;
}

}  // namespace office
