#pragma once

// The field dictionary: which fields a report can use and where each
// field's value lies in a claim data record.
//
// Each line of the dictionary text is one `campo`: columns 1-30 the name,
// 31-40 the key, 41-43 the value's length, 44-47 its first column (columns
// 1-based; a short line gives what it holds; columns after 47 are ignored;
// texts trimmed of spaces). A table read from n lines holds n + 1 entries:
// entry k - 1 for line k and an empty spare entry n. An empty text gives a
// table with no entries at all, whose lookups all answer 0. Lookups find the
// first entry whose key equals the argument exactly (letter case counts);
// the spare entry takes part, so an empty key is found there.
//
//   FieldTable table;
//   QString error;
//   if (parseDictionary(bytes, &table, &error))
//       cut(record, table.posicion_campo(u"NUMERO"_s), table.longitud_campo(u"NUMERO"_s));

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

namespace data {

// The line counter of the dictionary is a signed 16-bit number starting at
// 1, so the line after this many is an overflow.
inline constexpr int kMaxDictionaryLines = 32766;

// The text shown in the field combo's edit field once the names are listed.
inline constexpr QStringView kFieldComboText = u"Agencia";

// The key of the claim number, which names the section file and the merged
// document.
inline constexpr QStringView kClaimNumberKey = u"NUMERO";

struct campo {
    QString nombre;
    QString codigo;
    qint16 longitud = 0;
    qint16 posicion = 0;
};

class FieldTable final {
public:
    FieldTable() = default;
    // The entries of the dictionary's lines in file order; the spare entry
    // is added when there is at least one.
    explicit FieldTable(QList<campo> lineEntries);

    // Every entry, the spare one last.
    const QList<campo> &entries() const { return m_entries; }
    // Number of dictionary lines (entries without the spare).
    qsizetype lineCount() const;
    // The entries of the dictionary's lines, without the spare one.
    std::span<const campo> lines() const { return {m_entries.constData(), size_t(lineCount())}; }
    // The names of the lines in file order, empty and repeated ones too:
    // the items of the field combo.
    QStringList names() const;

    // Index of the first entry with this key, or -1.
    qsizetype indexOf(const QString &codigo) const;
    // The posicion, respectively longitud, of the first entry with this
    // key; 0 when there is none.
    qint16 posicion_campo(const QString &codigo) const;
    qint16 longitud_campo(const QString &codigo) const;

private:
    QList<campo> m_entries;
    QHash<QString, qsizetype> m_firstIndex;
};

// A numeric column: the decimal number the text begins with once its outer
// spaces are gone (optional sign, digits, optional point and fraction;
// spaces and tabs inside are skipped; no number gives 0), rounded to the
// nearest integer with halves going to the even neighbour: "12.5" gives 12,
// "13.5" 14, "7x" 7, "x7" 0. False when the result does not fit 16 bits.
bool parseColumnNumber(QByteArrayView text, qint16 *value);

// One dictionary line (without its line end, Windows-1252). False with a
// Spanish message when a numeric column overflows.
bool parseDictionaryLine(QByteArrayView line, campo *entry, QString *error = nullptr);

// The whole dictionary text. False with a Spanish message, leaving *table
// alone, on more than kMaxDictionaryLines lines or an overflowing column.
bool parseDictionary(QByteArrayView bytes, FieldTable *table, QString *error = nullptr);

}  // namespace data
