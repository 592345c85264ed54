#pragma once

// Reading back a printed PDF with the poppler tools (pdfinfo, pdftotext);
// tests skip with the reason when the tools are not installed.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace pdftools {

inline bool available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page count pdfinfo reports, or -1.
inline int pageCount(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(u"Pages:"))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// "W x H pts" of page `page`, as pdfinfo writes it.
inline QString pageSize(const QString &pdf, int page)
{
    const QString number = QString::number(page);
    const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf});
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(u"Page") && line.contains(u"size:"))
            return line.section(u':', 1).section(u'(', 0, 0).trimmed();
    }
    return {};
}

// The text of page `page`, whitespace simplified.
inline QString pageText(const QString &pdf, int page)
{
    const QString number = QString::number(page);
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf, QStringLiteral("-")})
        .simplified();
}

inline QStringList pageTexts(const QString &pdf)
{
    QStringList texts;
    const int pages = pageCount(pdf);
    for (int page = 1; page <= pages; ++page)
        texts.append(pageText(pdf, page));
    return texts;
}

}  // namespace pdftools
