// Hostile RTF: the reader loads what it can, never crashes, hangs or runs
// out of memory. Inputs are generated here; each load must be quick.

#include "tests/textctl/rtf/rtfreadertesting.h"
#include "textctl/model/plaintext.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

using namespace textctl;
using namespace textctl::testing;

namespace {

constexpr qint64 kMaxMilliseconds = 3000;

struct Hostile {
    const char *name;
    QByteArray rtf;
    QString expectedText;  // null: anything
};

QByteArray repeated(const QByteArray &piece, int times)
{
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

QByteArray noise(quint32 seed, int size)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random.bounded(256));
    return "{\\rtf1 " + bytes;
}

// RTF-like noise: braces, backslashes, words and digits in random order.
QByteArray rtfNoise(quint32 seed, int pieces)
{
    static const char *const kPieces[] = {"{", "}", "\\par ", "\\cell ", "\\row ", "\\trowd", "\\cellx1000",
                                          "\\intbl ", "\\itap3 ", "\\nestcell ", "\\nestrow ", "{\\*\\nesttableprops",
                                          "{\\field{\\*\\fldinst ", "{\\fldrslt ", "{\\pict\\pngblip ", "0a1b",
                                          "{\\shp{\\*\\shpinst", "{\\sp{\\sn pib}{\\sv ", "\\u-10179 ", "\\'e1",
                                          "\\bin3 ", "{\\header ", "\\page ", "\\sect ", "\\ls1\\ilvl7 ",
                                          "\\clvmrg", "\\clvmgf", "\\clmrg", "x", " ", "\\uc5 ", "{\\footnote "};
    QRandomGenerator random(seed);
    QByteArray out = "{\\rtf1 ";
    for (int i = 0; i < pieces; ++i)
        out += kPieces[random.bounded(static_cast<int>(std::size(kPieces)))];
    return out;
}

// What every load gives, however hostile the input: first-page areas only
// when the file asks for a title page, and no more plain text than the
// input has bytes (each character and paragraph end costs at least one
// byte of RTF: more means text was made up or read twice).
void expectSoundDocument(const RichDocument &doc, const QByteArray &rtf, const char *name)
{
    if (!rtf.contains("\\titlepg")) {
        EXPECT_EQ(doc.headerFooterSet() & (FirstPageHeader | FirstPageFooter), 0) << name;
    }
    qsizetype characters = 0;
    for (const QTextDocument *text : doc.texts())
        characters += textPlainText(*text).size();
    EXPECT_LE(characters, rtf.size()) << name;
}

QList<Hostile> hostileInputs()
{
    QList<Hostile> cases = {
        {"DeepNestingUnclosed", "{\\rtf1 " + repeated("{", 100000) + "deep", u"deep"_qs},
        {"DeepNestingClosed", "{\\rtf1 " + repeated("{", 100000) + "deep" + repeated("}", 100000) + " after}",
         u"deep after"_qs},
        {"DeepNestingWithFormatting", "{\\rtf1 " + repeated("{\\b\\i\\ul ", 50000) + "x", u"x"_qs},
        {"BinPastTheEnd", "{\\rtf1 a\\bin999999999 bcd", u"a"_qs},
        {"NegativeBin", "{\\rtf1 a\\bin-5 b}", u"ab"_qs},
        {"BadHex", "{\\rtf1 a\\'zz b\\'3?c\\'", u"azz bc"_qs},
        {"GiantUnicode", "{\\rtf1 a\\u99999999999 ?b\\u-99999999999 ?c}", u"abc"_qs},
        {"GiantNumbers", "{\\rtf1\\fs99999999999\\li-99999999999\\sl99999999999\\uc99999999999 x}", {}},
        {"GiantPicture", "{\\rtf1{\\pict\\wmetafile8\\picwgoal999999999\\pichgoal999999999\\picscalex99999 01}}", {}},
        {"GiantTableNumbers",
         "{\\rtf1\\trowd\\trleft-999999999\\cellx999999999\\cellx-999999999\\intbl a\\cell b\\cell\\row}", {}},
        {"ManyCellDefinitions", "{\\rtf1\\trowd" + repeated("\\cellx100", 100000) + "\\intbl a\\cell\\row}", {}},
        {"ManyCellsInARow", "{\\rtf1\\trowd\\cellx100" + repeated("\\intbl a\\cell ", 20000) + "\\row}", {}},
        {"ManyDistinctBoundaries", "{\\rtf1" + [] {
             QByteArray rows;
             for (int i = 0; i < 2000; ++i)
                 rows += "\\trowd\\cellx" + QByteArray::number(100 + i * 7) + "\\cellx"
                         + QByteArray::number(20000 + i * 3) + "\\intbl a\\cell b\\cell\\row";
             return rows;
         }() + "}", {}},
        {"DeepItap", "{\\rtf1\\trowd\\cellx1000\\intbl\\itap999999 x\\nestcell\\nestrow\\cell\\row}", {}},
        {"StyleCycle", "{\\rtf1{\\stylesheet{\\s1\\sbasedon2\\b A;}{\\s2\\sbasedon1\\i B;}}\\s1 x\\par}", u"x"_qs},
        {"UnbalancedClosing", "{\\rtf1 a}}}}} b", u"a"_qs},
        {"OnlyOpening", "{\\rtf1", u""_qs},
        {"StarWithoutWord", "{\\rtf1 {\\*}x{\\* }y}", u"x y"_qs},
        {"FieldWithoutParts", "{\\rtf1 {\\field}{\\field{\\fldrslt}}{\\fldrslt z}x}", {}},
        {"TruncatedInsideHex", "{\\rtf1 a{\\pict\\pngblip 89504e47", u"a"_qs},
        {"AreasInsideAreas", "{\\rtf1{\\header a{\\footer b{\\headerf c}}}{\\footerf d}x}", u"x"_qs},
        {"AreasBeforeTitlePage", "{\\rtf1{\\headerf a}{\\header b}\\titlepg{\\header c}x}", u"x"_qs},
        {"ListsWithoutTables", "{\\rtf1\\ls99999\\ilvl99 a\\par{\\*\\pn\\pnlvl999}b\\par}", u"a\nb"_qs},
    };
    for (quint32 seed = 1; seed <= 20; ++seed)
        cases.append({"BinaryNoise", noise(seed, 8192), {}});
    for (quint32 seed = 1; seed <= 40; ++seed)
        cases.append({"RtfNoise", rtfNoise(seed, 3000), {}});
    return cases;
}

