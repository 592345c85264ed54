// The RTF writer one element at a time: text escaping, character and
// paragraph formats, the document header, page values and areas, fields,
// links, bookmarks and footnotes.

#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"
#include "textctl/rtf/rtfwriterbuffer.h"

#include "tests/textctl/rtf/rtfwritertesting.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>

#include <gtest/gtest.h>

#include <functional>

using namespace textctl;
using namespace Qt::StringLiterals;
using textctl::testing::rtfProblem;

namespace {

QByteArray textRtf(const QString &text)
{
    RichDocument doc;
    RtfWriter writer(doc);
    writer.writeText(text);
    return writer.body();
}

QByteArray blockRtf(const QTextBlock &block)
{
    RichDocument doc;
    RtfWriter writer(doc);
    writer.writeBlock(block);
    return writer.body();
}

}  // namespace

TEST(RtfWriterText, Escapes)
{
    struct Row {
        const char *name;
        QString text;
        QByteArray rtf;
    } rows[] = {
        {"ascii", u"Hola mundo"_s, "Hola mundo"},
        {"specials", u"a\\b{c}d"_s, "a\\\\b\\{c\\}d"},
        {"windows1252", u"Año €"_s, "A\\'f1o \\'80"},
        {"nbsp", QString(QChar(0xA0)), "\\'a0"},
        {"bmp beyond 1252", u"Ωπ"_s, "\\u937?\\u960?"},
        {"signed 16 bit", QString(QChar(0xFB01)), "\\u-1279?"},
        {"surrogates", QString::fromUcs4(U"\U0001F600"), "\\u-10179?\\u-8704?"},
        {"tab", u"a\tb"_s, "a\\tab b"},
        {"tab before blank", u"a\t b"_s, "a\\tab  b"},
        {"tab before symbol", u"\t€"_s, "\\tab\\'80"},
        {"line separator", u"a"_s + QChar(0x2028) + u"b"_s, "a\\line b"},
        {"controls dropped", u"a\x01\x1f"_s + QChar(0xFFFC) + u"b"_s, "ab"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(textRtf(row.text), row.rtf) << row.name;
}

TEST(RtfWriterText, LongTextBreaksLinesOutsideWords)
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += u"palabra "_s;
    const QByteArray rtf = textRtf(text);
    const QList<QByteArray> lines = rtf.split('\n');
    ASSERT_GT(lines.size(), 4);
    for (const QByteArray &line : lines) {
        EXPECT_LE(line.size(), 260);
        if (!line.isEmpty()) {
            EXPECT_TRUE(line.startsWith("palabra")) << line.constData();
        }
    }
    // Readers ignore the line ends: the text is unchanged once they go.
    EXPECT_EQ(QString::fromLatin1(rtf).remove(u'\n'), text);
}

TEST(RtfWriterText, WordWithoutBlanksStillBreaks)
{
    const QByteArray rtf = textRtf(QString(1000, u'x'));
    for (const QByteArray &line : rtf.split('\n'))
        EXPECT_LE(line.size(), 401);
}

TEST(RtfWriterChar, Formats)
{
    struct Row {
        const char *name;
        std::function<void(QTextCharFormat &)> set;
        QByteArray rtf;
    } rows[] = {
        {"default", [](QTextCharFormat &) {}, "\\plain\\f0\\fs24"},
        {"bold italic", [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); f.setFontItalic(true); },
         "\\plain\\f0\\fs24\\b\\i"},
        {"demibold is bold", [](QTextCharFormat &f) { f.setFontWeight(QFont::DemiBold); }, "\\plain\\f0\\fs24\\b"},
        {"size", [](QTextCharFormat &f) { f.setFontPointSize(10.5); }, "\\plain\\f0\\fs21"},
        {"family", [](QTextCharFormat &f) { f.setFontFamilies({u"Courier New"_s}); }, "\\plain\\f1\\fs24"},
        {"underline", [](QTextCharFormat &f) { f.setFontUnderline(true); }, "\\plain\\f0\\fs24\\ul"},
        {"dotted", [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::DotLine); }, "\\plain\\f0\\fs24\\uld"},
        {"wave", [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::WaveUnderline); },
         "\\plain\\f0\\fs24\\ulwave"},
        {"kept kind",
         [](QTextCharFormat &f) {
             f.setFontUnderline(true);
             f.setProperty(prop::UnderlineKind, u"uldb"_s);
         },
         "\\plain\\f0\\fs24\\uldb"},
        {"kind without underline", [](QTextCharFormat &f) { f.setProperty(prop::UnderlineKind, u"uldb"_s); },
         "\\plain\\f0\\fs24"},
        {"kind not a word",
         [](QTextCharFormat &f) {
             f.setFontUnderline(true);
             f.setProperty(prop::UnderlineKind, u"ul}{\\par"_s);
         },
         "\\plain\\f0\\fs24\\ul"},
        {"strike", [](QTextCharFormat &f) { f.setFontStrikeOut(true); }, "\\plain\\f0\\fs24\\strike"},
        {"colour", [](QTextCharFormat &f) { f.setForeground(QColor(0x1f, 0x4e, 0x79)); }, "\\plain\\f0\\fs24\\cf1"},
        {"highlight", [](QTextCharFormat &f) { f.setBackground(Qt::yellow); }, "\\plain\\f0\\fs24\\highlight1"},
        {"shading", [](QTextCharFormat &f) { f.setBackground(QColor(0xe7, 0xee, 0xf6)); },
         "\\plain\\f0\\fs24\\chcbpat1"},
        {"super", [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); },
         "\\plain\\f0\\fs24\\super"},
        {"sub", [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); },
         "\\plain\\f0\\fs24\\sub"},
        {"caps", [](QTextCharFormat &f) { f.setFontCapitalization(QFont::AllUppercase); }, "\\plain\\f0\\fs24\\caps"},
        {"small caps", [](QTextCharFormat &f) { f.setFontCapitalization(QFont::SmallCaps); },
         "\\plain\\f0\\fs24\\scaps"},
        {"spacing", [](QTextCharFormat &f) { f.setProperty(prop::CharSpacingTwips, 20); },
         "\\plain\\f0\\fs24\\expnd4\\expndtw20"},
        {"hidden", [](QTextCharFormat &f) { f.setProperty(prop::Hidden, true); }, "\\plain\\f0\\fs24\\v"},
        {"kerning", [](QTextCharFormat &f) { f.setFontKerning(true); }, "\\plain\\f0\\fs24\\kerning1"},
    };
    for (const Row &row : rows) {
        RichDocument doc;
        RtfWriter writer(doc);
        QTextCharFormat format;
        row.set(format);
        writer.writeCharFormat(format);
        EXPECT_EQ(writer.body(), row.rtf) << row.name;
    }
}

