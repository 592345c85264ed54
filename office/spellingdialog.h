#pragma once

// The spelling dialog, "Corrector ortográfico": the misspelt word shown in
// its sentence, the suggestions, the text to change it to (the first
// suggestion, or the word itself when there is none) and the buttons
// "Cambiar", "Cambiar todas", "Omitir", "Omitir todas", "Añadir al
// diccionario" and "Cancelar". It only answers; the walk applies the answer.
//
//   office::SpellingDialog dialog(window);
//   office::revisar_ortografia(control, office::diccionario(), std::ref(dialog));

#include "office/spellingwalk.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace office {

class SpellingDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SpellingDialog(QWidget *parent = nullptr);

    // Shows `question` and waits for the user (closing the window cancels).
    SpellingAnswer operator()(const SpellingQuestion &question);
    // Shows `question` without waiting: what operator() does before exec().
    void present(const SpellingQuestion &question);
    // The answer a button gives, with the text to change to.
    SpellingAnswer answerOf(SpellingAnswer::Action action) const;
    QPushButton *button(SpellingAnswer::Action action) const;

private:
    QLabel *m_sentence = nullptr;
    QLineEdit *m_replacement = nullptr;
    QListWidget *m_suggestions = nullptr;
    QPushButton *m_buttons[6] = {};
    SpellingAnswer::Action m_action = SpellingAnswer::Cancel;
};

}  // namespace office
