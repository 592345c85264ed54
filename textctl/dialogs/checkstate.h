#pragma once

// Values of the dialogs that the selection may not share: check boxes show
// such a value as partly checked until the user clicks them, and a dialog
// writes back only what the user changed.

#include <optional>

class QCheckBox;

namespace textctl {

void setChecked(QCheckBox *box, std::optional<bool> value);
// Absent while partly checked.
std::optional<bool> checkedOf(const QCheckBox *box);

// The value to write: the dialog's, when it is known and differs from the
// one the dialog opened with; nothing otherwise.
template <typename T>
std::optional<T> changed(const std::optional<T> &now, const std::optional<T> &before)
{
    return now && now != before ? now : std::nullopt;
}

}  // namespace textctl