TEST(RtfWriterChar, TablesHoldWhatFormatsUse)
{
    RichDocument doc;
    RtfWriter writer(doc);
    QTextCharFormat format;
    format.setFontFamilies({u"Times New Roman"_s});
    format.setForeground(QColor(255, 0, 0));
    format.setBackground(QColor(1, 2, 3));
    writer.writeCharFormat(format);
    writer.writeCharFormat(format);
    EXPECT_EQ(writer.body(), "\\plain\\f1\\fs24\\cf1\\chcbpat2\\plain\\f1\\fs24\\cf1\\chcbpat2");
    const QByteArray header = writer.header();
    EXPECT_TRUE(header.contains("{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}"))
        << header.constData();
    EXPECT_TRUE(header.contains("{\\colortbl;\\red255\\green0\\blue0;\\red1\\green2\\blue3;}")) << header.constData();
}

TEST(RtfWriterChar, TextAfterFormatGetsItsDelimiter)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(u"a"_s);
    cursor.insertText(u"b"_s, bold);
    cursor.insertText(u"-1"_s, QTextCharFormat());
    EXPECT_EQ(blockRtf(doc.main()->firstBlock()), "\\pard\\plain\\f0\\fs24 a\\plain\\f0\\fs24\\b b\\plain\\f0\\fs24 -1\\par\n");
}