TEST(RtfReaderPathological, HostileInputsLoadQuickly)
{
    for (const Hostile &h : hostileInputs()) {
        RichDocument doc;
        QElapsedTimer timer;
        timer.start();
        QString error;
        EXPECT_TRUE(readRtf(h.rtf, doc, &error)) << h.name;
        EXPECT_LT(timer.elapsed(), kMaxMilliseconds) << h.name;
        if (!h.expectedText.isNull()) {
            EXPECT_EQ(blocksText(doc.main()), h.expectedText) << h.name;
        }
        EXPECT_EQ(doc.main()->availableUndoSteps(), 0) << h.name;
        expectSoundDocument(doc, h.rtf, h.name);
    }
}

TEST(RtfReaderPathological, ADocumentTooLargeToWorkWithIsRefusedAndNothingChanges)
{
    const std::pair<const char *, QByteArray> large[] = {
        {"100,001 paragraphs", "{\\rtf1 " + repeated("\\par ", 100'001) + "}"},
        {"8,000,001 characters", "{\\rtf1 " + QByteArray(8'000'001, 'x') + "}"},
        {"paragraphs in table cells", "{\\rtf1 " + repeated("\\trowd\\cellx1000\\intbl a\\cell\\row ", 100'001) + "}"},
    };
    for (const auto &[name, rtf] : large) {
        RichDocument doc;
        doc.main()->setPlainText(u"keep"_qs);
        QString error;
        EXPECT_FALSE(readRtf(rtf, doc, &error)) << name;
        EXPECT_TRUE(error.startsWith(u"El documento es demasiado grande para abrirlo"_qs)) << error.toStdString();
        EXPECT_TRUE(error.endsWith(u"como mucho 100.000 párrafos y 8.000.000 caracteres."_qs)) << error.toStdString();
        EXPECT_EQ(doc.main()->toPlainText(), u"keep"_qs) << name;
    }
}

TEST(RtfReaderPathological, EveryTruncationOfATemplateLoads)
{
    QFile file(QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/inf01.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    for (qsizetype cut = 6; cut < whole.size(); cut += 613) {
        RichDocument doc;
        EXPECT_TRUE(readRtf(whole.left(cut), doc)) << cut;
    }
}

TEST(RtfReaderPathological, InsertingHostileInputLeavesTheDocumentUsable)
{
    RichDocument doc;
    doc.main()->setPlainText(u"keep"_qs);
    QTextCursor cursor(doc.main());
    cursor.movePosition(QTextCursor::End);
    EXPECT_TRUE(insertRtf(rtfNoise(7, 2000), cursor));
    EXPECT_TRUE(doc.main()->toPlainText().startsWith(u"keep"_qs));
}

}  // namespace
