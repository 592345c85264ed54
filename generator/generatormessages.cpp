#include "generator/generatormessages.h"

#include "platformui/display.h"

namespace generator {

GeneratorMessages::GeneratorMessages(std::unique_ptr<platform::MessageBoxes> boxes)
    : m_boxes(std::move(boxes))
{
}

platform::Answer GeneratorMessages::show(const QString &text, int style, const QString &title)
{
    platform::reportWithoutDisplay(text);
    if (m_boxes && platform::hasDisplay())
        return m_boxes->show(text, style, title);
    return platform::dismissAnswer(style);
}

}  // namespace generator