TEST(RtfWriterBlock, Formats)
{
    struct Row {
        const char *name;
        std::function<void(QTextBlockFormat &)> set;
        QByteArray rtf;
    } rows[] = {
        {"default", [](QTextBlockFormat &) {}, "\\pard"},
        {"centre", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignHCenter); }, "\\pard\\qc"},
        {"right", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignRight); }, "\\pard\\qr"},
        {"absolute right", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignRight | Qt::AlignAbsolute); }, "\\pard\\qr"},
        {"justify", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignJustify); }, "\\pard\\qj"},
        {"left", [](QTextBlockFormat &f) { f.setAlignment(Qt::AlignLeft); }, "\\pard"},
        {"indents",
         [](QTextBlockFormat &f) {
             f.setLeftMargin(twipsToIndent(720));
             f.setRightMargin(twipsToIndent(360));
             f.setTextIndent(twipsToIndent(-360));
         },
         "\\pard\\li720\\ri360\\fi-360"},
        {"spacing",
         [](QTextBlockFormat &f) {
             f.setTopMargin(twipsToPixels(120));
             f.setBottomMargin(twipsToPixels(85));
         },
         "\\pard\\sb120\\sa85"},
        {"proportional", [](QTextBlockFormat &f) { f.setLineHeight(115, QTextBlockFormat::ProportionalHeight); },
         "\\pard\\sl276\\slmult1"},
        {"exact", [](QTextBlockFormat &f) { f.setLineHeight(twipsToPixels(300), QTextBlockFormat::FixedHeight); },
         "\\pard\\sl-300\\slmult0"},
        {"at least", [](QTextBlockFormat &f) { f.setLineHeight(twipsToPixels(300), QTextBlockFormat::MinimumHeight); },
         "\\pard\\sl300\\slmult0"},
        {"keep", [](QTextBlockFormat &f) { f.setNonBreakableLines(true); }, "\\pard\\keep"},
        {"keep with next", [](QTextBlockFormat &f) { f.setProperty(prop::KeepWithNext, true); }, "\\pard\\keepn"},
        {"page break", [](QTextBlockFormat &f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); },
         "\\pard\\pagebb"},
        {"tabs",
         [](QTextBlockFormat &f) {
             f.setTabPositions({QTextOption::Tab(twipsToPixels(1000), QTextOption::LeftTab),
                                QTextOption::Tab(twipsToPixels(5000), QTextOption::CenterTab),
                                QTextOption::Tab(twipsToPixels(9638), QTextOption::RightTab)});
             f.setProperty(prop::TabLeaders, u" -."_s);
         },
         "\\pard\\tx1000\\tqc\\tlhyph\\tx5000\\tqr\\tldot\\tx9638"},
        {"decimal tab", [](QTextBlockFormat &f) { f.setTabPositions({QTextOption::Tab(twipsToPixels(3000), QTextOption::DelimiterTab, u',')}); },
         "\\pard\\tqdec\\tx3000"},
        {"kept borders", [](QTextBlockFormat &f) { f.setProperty(prop::ParagraphBordersRtf, QByteArray("\\brdrb\\brdrs\\brdrw10\\brsp20")); },
         "\\pard\\brdrb\\brdrs\\brdrw10\\brsp20"},
        {"shading", [](QTextBlockFormat &f) { f.setBackground(QColor(10, 20, 30)); }, "\\pard\\cbpat1"},
    };
    for (const Row &row : rows) {
        RichDocument doc;
        QTextCursor cursor(doc.main());
        QTextBlockFormat format;
        row.set(format);
        cursor.setBlockFormat(format);
        RtfWriter writer(doc);
        writer.writeBlockFormat(doc.main()->firstBlock());
        EXPECT_EQ(writer.body(), row.rtf) << row.name;
    }
}

TEST(RtfWriterBlock, EmptyParagraphKeepsItsMarkFormat)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextCharFormat small;
    small.setFontPointSize(8);
    cursor.setBlockCharFormat(small);
    EXPECT_EQ(blockRtf(doc.main()->firstBlock()), "\\pard\\plain\\f0\\fs16\\par\n");
}

TEST(RtfWriterBlock, EachRunStatesItsWholeFormat)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextCharFormat red;
    red.setForeground(Qt::red);
    cursor.insertText(u"uno "_s, red);
    cursor.insertText(u"dos"_s, QTextCharFormat());
    cursor.insertText(u" tres"_s, red);
    RtfWriter writer(doc);
    writer.writeBlock(doc.main()->firstBlock());
    EXPECT_EQ(writer.body(), "\\pard\\plain\\f0\\fs24\\cf1 uno \\plain\\f0\\fs24 dos\\plain\\f0\\fs24\\cf1  tres\\par\n");
}

