#pragma once

// Check boxes of the dialogs that show a value the selection does not share
// as partly checked, until the user clicks them.

#include <optional>

class QCheckBox;

namespace textctl {

void setChecked(QCheckBox *box, std::optional<bool> value);
// Absent while partly checked.
std::optional<bool> checkedOf(const QCheckBox *box);

}  // namespace textctl
