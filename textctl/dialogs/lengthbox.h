#pragma once

// The dialogs' lengths: centimetres (567 twips each) in a spin box that
// shows the locale's decimal separator, and can show no value at all for a
// value the selected paragraphs do not share.
//
//   QDoubleSpinBox *left = lengthBox(u"leftIndent"_s, 0, 50, this);
//   setLength(left, settings.leftIndent);        // empty when absent
//   std::optional<int> twips = lengthOf(left);   // absent while empty

#include <QString>

#include <optional>

class QDoubleSpinBox;
class QWidget;

namespace textctl {

inline constexpr int kTwipsPerCentimetre = 567;

QDoubleSpinBox *lengthBox(const QString &objectName, double minCm, double maxCm, QWidget *parent);
void setLength(QDoubleSpinBox *box, std::optional<int> twips);
std::optional<int> lengthOf(const QDoubleSpinBox *box);
// What lengthOf gives back for a box set to `twips` (to a hundredth of a
// centimetre).
int lengthAsShown(int twips);

}  // namespace textctl
