#pragma once

// The records of one read of the claim data file: one fixed-column record
// per line (Windows-1252, lines ended by CR LF or a lone CR), numbered from
// 1; an empty line is a record and so is a last line without a line end.
//
// A field value is the text that starts at 1-based column `posicion` of a
// record and is at most `longitud` characters long, without the spaces (only
// spaces) at both ends. A record that ends inside the field gives the part
// there is; one that ends before it, a start column below 1, a negative
// length, a record number outside 1..recordCount() or a key the table lacks
// give an empty value.
//
//   ClaimData claims;
//   QString error;
//   if (ClaimData::parse(bytes, &claims, &error))
//       valor_campo(table, claims, u"NUMERO"_s, 1);   // "00123"

#include "data/fieldtable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace data {

// Records are counted in a signed 16-bit number: a longer file is refused.
inline constexpr int kMaxClaimRecords = 32767;

// The claim data file's name in the program directory.
inline constexpr QStringView kClaimDataFileName = u"finalprn.txt";

// The policy holder's name (columns 1366-1395) and tax identifier
// (1396-1430) of a record, trimmed like any value.
struct HolderFields {
    QString titular;
    QString cif;
};

// The trimmed and decoded value at `posicion` / `longitud` of one record.
QString cutField(QByteArrayView record, int posicion, int longitud);
HolderFields holderFields(QByteArrayView record);

class ClaimData final {
public:
    ClaimData() = default;

    // Splits the file's bytes into records. False with a Spanish message,
    // leaving *out alone, when there are more than kMaxClaimRecords lines.
    static bool parse(QByteArray bytes, ClaimData *out, QString *error = nullptr);

    int recordCount() const { return int(m_records.size()); }
    // The record's bytes, empty outside 1..recordCount().
    QByteArrayView recordBytes(int registro) const;
    // The record decoded to Unicode.
    QString record(int registro) const;

    QString value(int registro, int posicion, int longitud) const;
    HolderFields holder(int registro) const;

private:
    struct Span {
        qsizetype offset = 0;
        qsizetype length = 0;
    };
    QByteArray m_bytes;
    QList<Span> m_records;
};

// The value of field `codigo` in record `registro`: cut at the posicion and
// longitud of the first entry of `campos` with that key (an unknown key
// gives an empty value).
QString valor_campo(const FieldTable &campos, const ClaimData &claims, const QString &codigo,
                    int registro);

// Reads finalprn.txt of `programDir` (name matched ignoring case). False
// with a Spanish message naming the file when it is missing, unreadable or
// has more than kMaxClaimRecords lines.
bool loadClaimData(const QString &programDir, ClaimData *out, QString *error = nullptr);

}  // namespace data
