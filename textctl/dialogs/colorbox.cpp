#include "textctl/dialogs/colorbox.h"

#include <QComboBox>
#include <QIcon>
#include <QPixmap>

namespace textctl {

namespace {

constexpr struct {
    const char *name;
    QRgb rgb;
} kColors[] = {
    {"Negro", 0x000000},        {"Azul", 0x0000ff},         {"Aguamarina", 0x00ffff},   {"Verde brillante", 0x00ff00},
    {"Fucsia", 0xff00ff},       {"Rojo", 0xff0000},         {"Amarillo", 0xffff00},     {"Blanco", 0xffffff},
    {"Azul oscuro", 0x000080},  {"Verde azulado", 0x008080}, {"Verde", 0x008000},       {"Violeta", 0x800080},
    {"Rojo oscuro", 0x800000},  {"Amarillo oscuro", 0x808000}, {"Gris", 0x808080},     {"Gris claro", 0xc0c0c0},
};

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color.isValid() ? color : QColor(Qt::black));
    return QIcon(pixmap);
}

}  // namespace

QComboBox *colorBox(const QString &objectName, const QString &automatic, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->addItem(swatch({}), automatic, QColor());
    for (const auto &color : kColors)
        box->addItem(swatch(QColor(color.rgb)), QString::fromUtf8(color.name), QColor(color.rgb));
    return box;
}

void setColor(QComboBox *box, std::optional<QColor> color)
{
    if (!color) {
        box->setCurrentIndex(-1);
        return;
    }
    int index = box->findData(*color);
    if (index < 0) {
        box->addItem(swatch(*color), QStringLiteral("Personalizado"), *color);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

std::optional<QColor> colorOf(const QComboBox *box)
{
    if (box->currentIndex() < 0)
        return std::nullopt;
    return box->currentData().value<QColor>();
}

}  // namespace textctl