TEST(RtfWriterBlock, RunAfterSuperOrSubscriptEndsTheShift)
{
    // LibreOffice keeps a \super or \sub across \plain: the next plain run
    // must say \nosupersub, and a field's group end brings the shift back.
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextCharFormat super;
    super.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    QTextCharFormat sub;
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    QTextCharFormat linked;
    linked.setAnchorHref(u"http://a.es"_s);
    cursor.insertText(u"a"_s, QTextCharFormat());
    cursor.insertText(u"b"_s, super);
    cursor.insertText(u"c"_s, sub);
    cursor.insertText(u"d"_s, QTextCharFormat());
    cursor.insertText(u"e"_s, super);
    cursor.insertText(u"f"_s, linked);
    cursor.insertText(u"g"_s, QTextCharFormat());
    RtfWriter writer(doc);
    writer.writeBlock(doc.main()->firstBlock());
    const QByteArray body = writer.body();
    EXPECT_TRUE(body.contains("\\sub c\\nosupersub\\plain\\f0\\fs24 d")) << body.constData();
    EXPECT_EQ(body.count("\\nosupersub"), 3) << body.constData();
    EXPECT_TRUE(body.contains("}}\\nosupersub\\plain\\f0\\fs24 g")) << body.constData();
    EXPECT_FALSE(body.startsWith("\\pard\\nosupersub"));

    // A paragraph that ends raised gets a plain mark: LibreOffice drops it otherwise.
    RichDocument raised;
    QTextCursor at(raised.main());
    at.insertText(u"x"_s, super);
    at.insertBlock();
    at.insertText(u"y"_s, sub);
    const QByteArray both = writeRtf(raised);
    EXPECT_TRUE(both.contains("\\super x\\nosupersub\\par")) << both.constData();
    EXPECT_TRUE(both.contains("\\sub y\\nosupersub\\par")) << both.constData();

    RichDocument reread;
    ASSERT_TRUE(readRtf(writeRtf(doc), reread));
    EXPECT_EQ(reread.main()->toPlainText(), u"abcdefg"_s);
}

TEST(RtfWriterDocument, EmptyDocumentIsWellFormed)
{
    RichDocument doc;
    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtfProblem(rtf), QString()) << rtf.constData();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\\deftab1134\\widowctrl\n{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\paperw11906\\paperh16837\\margl1440\\margr1440\\margt1440\\margb1440\n"
                             "\\sectd\\headery720\\footery720\n"))
        << rtf.constData();
    EXPECT_TRUE(rtf.endsWith("\\pard\\plain\\f0\\fs24\\par\n}\n")) << rtf.constData();
}

TEST(RtfWriterDocument, PageValues)
{
    RichDocument doc;
    doc.page = PageSetup{16837, 11906, 1134, 567, 850, 1701, 400, 300};
    const QByteArray rtf = writeRtf(doc);
    EXPECT_TRUE(rtf.contains("\\paperw16837\\paperh11906\\margl1134\\margr850\\margt567\\margb1701\\landscape\n"
                             "\\sectd\\lndscpsxn\\headery400\\footery300\n"))
        << rtf.constData();
}

TEST(RtfWriterDocument, DefaultFontIsFontZero)
{
    RichDocument doc;
    QFont font(u"Times New Roman"_s);
    font.setPointSize(10);
    doc.main()->setDefaultFont(font);
    QTextCursor(doc.main()).insertText(u"x"_s);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\pard\\plain\\f0\\fs20 x\\par")) << rtf.constData();
}

TEST(RtfWriterDocument, AreasAndTitlePage)
{
    struct Row {
        const char *name;
        int set;
        QByteArray expected;
        bool titlePage;
    } rows[] = {
        {"header", 1, "{\\header\n\\pard\\plain\\f0\\fs24 area 1\\par\n}\n", false},
        {"first header", 2, "{\\headerf\n\\pard\\plain\\f0\\fs24 area 2\\par\n}\n", true},
        {"footer", 4, "{\\footer\n\\pard\\plain\\f0\\fs24 area 4\\par\n}\n", false},
        {"first footer", 8, "{\\footerf\n\\pard\\plain\\f0\\fs24 area 8\\par\n}\n", true},
        {"header and footer", 5, "}\n{\\footer\n", false},
        {"all", 15, "{\\header\n\\pard\\plain\\f0\\fs24 area 1\\par\n}\n{\\headerf\n", true},
    };
    for (const Row &row : rows) {
        RichDocument doc;
        doc.setHeaderFooterSet(row.set);
        for (int code : kHeaderFooterAreas) {
            if (QTextDocument *area = doc.area(code))
                area->setPlainText(u"area %1"_s.arg(code));
        }
        const QByteArray rtf = writeRtf(doc);
        EXPECT_TRUE(rtf.contains(row.expected)) << row.name << "\n" << rtf.constData();
        EXPECT_EQ(rtf.contains("\\titlepg"), row.titlePage) << row.name;
        EXPECT_EQ(rtfProblem(rtf), QString()) << row.name;
    }
}

