#pragma once

// The spelling check of a whole report, in place: the misspelt words of the
// main text, then of the page header, first-page header, page footer and
// first-page footer, in reading order (table cells included), each put to
// `ask`. A change replaces only that word, in the format of its first
// letter, so fonts, tables, pictures and the areas stay as they were; the
// whole check is one undo step of the main text. Needs no widgets: the
// dialog is whatever `ask` is.
//
//   office::revisar_ortografia(control, office::diccionario(), [&](const auto &question) {
//       return dialog.ask(question);
//   });

#include <QString>
#include <QStringList>

#include <functional>

class TXTextControl;

namespace office {

class SpellingDictionary;

struct SpellingQuestion {
    QString word;
    // The sentence around the word and where the word starts in it.
    QString sentence;
    int wordStart = 0;
    QStringList suggestions;
    int area = 0;  // 0 main text, else the area code
};

struct SpellingAnswer {
    enum Action { Change, ChangeAll, Ignore, IgnoreAll, Add, Cancel };
    Action action = Cancel;
    QString replacement;  // for Change and ChangeAll
};

struct SpellingResult {
    int changed = 0;      // words replaced
    bool cancelled = false;
};

SpellingResult revisar_ortografia(TXTextControl &control, SpellingDictionary &dictionary,
                                  const std::function<SpellingAnswer(const SpellingQuestion &)> &ask);

// The sentence of `paragraph` that holds the text at `position`, trimmed:
// from after the previous ".", "!" or "?" to the next one included.
QString sentenceAround(const QString &paragraph, int position, int *start);

}  // namespace office
