// Every file of the third-party RTF corpus loads, quickly and without a
// crash; where the corpus has a plain-text oracle, the text matches it
// after the oracle's own conventions are normalised away.

#include "tests/filebytes.h"
#include "textctl/model/plaintext.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include <cstdio>

using namespace textctl;

namespace {

// Files whose text matched their oracle when this count was last measured;
// a lower count is a regression.
constexpr int kMinimumMatches = 44;

// Runs of ASCII white space become one space; ends are trimmed.
QString fold(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\r\\n]+"));
    text.replace(blanks, QStringLiteral(" "));
    return text.trimmed();
}

// striprtf writes "|" after table cells and the target of a link after
// its text, as ("target"); it leaves headers and footers out.
QString normaliseStriprtf(QString text)
{
    static const QRegularExpression areas(QStringLiteral("\\n\\[(cabecera|cabecera1|pie|pie1)\\]\\n.*"),
                                          QRegularExpression::DotMatchesEverythingOption);
    text.replace(areas, QStringLiteral("\n"));
    static const QRegularExpression linkTarget(QStringLiteral("\\(\"[^\"]*\"\\)"));
    text.replace(linkTarget, QString());
    text.replace(u'|', u' ');
    return text;
}

QStringList corpusFiles()
{
    QStringList files;
    QDirIterator it(QStringLiteral(VALDRIN_CORPUS_DIR), {QStringLiteral("*.rtf")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

struct Oracle {
    enum Kind { None, Exact, Contains } kind = None;
    QString expected;          // Exact: the folded text
    QStringList contains;      // Contains: folded lines
    QStringList absent;
};

Oracle oracleFor(const QString &rtfPath)
{
    const QString base = rtfPath.chopped(4);
    Oracle oracle;
    if (QFile::exists(base + QStringLiteral(".expected.txt"))) {
        oracle.kind = Oracle::Exact;
        QString text = QString::fromUtf8(testfiles::readBytes(base + QStringLiteral(".expected.txt")));
        if (rtfPath.contains(u"/striprtf/"))
            text = normaliseStriprtf(text);
        oracle.expected = fold(text);
    } else if (QFile::exists(base + QStringLiteral(".expected-contains.txt"))) {
        oracle.kind = Oracle::Contains;
        const QString text = QString::fromUtf8(testfiles::readBytes(base + QStringLiteral(".expected-contains.txt")));
        for (const QString &line : text.split(u'\n')) {
            if (!fold(line).isEmpty())
                oracle.contains.append(fold(line));
        }
        const QString absent = QString::fromUtf8(testfiles::readBytes(base + QStringLiteral(".expected-absent.txt")));
        for (const QString &line : absent.split(u'\n')) {
            if (!fold(line).isEmpty())
                oracle.absent.append(fold(line));
        }
    }
    return oracle;
}

bool matches(const Oracle &oracle, const QString &text, bool striprtf, QString *why)
{
    const QString folded = fold(striprtf ? normaliseStriprtf(text) : text);
    if (oracle.kind == Oracle::Exact) {
        if (folded == oracle.expected)
            return true;
        qsizetype i = 0;
        while (i < folded.size() && i < oracle.expected.size() && folded[i] == oracle.expected[i])
            ++i;
        const qsizetype from = std::max<qsizetype>(0, i - 20);
        *why = QStringLiteral("differs at %1: got \"%2\" expected \"%3\"")
                   .arg(i)
                   .arg(folded.mid(from, 60), oracle.expected.mid(from, 60));
        return false;
    }
    for (const QString &line : oracle.contains) {
        if (!folded.contains(line)) {
            *why = QStringLiteral("missing \"%1\"").arg(line.left(80));
            return false;
        }
    }
    for (const QString &line : oracle.absent) {
        if (folded.contains(line)) {
            *why = QStringLiteral("holds \"%1\"").arg(line.left(80));
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(RtfCorpus, EveryFileLoadsAndTextsMatchTheirOracles)
{
    const QStringList files = corpusFiles();
    ASSERT_GE(files.size(), 150);
    int withOracle = 0;
    int matched = 0;
    QStringList mismatches;
    for (const QString &path : files) {
        const QByteArray bytes = testfiles::readBytes(path);
        RichDocument doc;
        QString error;
        QElapsedTimer timer;
        timer.start();
        const bool loaded = readRtf(bytes, doc, &error);
        EXPECT_LT(timer.elapsed(), 5000) << qPrintable(path);
        if (!looksLikeRtf(bytes)) {
            EXPECT_FALSE(loaded) << qPrintable(path);
            EXPECT_FALSE(error.isEmpty()) << qPrintable(path);
            continue;
        }
        EXPECT_TRUE(loaded) << qPrintable(path);
        EXPECT_TRUE(doc.main()->availableUndoSteps() == 0) << qPrintable(path);
        const Oracle oracle = oracleFor(path);
        if (oracle.kind == Oracle::None)
            continue;
        ++withOracle;
        QString why;
        if (matches(oracle, documentPlainText(doc), path.contains(u"/striprtf/"), &why))
            ++matched;
        else
            mismatches.append(QDir(QStringLiteral(VALDRIN_CORPUS_DIR)).relativeFilePath(path) + QStringLiteral(": ") + why);
    }
    std::printf("corpus: %d of %d files with an oracle match it\n", matched, withOracle);
    for (const QString &line : mismatches)
        std::printf("  no match: %s\n", qPrintable(line));
    EXPECT_GE(matched, kMinimumMatches);
}
