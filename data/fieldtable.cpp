#include "data/fieldtable.h"

#include "data/linereader.h"
#include "platform/codepage.h"

namespace data {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

QString textColumns(QByteArrayView line, qsizetype first, qsizetype count)
{
    return platform::decodeWindows1252(trimSpaces(columnSlice(line, first, count)));
}

bool numberColumns(QByteArrayView line, qsizetype first, qsizetype count, const char *label,
                   qint16 *value, QString *error)
{
    const QByteArrayView text = columnSlice(line, first, count);
    if (parseColumnNumber(text, value))
        return true;
    if (error)
        *error = QStringLiteral(
                     "Desbordamiento en las columnas %1: «%2» no cabe en un entero de 16 bits")
                     .arg(QLatin1StringView(label), platform::decodeWindows1252(trimSpaces(text)));
    return false;
}

}  // namespace

FieldTable::FieldTable(QList<campo> lineEntries)
    : m_entries(std::move(lineEntries))
{
    if (m_entries.isEmpty())
        return;
    m_entries.append(campo{});
    m_firstIndex.reserve(m_entries.size());
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (!m_firstIndex.contains(m_entries[i].codigo))
            m_firstIndex.insert(m_entries[i].codigo, i);
}

qsizetype FieldTable::lineCount() const
{
    return m_entries.isEmpty() ? 0 : m_entries.size() - 1;
}

QStringList FieldTable::names() const
{
    QStringList out;
    out.reserve(lineCount());
    for (qsizetype i = 0; i < lineCount(); ++i)
        out.append(m_entries[i].nombre);
    return out;
}

qsizetype FieldTable::indexOf(const QString &codigo) const
{
    return m_firstIndex.value(codigo, -1);
}

qint16 FieldTable::posicion_campo(const QString &codigo) const
{
    const qsizetype i = indexOf(codigo);
    return i < 0 ? 0 : m_entries[i].posicion;
}

qint16 FieldTable::longitud_campo(const QString &codigo) const
{
    const qsizetype i = indexOf(codigo);
    return i < 0 ? 0 : m_entries[i].longitud;
}

bool parseColumnNumber(QByteArrayView text, qint16 *value)
{
    text = trimSpaces(text);
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Anything past 32768 overflows whatever the fraction, so the whole part
    // is capped instead of growing without bound.
    constexpr qint64 kCap = 100000;
    qint64 whole = 0;
    for (; i < n && (isDigit(text[i]) || isBlank(text[i])); ++i)
        if (isDigit(text[i]))
            whole = qMin(kCap, whole * 10 + (text[i] - '0'));
    int firstFraction = 0;
    bool restNonZero = false;
    if (i < n && text[i] == '.') {
        bool first = true;
        for (++i; i < n && (isDigit(text[i]) || isBlank(text[i])); ++i) {
            if (!isDigit(text[i]))
                continue;
            if (first)
                firstFraction = text[i] - '0';
            else
                restNonZero = restNonZero || text[i] != '0';
            first = false;
        }
    }
    // The decimal digits decide exactly; a half goes to the even neighbour.
    const bool up = firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1));
    const qint64 magnitude = whole + (up ? 1 : 0);
    const qint64 result = negative ? -magnitude : magnitude;
    if (result < -32768 || result > 32767)
        return false;
    *value = qint16(result);
    return true;
}

bool parseDictionaryLine(QByteArrayView line, campo *entry, QString *error)
{
    campo out;
    out.nombre = textColumns(line, 1, 30);
    out.codigo = textColumns(line, 31, 10);
    if (!numberColumns(line, 41, 3, "41-43", &out.longitud, error)
        || !numberColumns(line, 44, 4, "44-47", &out.posicion, error))
        return false;
    *entry = std::move(out);
    return true;
}

bool parseDictionary(QByteArrayView bytes, FieldTable *table, QString *error)
{
    QList<campo> entries;
    LineReader reader(bytes);
    QByteArrayView line;
    while (reader.next(&line)) {
        if (entries.size() == kMaxDictionaryLines) {
            if (error)
                *error = QStringLiteral("Desbordamiento: el diccionario tiene más de %1 líneas")
                             .arg(kMaxDictionaryLines);
            return false;
        }
        campo entry;
        QString why;
        if (!parseDictionaryLine(line, &entry, &why)) {
            if (error)
                *error = QStringLiteral("Línea %1: %2").arg(entries.size() + 1).arg(why);
            return false;
        }
        entries.append(std::move(entry));
    }
    *table = FieldTable(std::move(entries));
    return true;
}

}  // namespace data
