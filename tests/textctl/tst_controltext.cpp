// The line-break rules of Text and SelText, and the text file format.
#include "textctl/controltext.h"
#include "textctl/model/richdocument.h"
#include "textctl/txtextcontrol.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

QStringList blockTexts(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

}  // namespace

TEST(ControlText, WritingTurnsEveryLineEndIntoOneParagraphBreak)
{
    struct Row { const char *name; QString written; QStringList paragraphs; QString read; };
    const Row rows[] = {
        {"cr lf", u"a\r\nb"_qs, {u"a"_qs, u"b"_qs}, u"a\nb"_qs},
        {"lf cr", u"a\n\rb"_qs, {u"a"_qs, u"b"_qs}, u"a\nb"_qs},
        {"lone cr", u"a\rb"_qs, {u"a"_qs, u"b"_qs}, u"a\nb"_qs},
        {"lone lf", u"a\nb"_qs, {u"a"_qs, u"b"_qs}, u"a\nb"_qs},
        {"two cr lf", u"a\r\n\r\nb"_qs, {u"a"_qs, QString(), u"b"_qs}, u"a\n\nb"_qs},
        {"lf cr then lf", u"a\n\r\nb"_qs, {u"a"_qs, QString(), u"b"_qs}, u"a\n\nb"_qs},
        {"cr cr", u"a\r\rb"_qs, {u"a"_qs, QString(), u"b"_qs}, u"a\n\nb"_qs},
        {"section block lines", u"uno\n\rdos\n\r"_qs, {u"uno"_qs, u"dos"_qs, QString()}, u"uno\ndos\n"_qs},
        {"page break", u"a\fb"_qs, {u"a"_qs, u"b"_qs}, u"a\fb"_qs},
        {"break then page break", u"a\r\n\fb"_qs, {u"a"_qs, QString(), u"b"_qs}, u"a\n\fb"_qs},
        {"tab stays", u"a\tb"_qs, {u"a\tb"_qs}, u"a\tb"_qs},
        {"trailing break", u"a\r\n"_qs, {u"a"_qs, QString()}, u"a\n"_qs},
    };
    for (const Row &row : rows) {
        TXTextControl control;
        control.setText(row.written);
        EXPECT_EQ(blockTexts(*control.document().main()), row.paragraphs) << row.name;
        EXPECT_EQ(control.Text(), row.read) << row.name;
        EXPECT_EQ(control.Text().size(), control.document().main()->characterCount() - 1) << row.name;
    }
}

TEST(ControlText, PageBreakStartsTheNewParagraphOnANewPageOnly)
{
    TXTextControl control;
    control.setText(u"uno\fdos\r\ntres"_qs);
    const QTextDocument *doc = control.document().main();
    const auto policy = [&](int n) { return doc->findBlockByNumber(n).blockFormat().pageBreakPolicy(); };
    EXPECT_EQ(policy(0), QTextFormat::PageBreak_Auto);
    EXPECT_EQ(policy(1), QTextFormat::PageBreak_AlwaysBefore);
    // A break inside the page-break paragraph does not carry the page break on.
    EXPECT_EQ(policy(2), QTextFormat::PageBreak_Auto);
}

TEST(ControlText, ReadingGivesOneCharacterPerPosition)
{
    RichDocument rich;
    QTextCursor cursor(rich.main());
    cursor.insertText(u"ab"_qs);
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"X"_qs);
    table->cellAt(0, 1).firstCursorPosition().insertText(u"Y"_qs);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"c"_qs);
    QTextImageFormat image;
    image.setName(u"pict:1"_qs);
    cursor.insertImage(image);

    const QString text = controlText(*rich.main());
    EXPECT_EQ(text, u"ab\nX\nY\nc\uFFFC"_qs);
    EXPECT_EQ(text.size(), rich.main()->characterCount() - 1);
    EXPECT_EQ(controlText(*rich.main(), 3, 6), u"X\nY"_qs);
}

TEST(TextFile, DecodesByByteOrderMarkUtf8OrWindows1252)
{
    struct Row { const char *name; QByteArray bytes; QString text; };
    const Row rows[] = {
        {"ascii", QByteArray("abc\r\n"), u"abc\r\n"_qs},
        {"windows-1252", QByteArray("Espa\xf1" "a \x80"), u"España €"_qs},
        {"utf-8 without mark", QByteArray("Espa\xc3\xb1" "a"), u"España"_qs},
        {"utf-8 with mark", QByteArray("\xef\xbb\xbf" "a\xe2\x82\xac"), u"a€"_qs},
        {"mark only, ascii after", QByteArray("\xef\xbb\xbf" "abc"), u"abc"_qs},
        {"invalid utf-8 is 1252", QByteArray("\xc3\x28"), u"Ã("_qs},
        {"a second mark is text", QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "a"), u"\uFEFFa"_qs},
        {"stray controls left out", QByteArray("a\0b\x01\x1b\tc\fd\x0b", 10), u"ab\tc\fd"_qs},
    };
    for (const Row &row : rows)
        EXPECT_EQ(decodeTextFile(row.bytes), row.text) << row.name;
}

TEST(TextFile, EncodesWindows1252WithCrLfOrUtf8WithMark)
{
    EXPECT_EQ(encodeTextFile(u"Año\n2 €\fx"_qs), QByteArray("A\xf1o\r\n2 \x80\x0cx"));
    EXPECT_EQ(encodeTextFile(u"a\uFFFCb"_qs), QByteArray("ab"));
    EXPECT_EQ(encodeTextFile(u"Ж\nb"_qs), QByteArray("\xef\xbb\xbf\xd0\x96\r\nb"));
    // Windows-1252 bytes that would read back as something else.
    EXPECT_EQ(encodeTextFile(u"Ã±"_qs), QByteArray("\xef\xbb\xbf\xc3\x83\xc2\xb1"));
    EXPECT_EQ(encodeTextFile(u"ï»¿%"_qs), QByteArray("\xef\xbb\xbf\xc3\xaf\xc2\xbb\xc2\xbf%"));
}