TEST(RtfWriterDocument, KeptGroupsGoBackVerbatim)
{
    RichDocument doc;
    doc.setHeaderFooterSet(1);
    doc.leftHeaderRtf = "{\\headerl \\pard\\plain Izquierda\\par}";
    doc.leftFooterRtf = "{\\footerl \\pard\\plain Pie\\par}";
    doc.keptGroups = {"{\\info{\\title Informe}}", "{\\*\\userprops{\\propname x}}"};
    const QByteArray rtf = writeRtf(doc);
    EXPECT_TRUE(rtf.contains("{\\info{\\title Informe}}\n{\\*\\userprops{\\propname x}}\n\\paperw")) << rtf.constData();
    const qsizetype header = rtf.indexOf("{\\header\n");
    const qsizetype left = rtf.indexOf("{\\headerl \\pard\\plain Izquierda\\par}\n{\\footerl \\pard\\plain Pie\\par}\n");
    ASSERT_GE(header, 0);
    EXPECT_GT(left, header);
    EXPECT_FALSE(rtf.contains("\\titlepg"));
}

TEST(RtfWriterDocument, LastParagraphAndFragments)
{
    RichDocument doc;
    doc.main()->setPlainText(u"uno\ndos"_s);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_TRUE(rtf.endsWith("uno\\par\n\\pard\\plain\\f0\\fs24 dos\\par\n}\n")) << rtf.constData();

    QTextCursor cursor(doc.main());
    cursor.setPosition(1);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    const QByteArray piece = writeRtfFragment(cursor.selection());
    EXPECT_EQ(rtfProblem(piece), QString());
    EXPECT_TRUE(piece.endsWith("no\\par\n\\pard\\plain\\f0\\fs24 do}\n")) << piece.constData();
    EXPECT_FALSE(piece.contains("\\paperw"));
}

TEST(RtfWriterFields, LiveFieldObjects)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    cursor.insertText(u"Página "_s);
    QTextCharFormat page;
    page.setObjectType(prop::FieldObjectType);
    page.setProperty(prop::LiveFieldKind, u"PAGE"_s);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), page);
    cursor.insertText(u" de "_s, QTextCharFormat());
    QTextCharFormat pages = page;
    pages.setProperty(prop::LiveFieldKind, u"NUMPAGES"_s);
    pages.setProperty(prop::FieldInstruction, u" NUMPAGES \\* ARABIC "_s);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), pages);
    RtfWriter writer(doc);
    writer.writeBlock(doc.main()->firstBlock());
    EXPECT_EQ(writer.body(),
              "\\pard\\plain\\f0\\fs24 P\\'e1gina \\plain\\f0\\fs24{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}"
              "\\plain\\f0\\fs24  de \\plain\\f0\\fs24{\\field{\\*\\fldinst  NUMPAGES \\\\* ARABIC }{\\fldrslt 1}}\\par\n");
}

TEST(RtfWriterFields, KeptFieldsGroupByFieldId)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextCharFormat date;
    date.setProperty(prop::FieldInstruction, u"DATE \\@ \"dd/MM/yyyy\""_s);
    date.setProperty(prop::FieldId, 1);
    cursor.insertText(u"14/03/"_s, date);
    QTextCharFormat bold = date;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(u"2024"_s, bold);
    QTextCharFormat second = date;
    second.setProperty(prop::FieldId, 2);
    cursor.insertText(u"15/03/2024"_s, second);
    cursor.insertText(u" fin"_s, QTextCharFormat());
    RtfWriter writer(doc);
    writer.writeBlock(doc.main()->firstBlock());
    const QByteArray open = "{\\field{\\*\\fldinst DATE \\\\@ \"dd/MM/yyyy\"}{\\fldrslt";
    EXPECT_EQ(writer.body(), "\\pard" + open + "\\plain\\f0\\fs24 14/03/\\plain\\f0\\fs24\\b 2024}}" + open
                                 + "\\plain\\f0\\fs24 15/03/2024}}\\plain\\f0\\fs24  fin\\par\n");
}

