#include "generator/mensajesgenerador.h"

#include "platformui/display.h"

namespace generator {

MensajesGenerador::MensajesGenerador(std::unique_ptr<platform::MessageBoxes> boxes)
    : m_boxes(std::move(boxes))
{
}

platform::Answer MensajesGenerador::show(const QString &text, int style, const QString &title)
{
    platform::reportWithoutDisplay(text);
    if (m_boxes && platform::hasDisplay())
        return m_boxes->show(text, style, title);
    return platform::dismissAnswer(style);
}

}  // namespace generator
