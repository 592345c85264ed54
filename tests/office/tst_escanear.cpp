// "De Scanner" against SANE's own test backend, enabled by a dll.conf of
// the test's own: a real scan with no hardware.

#include "office/escanear.h"

#include "platformui/scripteddialogs.h"
#include "textctl/model/formatprops.h"
#include "textctl/txtextcontrol.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <QFileInfo>

#include <dlfcn.h>
#include <sane/sane.h>
#endif

using namespace Qt::StringLiterals;

#if defined(__SANITIZE_ADDRESS__)
// SANE's test backend leaks its reader's buffer when a scan is cancelled.
// That one leak is left out of the report, and the backend is kept loaded
// so that the report can name it.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libsane-test.so\n";
}
#endif

namespace {

void keepTestBackendLoaded()
{
#if defined(__SANITIZE_ADDRESS__)
    Dl_info info;
    if (dladdr(reinterpret_cast<void *>(&sane_init), &info) && info.dli_fname) {
        const QString dir = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
        dlopen(QFile::encodeName(dir + u"/sane/libsane-test.so.1"_s).constData(), RTLD_NOW | RTLD_NODELETE);
    }
#endif
}

// The shape left and top (twips) of each fixed picture of the main text.
QList<std::pair<int, int>> placed(const TXTextControl &control)
{
    QList<std::pair<int, int>> places;
    const QTextDocument *doc = control.document().main();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().boolProperty(textctl::prop::PictureFixed))
                places.append({it.fragment().charFormat().intProperty(textctl::prop::PictureShapeLeft),
                               it.fragment().charFormat().intProperty(textctl::prop::PictureShapeTop)});
    return places;
}

// SANE reads its backends from `dll.conf` in SANE_CONFIG_DIR (no trailing
// colon: the system's own configuration is not read). It takes the folder
// once a process, and the file at each start.
class Escanear : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_config = new QTemporaryDir;
        qputenv("SANE_CONFIG_DIR", s_config->path().toLocal8Bit());
    }
    static void TearDownTestSuite() { delete s_config; }
    static void useBackends(const QByteArray &dllConf)
    {
        ASSERT_TRUE(s_config->isValid());
        QFile conf(s_config->filePath(u"dll.conf"_s));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write(dllConf);
    }
    void SetUp() override { m_control.setText(u"Informe de daños"_s); }

    static inline QTemporaryDir *s_config = nullptr;
    TXTextControl m_control;
    platform::ScriptedMessageBoxes m_mensajes;
};

}  // namespace

TEST_F(Escanear, TheTestScannersPageIsPlacedAsAPictureFileIs)
{
    useBackends("test\n");
    QList<int> seen;
    m_control.setScrollPosY(300);
    const bool inserted = office::insertar_escaneo(m_control, m_mensajes, 1000, 1000, [&](int percent) {
        seen.append(percent);
        return true;
    });
    ASSERT_TRUE(m_mensajes.shown().isEmpty()) << qPrintable(m_mensajes.shown().value(0).text);
    EXPECT_TRUE(inserted);
    EXPECT_EQ(placed(m_control), (QList<std::pair<int, int>>{{1000, 1300}}));
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.last(), 100);
    m_control.Undo();
    EXPECT_TRUE(placed(m_control).isEmpty()) << "one undo step takes the scan out";
}

TEST_F(Escanear, CancelOrFailureLeaveTheReportAsItWas)
{
    struct Row {
        const char *name;
        QByteArray dllConf;
        bool cancel;
        QString message;  // empty: nothing shown
    };
    const Row rows[] = {
        {"cancelled at the first read", "test\n", true, {}},
        {"no scanner", "# ninguno\n", false,
         u"No se puede escanear la imagen: no se encuentra ningún escáner conectado."_s},
    };
    keepTestBackendLoaded();
    for (const Row &row : rows) {
        useBackends(row.dllConf);
        platform::ScriptedMessageBoxes mensajes;
        const bool inserted = office::insertar_escaneo(m_control, mensajes, 1000, 1000,
                                                       [&](int) { return !row.cancel; });
        EXPECT_FALSE(inserted) << row.name;
        EXPECT_TRUE(placed(m_control).isEmpty()) << row.name;
        EXPECT_EQ(m_control.Text(), u"Informe de daños"_s) << row.name;
        ASSERT_EQ(mensajes.shown().size(), row.message.isEmpty() ? 0 : 1) << row.name << ": " << qPrintable(mensajes.texts().join(u"|"_s));
        if (!row.message.isEmpty()) {
            EXPECT_EQ(mensajes.shown()[0].text, row.message) << row.name;
        }
    }
}
