// The generation driver over a fake document host: windows made in record
// order, each merged with its own record, failures before any window.
#include "data/claimdata.h"
#include "data/fieldtable.h"
#include "merge/documenthost.h"
#include "merge/generacion.h"
#include "testsupport/demodirectory.h"
#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace merge;

namespace {

class FakeHost final : public DocumentHost {
public:
    struct Window {
        std::unique_ptr<TXTextControl> control;
        QString caption;
        QString numero;
        data::HolderFields holder;
    };

    explicit FakeHost(const QString &dir) : m_dir(dir) {}

    QString programDirectory() const override { return m_dir; }
    void setMainWindowVisible(bool visible) override { shown = visible; }
    void fieldTableRead(const data::FieldTable &table) override { tablesRead.append(table.lineCount()); }
    TXTextControl *abrirPlantilla(const QString &, const textctl::DocumentContent &content) override
    {
        if (beforeOpening)
            beforeOpening(int(windows.size()) + 1);
        auto control = std::make_unique<TXTextControl>();
        if (!control->LoadContent(content))
            return nullptr;
        windows.push_back({std::move(control), {}, {}, {}});
        return windows.back().control.get();
    }
    void finishMergedWindow(const QString &caption, const QString &numero,
                            const data::HolderFields &holder) override
    {
        windows.back().caption = caption;
        windows.back().numero = numero;
        windows.back().holder = holder;
    }

    bool mergingRecord(int registro, int total) override
    {
        progress.append({registro, total});
        return registro != stopBefore;
    }

    bool shown = true;
    QList<std::pair<int, int>> progress;
    int stopBefore = 0;
    QList<qsizetype> tablesRead;
    std::vector<Window> windows;
    std::function<void(int window)> beforeOpening;

private:
    QString m_dir;
};

class Generacion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(testsupport::copyDemoDirectory(dir.path()));
    }

    QString path(const QString &name) const { return dir.path() + u'/' + name; }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir dir;
    FakeHost host{dir.path()};
};

}  // namespace

TEST(GeneracionCaption, ForAClaimNumber)
{
    const QList<std::pair<QString, QString>> rows{
        {u"4711"_qs, u"/informes/4711.rtf"_qs},
        {u" 00123 "_qs, u"/informes/00123.rtf"_qs},
        {QString(), QString()},
        {u"   "_qs, QString()},
        {u"../x"_qs, QString()},
        {u"a/b"_qs, QString()},
        {u"a\\b"_qs, QString()},
        {u".oculto"_qs, QString()},
    };
    for (const auto &[numero, caption] : rows)
        EXPECT_EQ(captionForClaim(u"/informes"_qs, numero), caption) << numero.toStdString();
}

TEST_F(Generacion, OneWindowPerRecordEachMergedWithItsOwn)
{
    const GenerationResult result = generar_documento(host, path(u"plant/inf01.rtf"_qs));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.windows, 3);
    EXPECT_FALSE(host.shown) << "the main window is hidden and left hidden";
    EXPECT_EQ(host.tablesRead, QList<qsizetype>{58}) << "the field combo follows the dictionary read";
    const QStringList numeros{u"00123"_qs, u"00187"_qs, u"00201"_qs};
    const QStringList titulares{u"María Jesús Fernández Llorente"_qs, u"Asador El Olivar, S.L."_qs,
                                u"José Ángel Núñez Ibáñez"_qs};
    ASSERT_EQ(host.windows.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const FakeHost::Window &window = host.windows[i];
        EXPECT_EQ(window.numero, numeros[i]);
        EXPECT_EQ(window.caption, path(numeros[i] + u".rtf"_qs));
        EXPECT_EQ(window.holder.titular, titulares[i]);
        const QString text = window.control->Text();
        EXPECT_TRUE(text.contains(u"Expediente nº "_qs + numeros[i])) << i;
        EXPECT_FALSE(text.contains(u"&Nombre del titular&"_qs)) << i;
        EXPECT_FALSE(window.control->canUndo()) << "merging leaves no undo step";
    }
}

TEST_F(Generacion, TheDictionaryIsReadAgainForEveryLaterRecord)
{
    // Once the first window is open, the dictionary renames the holder's field.
    host.beforeOpening = [this](int window) {
        if (window != 1)
            return;
        QFile file(path(u"finstru.txt"_qs));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        bytes.replace("Nombre del titular", "Titular del seguro");
        write(u"finstru.txt"_qs, bytes);
    };
    ASSERT_TRUE(generar_documento(host, path(u"plant/inf01.rtf"_qs)).ok);
    ASSERT_EQ(host.windows.size(), 3u);
    EXPECT_FALSE(host.windows[0].control->Text().contains(u"&Nombre del titular&"_qs));
    EXPECT_TRUE(host.windows[1].control->Text().contains(u"&Nombre del titular&"_qs));
    EXPECT_TRUE(host.windows[2].control->Text().contains(u"&Nombre del titular&"_qs));
}

TEST_F(Generacion, AFileThatCannotBeReadFailsBeforeAnyWindowOpens)
{
    struct Row {
        const char *name;
        QString remove;
        QString plantilla;
    };
    const Row rows[] = {
        {"template", {}, u"plant/falta.rtf"_qs},
        {"claim data", u"finalprn.txt"_qs, u"plant/inf01.rtf"_qs},
        {"dictionary", u"finstru.txt"_qs, u"plant/inf01.rtf"_qs},
    };
    for (const Row &row : rows) {
        if (!row.remove.isEmpty()) {
            ASSERT_TRUE(QFile::remove(path(row.remove)));
        }
        const GenerationResult result = generar_documento(host, path(row.plantilla));
        EXPECT_FALSE(result.ok) << row.name;
        const QString named = row.remove.isEmpty() ? row.plantilla.mid(6) : row.remove;
        EXPECT_TRUE(result.error.contains(named)) << result.error.toStdString();
        EXPECT_TRUE(host.windows.empty()) << row.name;
    }
}

TEST_F(Generacion, AClaimDataFileWithoutLinesOpensNoWindow)
{
    write(u"finalprn.txt"_qs, {});
    const GenerationResult result = generar_documento(host, path(u"plant/inf01.rtf"_qs));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.windows, 0);
    EXPECT_TRUE(host.windows.empty());
    EXPECT_FALSE(host.shown);
}

TEST_F(Generacion, TheHostCanStopBetweenRecordsKeepingTheWindowsMade)
{
    FakeHost host(dir.path());
    host.stopBefore = 3;
    const GenerationResult result = generar_documento(host, path(u"plant/inf02.rtf"_qs));
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.windows, 2);
    EXPECT_EQ(host.windows.size(), 2u);
    EXPECT_EQ(host.windows[1].numero, u"00187"_qs) << "the second record is merged whole";
    EXPECT_EQ(host.progress, (QList<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
}
