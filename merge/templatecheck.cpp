#include "merge/templatecheck.h"

#include "merge/secciones.h"
#include "textctl/model/areas.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>

namespace merge {

namespace {

constexpr qsizetype kLongestMarker = 60;
constexpr qsizetype kContext = 30;

struct Found {
    qsizetype at = 0;     // in the paragraph's text
    qsizetype length = 0;  // "&" included
};

// The markers of one paragraph, left to right.
QList<Found> markersIn(const QString &text)
{
    QList<Found> found;
    qsizetype from = text.indexOf(u'&');
    while (from >= 0) {
        const qsizetype to = text.indexOf(u'&', from + 1);
        if (to < 0)
            break;
        const QStringView inner = QStringView(text).sliced(from + 1, to - from - 1);
        if (!inner.isEmpty() && inner.size() <= kLongestMarker && !inner.front().isSpace()
            && !inner.back().isSpace()) {
            found.append({from, to - from + 1});
            from = text.indexOf(u'&', to + 1);
        } else {
            from = to;  // the second "&" may open a marker
        }
    }
    return found;
}

QString contextOf(const QString &text, const Found &marker)
{
    const qsizetype start = qMax<qsizetype>(0, marker.at - kContext);
    const qsizetype end = qMin(text.size(), marker.at + marker.length + kContext);
    QString context = text.mid(start, end - start).simplified();
    context.replace(QChar(QChar::ObjectReplacementCharacter), u' ');
    return (start > 0 ? QStringLiteral("…") : QString()) + context + (end < text.size() ? QStringLiteral("…") : QString());
}

QString areaName(int area)
{
    switch (area) {
    case textctl::PageHeader: return QStringLiteral("Cabecera");
    case textctl::FirstPageHeader: return QStringLiteral("Cabecera de 1ª página");
    case textctl::PageFooter: return QStringLiteral("Pie");
    case textctl::FirstPageFooter: return QStringLiteral("Pie de 1ª página");
    default: return QStringLiteral("Texto");
    }
}

}  // namespace

TemplateCheck checkTemplate(TXTextControl &control, const QStringList &fieldNames)
{
    QSet<QString> known;
    for (const QString &name : fieldNames)
        known.insert(name.toCaseFolded());
    for (const Section &section : kSections)
        known.insert(section.marker.sliced(1, section.marker.size() - 2).toString().toCaseFolded());

    TemplateCheck check;
    QSet<QString> used;
    const auto walk = [&](int area, const QTextDocument *doc) {
        if (!doc)
            return;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            for (const Found &marker : markersIn(text)) {
                const QString name = text.mid(marker.at + 1, marker.length - 2).toCaseFolded();
                used.insert(name);
                if (known.contains(name))
                    continue;
                const int page = area == 0 ? control.pagination().pageOfPosition(block.position() + int(marker.at)) : 0;
                check.unknownMarkers.append({area, page, text.mid(marker.at, marker.length), contextOf(text, marker)});
            }
        }
    };
    walk(0, control.document().main());
    for (int area : textctl::kHeaderFooterAreas)
        walk(area, control.document().area(area));

    QSet<QString> listed;
    for (const QString &name : fieldNames) {
        const QString folded = name.toCaseFolded();
        if (!name.isEmpty() && !used.contains(folded) && !listed.contains(folded)) {
            check.unusedFields.append(name);
            listed.insert(folded);
        }
    }
    return check;
}

QString describeCheck(const TemplateCheck &check, const QString &templateName)
{
    QStringList lines;
    if (check.unknownMarkers.isEmpty()) {
        lines << QStringLiteral("%1: todos los marcadores tienen su campo en el diccionario.").arg(templateName);
    } else {
        lines << QStringLiteral("%1: %2 sin campo en el diccionario:")
                     .arg(templateName,
                          check.unknownMarkers.size() == 1 ? QStringLiteral("1 marcador")
                                                           : QStringLiteral("%1 marcadores").arg(check.unknownMarkers.size()));
        for (const UnknownMarker &marker : check.unknownMarkers) {
            const QString where = marker.area == 0 ? QStringLiteral("Texto, página %1").arg(marker.page) : areaName(marker.area);
            lines << QStringLiteral("  %1: %2   «%3»").arg(where, marker.marker, marker.context);
        }
    }
    if (!check.unusedFields.isEmpty()) {
        lines << QStringLiteral("Campos del diccionario que la plantilla no usa (%1):").arg(check.unusedFields.size());
        for (const QString &name : check.unusedFields)
            lines << QStringLiteral("  ") + name;
    }
    return lines.join(u'\n');
}

}  // namespace merge
