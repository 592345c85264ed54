// guardar_resultado: which window is saved, where and in which format, and
// what is handed on, over a fake host that records the hand-off.

#include "tests/filebytes.h"
#include "merge/salida.h"
#include "textctl/txtextcontrol.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FakeOutputHost final : public merge::OutputHost {
public:
    QString programDirectory() const override { return dir; }
    QList<Report> reports() override { return windows; }
    void openWithAssociatedApplication(const QString &path) override { calls.append(u"open "_qs + path); }
    bool startDetached(const QString &program, const QStringList &arguments, QString *error) override
    {
        calls.append(u"start "_qs + program + u' ' + arguments.join(u'|'));
        if (!startWorks)
            *error = u"No se puede ejecutar quorvel"_qs;
        return startWorks;
    }
    bool print(TXTextControl &control, QString *error) override
    {
        calls.append(u"print "_qs + control.Text());
        if (!printWorks)
            *error = u"No se puede imprimir"_qs;
        return printWorks;
    }

    QString dir;
    QList<Report> windows;
    QStringList calls;
    bool startWorks = true;
    bool printWorks = true;
};

class SalidaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        host.dir = tmp.path();
        ASSERT_TRUE(QDir(host.dir).mkdir(u"fotos"_qs));
        // Slot 1: the empty window of start-up; slots 2 to 4 merged claims.
        addWindow(1, {}, {});
        addWindow(2, u"00123"_qs, u"informe 00123"_qs);
        addWindow(3, u"00187"_qs, u"informe 00187"_qs);
        addWindow(4, u"00201"_qs, u"informe 00201"_qs);
    }
    void addWindow(int slot, const QString &numero, const QString &text)
    {
        controls.push_back(std::make_unique<TXTextControl>());
        controls.back()->setText(text);
        host.windows.append({slot, numero, controls.back().get()});
    }
    QString fotos(const QString &name) const { return host.dir + u"/fotos/"_qs + name; }
    QStringList written() const { return QDir(host.dir + u"/fotos"_qs).entryList(QDir::Files); }

    QTemporaryDir tmp;
    FakeOutputHost host;
    std::vector<std::unique_ptr<TXTextControl>> controls;
};