TEST(RtfWriterFields, LinksWithoutInstructionBecomeHyperlinkFields)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(u"http://example.com/a b"_s);
    cursor.insertText(u"web"_s, link);
    RtfWriter writer(doc);
    writer.writeBlock(doc.main()->firstBlock());
    EXPECT_EQ(writer.body(),
              "\\pard{\\field{\\*\\fldinst HYPERLINK \"http://example.com/a b\"}{\\fldrslt\\plain\\f0\\fs24 web}}\\par\n");
}

TEST(RtfWriterFields, BookmarksAndFootnotes)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextCharFormat start;
    start.setProperty(prop::BookmarkStarts, QStringList{u"inicio"_s});
    cursor.insertText(u"a"_s, start);
    cursor.insertText(u"b"_s, QTextCharFormat());
    QTextCharFormat end;
    end.setProperty(prop::BookmarkEnds, QStringList{u"inicio"_s, u"otro"_s});
    cursor.insertText(u"c"_s, end);
    QTextCharFormat note;
    note.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    note.setProperty(prop::FootnoteRtf, QByteArray("{\\footnote \\pard\\plain Nota.}"));
    cursor.insertText(u"1"_s, note);
    RtfWriter writer(doc);
    writer.writeBlock(doc.main()->firstBlock());
    EXPECT_EQ(writer.body(),
              "\\pard{\\*\\bkmkstart inicio}\\plain\\f0\\fs24 abc{\\*\\bkmkend inicio}"
              "{\\*\\bkmkend otro}\\plain\\f0\\fs24\\super\\chftn{\\footnote \\pard\\plain Nota.}\\nosupersub\\par\n");
}

TEST(RtfWriterDocument, KeptColourTableKeepsKeptWordsRight)
{
    RichDocument doc;
    doc.keptGroups = {"{\\colortbl;\\red1\\green2\\blue3;\\red4\\green5\\blue6;}", "{\\info}"};
    QTextCursor cursor(doc.main());
    QTextBlockFormat borders;
    borders.setProperty(prop::ParagraphBordersRtf, QByteArray("\\brdrb\\brdrs\\brdrw10\\brdrcf2"));
    cursor.setBlockFormat(borders);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    QTextCharFormat known;
    known.setForeground(QColor(1, 2, 3));
    cursor.insertText(u"a"_s, red);
    cursor.insertText(u"b"_s, known);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red1\\green2\\blue3;\\red4\\green5\\blue6;\\red255\\green0\\blue0;}\n{\\info}\n"))
        << rtf.constData();
    EXPECT_EQ(rtf.count("{\\colortbl"), 1);
    EXPECT_TRUE(rtf.contains("\\brdrb\\brdrs\\brdrw10\\brdrcf2\\plain\\f0\\fs24\\cf3 a\\plain\\f0\\fs24\\cf1 b")) << rtf.constData();
}

// Kept words name colours by the numbers the reader gave: a malformed kept
// table must be numbered the same way when it is written again.
TEST(RtfWriterDocument, MalformedKeptColourTableIsNumberedAsRead)
{
    struct Row {
        const char *name;
        QByteArray table;
        QColor second;
        QByteArray secondWritten;
    };
    const Row rows[] = {
        {"symbol ';'", "{\\colortbl;\\red9\\;\\green0\\blue0;\\red0\\green0\\blue255;}", QColor(0, 0, 255),
         "\\red0\\green0\\blue255"},
        {"binary ';'", "{\\colortbl;\\red1\\bin1 ;\\green2;\\blue3;}", QColor(0, 0, 3), "\\red0\\green0\\blue3"},
    };
    for (const Row &row : rows) {
        RichDocument doc;
        ASSERT_TRUE(readRtf("{\\rtf1" + row.table + "\\cf1 a\\cf2 b\\par}", doc)) << row.name;
        QTextCursor cursor(doc.main());
        cursor.setPosition(2);
        EXPECT_EQ(cursor.charFormat().foreground().color(), row.second) << row.name;
        const QByteArray rtf = writeRtf(doc);
        const QByteArray table = rtf.mid(rtf.indexOf("{\\colortbl;") + 11);
        EXPECT_EQ(table.split(';').value(1), row.secondWritten) << row.name << rtf.constData();
    }
}

