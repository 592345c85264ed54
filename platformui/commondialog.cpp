#include "platformui/commondialog.h"

#include <QFileInfo>

namespace platform {

int CommonDialog::ShowOpen()
{
    return run(DialogKind::Open) ? 0 : kCancelError;
}

int CommonDialog::ShowSave()
{
    if (!run(DialogKind::Save))
        return kCancelError;
    FileName = withFilterEnding(FileName, Filter, FilterIndex);
    return 0;
}

int CommonDialog::ShowColor()
{
    return run(DialogKind::Color) ? 0 : kCancelError;
}

QList<std::pair<QString, QString>> parseFilter(const QString &filter)
{
    QList<std::pair<QString, QString>> pairs;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        pairs.append({parts.at(i), parts.at(i + 1)});
    return pairs;
}

QStringList qtNameFilters(const QString &filter)
{
    QStringList filters;
    for (const auto &[description, pattern] : parseFilter(filter)) {
        QString patterns = pattern;
        patterns.replace(u';', u' ');
        // The description usually shows the pattern already; Qt reads the
        // pattern from the parentheses, so give it exactly one pair.
        const qsizetype open = description.lastIndexOf(u'(');
        const QString label = open > 0 ? description.left(open).trimmed() : description;
        filters.append(label + QStringLiteral(" (") + patterns + u')');
    }
    return filters;
}

QString withFilterEnding(const QString &path, const QString &filter, int index)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    const auto pairs = parseFilter(filter);
    if (index < 1 || index > pairs.size())
        return path;
    const QString pattern = pairs.at(index - 1).second.section(u';', 0, 0).trimmed();
    if (!pattern.startsWith(u"*.") || pattern.indexOf(u'*', 2) >= 0 || pattern.contains(u'?'))
        return path;
    return path + pattern.mid(1);
}

}  // namespace platform