TEST_F(SalidaTest, FormatCodesChooseExtensionAndContent)
{
    struct Row {
        const char *name;
        QString formato;
        QString file;
        QByteArray starts;
    };
    const Row rows[] = {
        {"doc is RTF content", u"1"_qs, u"00123.doc"_qs, "{\\rtf1"},
        {"rtf", u"2"_qs, u"00123.rtf"_qs, "{\\rtf1"},
        {"txt is plain text", u"3"_qs, u"00123.txt"_qs, "informe 00123"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const merge::OutputResult result = merge::guardar_resultado(host, u"00123"_qs, row.formato, {});
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.path, fotos(row.file));
        const QByteArray written = testfiles::readBytes(result.path);
        EXPECT_TRUE(written.startsWith(row.starts)) << written.left(40).constData();
    }
    EXPECT_EQ(written(), QStringList({u"00123.doc"_qs, u"00123.rtf"_qs, u"00123.txt"_qs}));
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(SalidaTest, SavesTheWindowOfTheNamedClaimElseSlotTwo)
{
    struct Row {
        const char *name;
        QString fichero;
        QByteArray text;
    };
    const Row rows[] = {
        {"first claim", u"00123"_qs, "informe 00123"},
        {"a later record's claim", u"00201"_qs, "informe 00201"},
        {"blanks around the name", u" 00187 "_qs, "informe 00187"},
        {"no window has it: slot 2", u"99999"_qs, "informe 00123"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const merge::OutputResult result = merge::guardar_resultado(host, row.fichero, u"3"_qs, {});
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.path, fotos(row.fichero.trimmed() + u".txt"_qs));
        EXPECT_EQ(testfiles::readBytes(result.path).trimmed(), row.text);
    }
}

TEST_F(SalidaTest, DestinationsHandOnTheSavedPath)
{
    struct Row {
        const char *name;
        QString formato;
        QString destino;
        QStringList calls;
    };
    const QString rtf = fotos(u"00187.rtf"_qs);
    const QString quorvel = host.dir + u"/quorvel"_qs;
    const Row rows[] = {
        {"E starts quorvel with the path and 1", u"2"_qs, u"E"_qs, {u"start "_qs + quorvel + u' ' + rtf + u"|1"_qs}},
        {"W opens the file", u"2"_qs, u"W"_qs, {u"open "_qs + rtf}},
        {"I prints the saved window", u"2"_qs, u"I"_qs, {u"print informe 00187"_qs}},
        {"empty destination", u"2"_qs, {}, {}},
        {"lower-case e does nothing", u"2"_qs, u"e"_qs, {}},
        {"format 4 with E starts nothing", u"4"_qs, u"E"_qs, {}},
        {"format 4 with W opens nothing", u"4"_qs, u"W"_qs, {}},
        {"format 4 with I still prints", u"4"_qs, u"I"_qs, {u"print informe 00187"_qs}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        host.calls.clear();
        const merge::OutputResult result = merge::guardar_resultado(host, u"00187"_qs, row.formato, row.destino);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(host.calls, row.calls);
    }
}

TEST_F(SalidaTest, FormatFourSavesNothing)
{
    for (const QString &formato : {u"4"_qs, u"0"_qs, u"9"_qs}) {
        const merge::OutputResult result = merge::guardar_resultado(host, u"00123"_qs, formato, u"E"_qs);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_TRUE(result.path.isEmpty());
    }
    EXPECT_TRUE(written().isEmpty());
}

TEST_F(SalidaTest, FailuresSaveAndHandOnNothing)
{
    struct Row {
        const char *name;
        QString fichero;
        QString formato;
        QString destino;
        bool dropWindows;
        bool removeFotos;
        bool startWorks;
        bool printWorks;
        QString errorContains;
        QStringList calls;
    };
    const Row rows[] = {
        {"format x", u"00123"_qs, u"x"_qs, u"E"_qs, false, false, true, true, u"no es un número"_qs, {}},
        {"format blank", u"00123"_qs, u" "_qs, u"E"_qs, false, false, true, true, u"no es un número"_qs, {}},
        {"no report generated", u"00123"_qs, u"2"_qs, u"E"_qs, true, false, true, true, u"ningún informe"_qs, {}},
        {"no fotos directory", u"00123"_qs, u"2"_qs, u"E"_qs, false, true, true, true, u"fotos/00123.rtf"_qs, {}},
        {"a directory in the name", u"../00123"_qs, u"2"_qs, u"E"_qs, false, false, true, true, u"no válido"_qs, {}},
        {"quorvel cannot start", u"00123"_qs, u"2"_qs, u"E"_qs, false, false, false, true, u"quorvel"_qs,
         {u"start "_qs + host.dir + u"/quorvel "_qs + fotos(u"00123.rtf"_qs) + u"|1"_qs}},
        {"printing fails", u"00123"_qs, u"4"_qs, u"I"_qs, false, false, true, false, u"imprimir"_qs,
         {u"print informe 00123"_qs}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        FakeOutputHost failing;
        failing.dir = host.dir;
        failing.windows = row.dropWindows ? QList<merge::OutputHost::Report>{host.windows.first()} : host.windows;
        failing.startWorks = row.startWorks;
        failing.printWorks = row.printWorks;
        if (row.removeFotos) {
            ASSERT_TRUE(QDir(host.dir + u"/fotos"_qs).removeRecursively());
        }
        const merge::OutputResult result = merge::guardar_resultado(failing, row.fichero, row.formato, row.destino);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(row.errorContains)) << result.error.toStdString();
        EXPECT_EQ(failing.calls, row.calls);
        if (row.startWorks) {
            EXPECT_TRUE(written().isEmpty());
        }
        QDir(host.dir + u"/fotos"_qs).removeRecursively();
        ASSERT_TRUE(QDir(host.dir).mkdir(u"fotos"_qs));
    }
}

}  // namespace
