#pragma once

// Message boxes: a text, buttons, an icon and a title; the answer is the
// button pressed. Buttons and icon are summed into one style value, as the
// callers write them (48 + 3: exclamation with Yes, No and Cancel).
//
//   if (boxes.show(text, Exclamation | YesNoCancel, caption) == Answer::Yes)
//       save();
//
// QtMessageBoxes shows QMessageBox, or with no display writes the text to
// standard error and answers as if the window had been closed: Cancel when
// there is one, else No, else OK. ScriptedMessageBoxes records every box
// and answers from a script.

#include <QList>
#include <QString>

namespace platform {

enum MessageStyle : int {
    OkOnly = 0,
    OkCancel = 1,
    YesNoCancel = 3,
    YesNo = 4,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
};

enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Answer show(const QString &text, int style = OkOnly, const QString &title = {}) = 0;
};

// The answer a box gives when it is dismissed without choosing.
Answer dismissAnswer(int style);
// "\n\r" as the callers write line breaks, shown as one line break.
QString displayText(const QString &text);

}  // namespace platform
