#include "textctl/dialogs/lengthbox.h"

#include <QDoubleSpinBox>

#include <cmath>

namespace textctl {

namespace {

// The empty value sits one step below the range.
constexpr double kStep = 0.01;

}  // namespace

QDoubleSpinBox *lengthBox(const QString &objectName, double minCm, double maxCm, QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(objectName);
    box->setLocale(QLocale());
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setRange(minCm - kStep, maxCm);
    box->setSpecialValueText(QStringLiteral(" "));
    box->setSuffix(QStringLiteral(" cm"));
    return box;
}

void setLength(QDoubleSpinBox *box, std::optional<int> twips)
{
    box->setValue(twips ? double(*twips) / kTwipsPerCentimetre : box->minimum());
}

std::optional<int> lengthOf(const QDoubleSpinBox *box)
{
    if (box->value() <= box->minimum())
        return std::nullopt;
    return int(std::lround(box->value() * kTwipsPerCentimetre));
}

int lengthAsShown(int twips)
{
    const double cm = std::round(double(twips) / kTwipsPerCentimetre / kStep) * kStep;
    return int(std::lround(cm * kTwipsPerCentimetre));
}

}  // namespace textctl
