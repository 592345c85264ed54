#pragma once

// Makes GoogleTest print Qt strings as text in failure messages. Included
// into every test source by the build.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[';
    for (const QString &text : list)
        *os << '"' << text.toStdString() << "\" ";
    *os << ']';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    // Bytes outside printable ASCII show as %XX.
    *os << '"' << bytes.toPercentEncoding(" !#$%&'()*+,-./:;<=>?@[]^_`{|}~").toStdString() << '"';
}
