#pragma once

// The Spanish dictionary the spelling check and the underline ask: Hunspell
// with es_ES from the dictionary folder, plus the user's personal word list
// (one word a line, UTF-8), to which "Añadir al diccionario" appends.
// Without the dictionary files the object is not valid and knows every word.
//
//   office::SpellingDictionary dictionary;
//   if (dictionary.isValid() && !dictionary.isCorrect(u"perito"_s)) ...

#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

namespace office {

class SpellingDictionary final {
public:
    // The folder Debian installs Hunspell dictionaries in.
    static QString defaultDictionaryDir();
    // "palabras.dic" in the user's data folder of this program.
    static QString defaultPersonalPath();

    explicit SpellingDictionary(const QString &dictionaryDir = defaultDictionaryDir(),
                                const QString &personalPath = defaultPersonalPath());
    ~SpellingDictionary();
    Q_DISABLE_COPY_MOVE(SpellingDictionary)

    bool isValid() const { return m_hunspell != nullptr; }
    bool isCorrect(const QString &word) const;
    QStringList suggestions(const QString &word) const;
    // The word is known from now on and written to the personal list; false
    // when the list cannot be written (the word is still known until the
    // program ends).
    bool addToPersonal(const QString &word);

private:
    std::unique_ptr<Hunspell> m_hunspell;
    QString m_personalPath;
};

// The dictionary the document windows share, loaded on first use.
SpellingDictionary &diccionario();

}  // namespace office
