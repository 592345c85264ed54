#pragma once

// The words of one paragraph that the spelling check looks at: runs of
// letters. A word with a digit or an ordinal sign in it ("12b", "2ª", "Nº")
// is never checked, nor anything inside a field marker, from an "&" to the
// next "&" of the same paragraph ("&Nombre del titular&"): a template's
// markers are not words.
//
//   office::checkedWords(u"Titular: &Nombre del titular&, C/ Mayor 12b"_s)
//   // "Titular", "C", "Mayor"

#include <QList>
#include <QString>

namespace office {

class SpellingDictionary;

struct WordSpan {
    int start = 0;
    int length = 0;

    friend bool operator==(const WordSpan &, const WordSpan &) = default;
};

QList<WordSpan> checkedWords(const QString &paragraph);
// The checked words the dictionary does not know.
QList<WordSpan> misspeltWords(const QString &paragraph, const SpellingDictionary &dictionary);

}  // namespace office
