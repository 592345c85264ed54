#pragma once

// The generator's message boxes: nobody may be at the machine, so every
// message goes to standard error, and only with a display is it shown in
// a box too.

#include "platformui/messageboxes.h"

#include <memory>

namespace generator {

class GeneratorMessages final : public platform::MessageBoxes {
public:
    // `boxes` shows the box when there is a display; null: stderr only.
    explicit GeneratorMessages(std::unique_ptr<platform::MessageBoxes> boxes = nullptr);
    platform::Answer show(const QString &text, int style = platform::OkOnly, const QString &title = {}) override;

private:
    std::unique_ptr<platform::MessageBoxes> m_boxes;
};

}  // namespace generator
