#include "commands/medidas.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace commands {

namespace {

// The number a text starts with, "." the only decimal separator: blanks
// skipped, then the longest leading number (sign, digits, point, digits,
// exponent).
double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    const auto digits = [&] {
        qsizetype from = i;
        while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128)
            ++i;
        return i - from;
    };
    qsizetype count = digits();
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        count += digits();
    }
    if (count == 0)
        return 0.0;
    const qsizetype mantissaEnd = i;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        ++i;
        if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
            ++i;
        if (digits() == 0)
            i = mantissaEnd;
    }
    return text.mid(start, i - start).toDouble();
}

}  // namespace

int twipsPerUnit(Unidad unidad)
{
    return unidad == Unidad::Pulgada ? 1440 : 567;
}

double coma_a_punto(QString &text)
{
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0)
        text[comma] = u'.';
    return leadingNumber(text);
}

std::optional<int> dlgStringToTwips(const QString &text)
{
    QString copy = text;
    const double twips = coma_a_punto(copy) * twipsPerUnit(unidad_medida);
    // Halves go to the even neighbour (the default rounding mode).
    const double rounded = std::nearbyint(twips);
    if (!std::isfinite(rounded) || rounded > std::numeric_limits<int>::max()
        || rounded < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(rounded);
}

int DlgString2Twips(const QString &text)
{
    return dlgStringToTwips(text).value_or(0);
}

QString Twips2DlgString(float twips)
{
    const double units = (double(twips) + 0.0005) / twipsPerUnit(unidad_medida);
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(units, 'f', 2);
}

}  // namespace commands
