#include "platformui/scripteddialogs.h"

namespace platform {

bool ScriptedCommonDialog::run(DialogKind kind)
{
    m_openings.append({kind, *this});
    if (m_script.isEmpty())
        return false;
    const Step step = m_script.dequeue();
    if (step.cancel)
        return false;
    if (kind == DialogKind::Color) {
        Color = step.color;
        return true;
    }
    FileName = step.path;
    if (step.filterIndex > 0)
        FilterIndex = step.filterIndex;
    return true;
}

Answer ScriptedMessageBoxes::show(const QString &text, int style, const QString &title)
{
    m_shown.append({text, style, title});
    if (m_script.isEmpty())
        return dismissAnswer(style);
    return m_script.dequeue();
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList list;
    for (const Shown &box : m_shown)
        list.append(box.text);
    return list;
}

}  // namespace platform
