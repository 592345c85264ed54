// Loads a claim data file of 32,767 records of 1,500 columns and looks up
// 300 fields of every record through valor_campo, as a generation of that
// size would. Target: under one second for the load and all lookups.
//
//   bench_valor_campo [records]
#include "data/claimdata.h"
#include "data/dictionary.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace data;
using namespace Qt::StringLiterals;

namespace {

constexpr int kFields = 300;
constexpr int kColumns = 1500;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// 300 fields of 5 columns each, keys F000..F299.
QByteArray dictionary()
{
    QByteArray out;
    for (int i = 0; i < kFields; ++i) {
        const QByteArray key = "F" + QByteArray::number(i).rightJustified(3, '0');
        out += ("Campo " + key).leftJustified(30, ' ') + key.leftJustified(10, ' ') + "005"
            + QByteArray::number(1 + i * 5).rightJustified(4, ' ') + "\r\n";
    }
    return out;
}

// Records whose fields hold a right-aligned number or an accented word, so
// that trimming and decoding both do their work.
QByteArray claimData(int records)
{
    QByteArray record(kColumns, ' ');
    for (int i = 0; i < kFields; ++i) {
        const QByteArray value =
            i % 2 ? QByteArray("a\xf1o") : QByteArray::number(i).rightJustified(5, ' ');
        record.replace(i * 5, value.size(), value);
    }
    QByteArray out;
    out.reserve(qsizetype(records) * (kColumns + 2));
    for (int r = 0; r < records; ++r)
        out += record + "\r\n";
    return out;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? QByteArray(argv[1]).toInt() : kMaxClaimRecords;
    QTemporaryDir dir;
    if (!dir.isValid() || !writeFile(dir.filePath(u"finstru.txt"_s), dictionary())
        || !writeFile(dir.filePath(u"finalprn.txt"_s), claimData(records))) {
        std::fprintf(stderr, "cannot write the fixtures\n");
        return 1;
    }
    QString error;
    FieldTable table;
    if (!cargar_diccionario(dir.path(), &table, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QStringList keys;
    for (const campo &entry : table.entries())
        if (!entry.codigo.isEmpty())
            keys.append(entry.codigo);

    QElapsedTimer timer;
    timer.start();
    ClaimData claims;
    if (!loadClaimData(dir.path(), &claims, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const qint64 loadMs = timer.elapsed();
    qsizetype characters = 0;
    const int count = claims.recordCount();
    for (int registro = 1; registro <= count; ++registro)
        for (const QString &key : keys)
            characters += valor_campo(table, claims, key, registro).size();
    const qint64 totalMs = timer.elapsed();

    std::printf("records %d, fields %lld, lookups %lld, characters %lld\n", count,
                qlonglong(keys.size()), qlonglong(keys.size()) * count, qlonglong(characters));
    std::printf("load %lld ms, load + lookups %lld ms (%s the 1000 ms target)\n", qlonglong(loadMs),
                qlonglong(totalMs), totalMs < 1000 ? "under" : "OVER");
    return totalMs < 1000 ? 0 : 2;
}
