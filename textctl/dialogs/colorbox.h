#pragma once

// The dialogs' colour lists: an "automatic" entry (no colour) first, then
// the sixteen colours every word processor offers; a colour not in the list
// is shown as "Personalizado". Nothing is selected for a value the
// selection does not share.
//
//   QComboBox *shading = colorBox(u"shading"_s, u"Ninguno"_s, this);
//   setColor(shading, Qt::yellow);
//   std::optional<QColor> c = colorOf(shading);  // invalid for the first entry

#include <QColor>
#include <QString>

#include <optional>

class QComboBox;
class QIcon;
class QWidget;

namespace textctl {

QComboBox *colorBox(const QString &objectName, const QString &automatic, QWidget *parent);
void setColor(QComboBox *box, std::optional<QColor> color);
std::optional<QColor> colorOf(const QComboBox *box);

}  // namespace textctl