TEST(RtfWriterDocument, ColourNumbersWithoutTheirTableAreLeftOut)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextBlockFormat borders;
    borders.setProperty(prop::ParagraphBordersRtf, QByteArray("\\brdrt\\brdrs\\brdrcf24\\brsp45\\brdrb\\brdrdb\\brdrcf7"));
    cursor.setBlockFormat(borders);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_TRUE(rtf.contains("\\pard\\brdrt\\brdrs\\brsp45\\brdrb\\brdrdb\\plain")) << rtf.constData();
}

TEST(RtfWriterDocument, KeptGroupsAreWrittenSevenBit)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextImageFormat image;
    image.setName(u"pict:1"_s);
    static const char kPicture[] = "{\\pict\\wmetafile8\\picw10\\pich10\\bin3 \x01\xff}x}";
    image.setProperty(prop::PictureRtf, QByteArray(kPicture, sizeof kPicture - 1));
    cursor.insertImage(image);
    doc.keptGroups = {"{\\info{\\title Espa\xf1" "a}}"};
    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtfProblem(rtf), QString()) << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\pict\\wmetafile8\\picw10\\pich10\n01ff7d\nx}")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\info{\\title Espa\\'f1a}}")) << rtf.constData();
}

// Only \binN data and 8-bit bytes change form in a kept group; what a
// reader would take differently stays as it is.
TEST(RtfWriterDocument, KeptGroupBytes)
{
    struct Row {
        const char *name;
        QByteArray kept;
        QByteArray written;
    };
    const Row rows[] = {
        {"binary as hex", "{\\pict\\bin2 \x01\xff}", "{\\pict\n01ff\n}"},
        {"empty binary", "{\\bin0 x\xe9}", "{\nx\\'e9}"},
        {"negative count", "{\\bin-0 \xe9}", "{\\bin-0 \\'e9}"},
        {"escaped backslash", "{\\\\bin2 \xe9z}", "{\\\\bin2 \\'e9z}"},
        {"broken escape", "{\\'3\xe9}", "{\\'3\\'e9}"},
        {"8-bit symbol", "{\\\xe9\xe9}", "{\\\xe9\\'e9}"},
    };
    for (const Row &row : rows) {
        RtfWriterBuffer out;
        out.verbatim(row.kept);
        EXPECT_EQ(out.take(), row.written) << row.name;
    }
}

TEST(RtfWriterDocument, OddModelsStayWellFormed)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextCharFormat odd;
    odd.setFontFamilies({u"Fuente {rara}; \\ con ñ"_s});
    odd.setFontPointSize(1638);
    odd.setProperty(prop::FieldInstruction, u"MERGEFIELD {x} \\* MERGEFORMAT"_s);
    odd.setProperty(prop::BookmarkStarts, QStringList{u"a}b{c\\"_s});
    odd.setProperty(prop::BookmarkEnds, QStringList{u"a}b{c\\"_s});
    cursor.insertText(u"x"_s + QChar(0xD800) + QChar(0xFFFF) + u"y"_s, odd);
    QTextBlockFormat deep;
    deep.setLeftMargin(-500);
    deep.setProperty(prop::ListLevel, 40);
    cursor.insertBlock(deep);
    QTextListFormat list;
    list.setStyle(QTextListFormat::ListStyleUndefined);
    list.setIndent(30);
    cursor.createList(list);
    cursor.insertText(u"nivel"_s);
    QTextImageFormat missing;
    missing.setName(u"pict:404"_s);
    missing.setWidth(-3);
    cursor.insertImage(missing);
    QTextCharFormat fieldObject;
    fieldObject.setObjectType(prop::FieldObjectType);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), fieldObject);

    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtfProblem(rtf), QString()) << rtf.constData();
    RichDocument reread;
    ASSERT_TRUE(readRtf(rtf, reread));
    // The lone surrogate may come back as U+FFFD; the rest is the same.
    const QString text = reread.main()->toPlainText();
    EXPECT_TRUE(text.startsWith(u'x')) << text.toStdString();
    EXPECT_TRUE(text.contains(QString(QChar(0xFFFF)) + u"y\nnivel"_s)) << text.toStdString();
}
