#include "textctl/dialogs/checkstate.h"

#include <QCheckBox>

namespace textctl {

void setChecked(QCheckBox *box, std::optional<bool> value)
{
    box->setTristate(!value.has_value());
    box->setCheckState(!value ? Qt::PartiallyChecked : *value ? Qt::Checked : Qt::Unchecked);
    // A click chooses on or off, never the mixed state again.
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
}

std::optional<bool> checkedOf(const QCheckBox *box)
{
    if (box->checkState() == Qt::PartiallyChecked)
        return std::nullopt;
    return box->checkState() == Qt::Checked;
}

}  // namespace textctl
