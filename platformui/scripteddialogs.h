#pragma once

// Test doubles of the common dialog and the message boxes: each opening is
// recorded with the settings or texts it was given, and answered from a
// script queued beforehand. An opening with no scripted answer is recorded
// and answered with cancel, so a test that did not expect a question sees it
// in the record.

#include "platformui/commondialog.h"
#include "platformui/messageboxes.h"

#include <QList>
#include <QQueue>

namespace platform {

class ScriptedCommonDialog final : public CommonDialog {
public:
    struct Opening {
        DialogKind kind;
        DialogSettings settings;
    };
    // The next opening chooses `path` (with filter `filterIndex`, 0 keeps
    // the one set); cancelNext() makes it cancel.
    void chooseNext(const QString &path, int filterIndex = 0) { m_script.enqueue({false, path, filterIndex}); }
    void cancelNext() { m_script.enqueue({true, {}, 0}); }
    // The next colour dialog chooses `rgb` (0xRRGGBB).
    void chooseColorNext(int rgb) { m_script.enqueue({false, {}, 0, rgb}); }
    const QList<Opening> &openings() const { return m_openings; }
    int pendingAnswers() const { return static_cast<int>(m_script.size()); }

protected:
    bool run(DialogKind kind) override;

private:
    struct Step {
        bool cancel;
        QString path;
        int filterIndex;
        int color = 0;
    };
    QQueue<Step> m_script;
    QList<Opening> m_openings;
};

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString text;
        int style;
        QString title;
    };
    void answerNext(Answer answer) { m_script.enqueue(answer); }
    Answer show(const QString &text, int style = OkOnly, const QString &title = {}) override;
    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }
    int pendingAnswers() const { return static_cast<int>(m_script.size()); }

private:
    QQueue<Answer> m_script;
    QList<Shown> m_shown;
};

}  // namespace platform
