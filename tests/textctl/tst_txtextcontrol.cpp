// Selection, search, areas, undo and notifications of the control.
#include "textctl/model/formatprops.h"
#include "textctl/txtextcontrol.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {

void setBold(TXTextControl &control, int from, int to)
{
    QTextCursor cursor(control.document().main());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(bold);
}

bool isBold(const TXTextControl &control, int position)
{
    QTextCursor probe(control.document().main());
    probe.setPosition(position + 1);
    return probe.charFormat().fontWeight() == QFont::Bold;
}

}  // namespace

TEST(Selection, LengthMinusOneRunsToTheEndAndPositionsAreClamped)
{
    TXTextControl control;
    control.setText(u"uno\r\ndos"_qs);
    control.setSelStart(2);
    control.setSelLength(-1);
    EXPECT_EQ(control.SelStart(), 2);
    EXPECT_EQ(control.SelLength(), 5);
    EXPECT_EQ(control.SelText(), u"o\ndos"_qs);

    control.setSelStart(100);
    EXPECT_EQ(control.SelStart(), 7);
    control.setSelStart(-5);
    control.setSelLength(100);
    EXPECT_EQ(control.SelLength(), 7);
}

TEST(Selection, ReplacementTakesTheFormatOfTheFirstReplacedCharacter)
{
    TXTextControl control;
    control.setText(u"a &Campo& b"_qs);
    setBold(control, 2, 4);  // "&C" bold, the rest of the marker plain: a split marker
    ASSERT_EQ(control.Find(u"&campo&"_qs, 0, 16), 2);
    control.setSelText(u"Valor largo"_qs);
    EXPECT_EQ(control.Text(), u"a Valor largo b"_qs);
    for (int i = 2; i < 13; ++i)
        EXPECT_TRUE(isBold(control, i)) << i;
    EXPECT_FALSE(isBold(control, 0));
    EXPECT_FALSE(isBold(control, 14));
}

TEST(Selection, InsertionWithoutSelectionTakesTheFormatBeforeTheCaret)
{
    TXTextControl control;
    control.setText(u"ab"_qs);
    setBold(control, 0, 1);
    control.setSelStart(1);
    control.setSelText(u"X"_qs);
    EXPECT_EQ(control.Text(), u"aXb"_qs);
    EXPECT_TRUE(isBold(control, 1));
}

TEST(Selection, TextTypedOverAPictureIsNoPicture)
{
    TXTextControl control;
    QTextCursor cursor(control.document().main());
    QTextImageFormat image;
    image.setName(u"pict:1"_qs);
    image.setProperty(textctl::prop::PictureKind, u"png"_qs);
    cursor.insertImage(image);
    cursor.insertText(u"z"_qs);
    control.setSelStart(0);
    control.setSelLength(1);
    control.setSelText(u"abc"_qs);
    EXPECT_EQ(control.Text(), u"abcz"_qs);
    QTextCursor probe(control.document().main());
    probe.setPosition(1);
    EXPECT_FALSE(probe.charFormat().isImageFormat());
    EXPECT_FALSE(probe.charFormat().hasProperty(textctl::prop::PictureKind));
}

TEST(Selection, TextTypedAfterAFieldObjectIsNoField)
{
    for (const int type : {textctl::prop::FieldObjectType, textctl::prop::EmptyFieldObjectType}) {
        TXTextControl control;
        QTextCursor cursor(control.document().main());
        QTextCharFormat field;
        field.setObjectType(type);
        field.setProperty(textctl::prop::FieldInstruction, u"PAGE"_qs);
        field.setProperty(textctl::prop::FieldId, 3);
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), field);
        control.setSelStart(1);
        control.setSelText(u"x"_qs);
        QTextCursor probe(control.document().main());
        probe.setPosition(2);
        EXPECT_EQ(probe.charFormat().objectType(), QTextFormat::NoObject) << type;
        EXPECT_FALSE(probe.charFormat().hasProperty(textctl::prop::FieldInstruction)) << type;
        EXPECT_FALSE(probe.charFormat().hasProperty(textctl::prop::FieldId)) << type;
    }
}

TEST(Selection, NewParagraphsKeepTheParagraphFormatAndListButNotThePageBreak)
{
    TXTextControl control;
    QTextCursor cursor(control.document().main());
    cursor.insertText(u"antes"_qs);
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignRight);
    block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(block);
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertText(u"&Secciones&"_qs);

    ASSERT_GE(control.Find(u"&secciones&"_qs, 0, 16), 0);
    control.setSelText(u"uno\n\rdos\n\r"_qs);
    const QTextDocument *doc = control.document().main();
    ASSERT_EQ(doc->blockCount(), 4);
    for (int n = 1; n < 4; ++n) {
        const QTextBlock b = doc->findBlockByNumber(n);
        EXPECT_EQ(b.blockFormat().alignment(), Qt::AlignRight) << n;
        EXPECT_NE(b.textList(), nullptr) << n;
        EXPECT_EQ(b.blockFormat().pageBreakPolicy(),
                  n == 1 ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto) << n;
    }
    EXPECT_EQ(control.Text(), u"antes\funo\ndos\n"_qs);
}

TEST(Find, IgnoresLetterCaseSelectsAndReturnsThePosition)
{
    struct Row { const char *name; QString text; QString search; int start; int found; };
    const Row rows[] = {
        {"lower finds upper", u"Hola &NOMBRE DEL TITULAR& fin"_qs, u"&nombre del titular&"_qs, 0, 5},
        {"accents fold", u"x &COMPAÑÍA& y"_qs, u"&compañía&"_qs, 0, 2},
        {"second paragraph", u"uno\r\ndos &A&"_qs, u"&a&"_qs, 0, 8},
        {"from the start position on", u"&a& &a&"_qs, u"&A&"_qs, 1, 4},
        {"start on the match", u"&a& &a&"_qs, u"&A&"_qs, 4, 4},
        {"start past the end", u"&a&"_qs, u"&a&"_qs, 3, -1},
        {"negative start searches all", u"&a&"_qs, u"&a&"_qs, -4, 0},
        {"absent", u"nada"_qs, u"&a&"_qs, 0, -1},
        {"empty text never found", u"nada"_qs, QString(), 0, -1},
        {"not across a paragraph break", u"a\r\nb"_qs, u"a b"_qs, 0, -1},
    };
    for (const Row &row : rows) {
        TXTextControl control;
        control.setText(row.text);
        control.setSelStart(1);
        control.setSelLength(1);
        EXPECT_EQ(control.Find(row.search, row.start, 16), row.found) << row.name;
        if (row.found >= 0) {
            EXPECT_EQ(control.SelStart(), row.found) << row.name;
            EXPECT_EQ(control.SelLength(), row.search.size()) << row.name;
        } else {
            EXPECT_EQ(control.SelLength(), 0) << row.name;
        }
    }
}

TEST(Find, SeesEveryEditAndCountsTableCellsAsPositions)
{
    TXTextControl control;
    QTextCursor cursor(control.document().main());
    cursor.insertText(u"Datos"_qs);
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 1).firstCursorPosition().insertText(u"&Causa&"_qs);
    // "Datos" 0-4, the first cell's boundary 5, the second's 6, the marker at 7.
    ASSERT_EQ(control.Find(u"&causa&"_qs, 0, 16), 7);
    control.setSelText(u"Agua"_qs);
    EXPECT_EQ(control.Find(u"&causa&"_qs, 0, 16), -1);
    EXPECT_EQ(control.Find(u"AGUA"_qs, 0, 16), 7);
    EXPECT_EQ(control.Text(), u"Datos\n\nAgua\n"_qs);
}

TEST(Find, ThePatchedSearchCopyFollowsEveryKindOfReplacement)
{
    TXTextControl control;
    QTextCursor cursor(control.document().main());
    cursor.insertText(u"&a& uno &b& dos &a&"_qs);
    QTextTable *table = cursor.insertTable(2, 2);
    table->cellAt(1, 1).firstCursorPosition().insertText(u"&b& en celda &a&"_qs);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"fin &b&"_qs);

    const QString replacements[] = {u"x\r\ny"_qs, u"\n\r"_qs, u"Ñ\fZ"_qs, QString(), u"&B&&b&"_qs, u"tab\tok"_qs};
    int step = 0;
    for (int round = 0; round < 3; ++round) {
        for (const QString &marker : {u"&a&"_qs, u"&b&"_qs}) {
            if (control.Find(marker, 0, 16) < 0)
                continue;
            control.setSelText(replacements[step++ % std::size(replacements)]);
            // Every search must agree with a search of the document as it is now.
            const QString now = textctl::TextSearch::fold(control.document().main()->toRawText());
            for (const QString &needle : {u"&a&"_qs, u"&b&"_qs, u"y"_qs, u"ñ"_qs, u"celda"_qs, u"fin"_qs})
                EXPECT_EQ(control.Find(needle, 0, 16), now.indexOf(textctl::TextSearch::fold(needle)))
                    << needle.toStdString() << " after step " << step;
        }
    }
    EXPECT_GE(step, 6);
}

TEST(Areas, SelectTargetsFindAndTextOfOneArea)
{
    TXTextControl control;
    control.setText(u"&Campo& principal"_qs);
    control.setHeaderFooter(1 + 4);
    EXPECT_EQ(control.HeaderFooter(), 5);
    control.setHeaderFooterSelect(4);
    control.setText(u"pie &campo&"_qs);
    EXPECT_EQ(control.Find(u"&CAMPO&"_qs, 0, 16), 4);
    control.setSelText(u"valor"_qs);
    EXPECT_EQ(control.Text(), u"pie valor"_qs);

    control.setHeaderFooterSelect(2);  // absent: no target
    EXPECT_EQ(control.Find(u"pie"_qs, 0, 16), -1);
    control.setSelText(u"perdido"_qs);
    EXPECT_EQ(control.Text(), QString());
    EXPECT_EQ(control.HeaderFooter(), 5);

    control.setHeaderFooterSelect(0);
    EXPECT_EQ(control.Text(), u"&Campo& principal"_qs);
    control.setHeaderFooterSelect(1);
    EXPECT_EQ(control.Text(), QString());
}

TEST(Areas, RemovingAnAreaDropsItsTextAndTheActivation)
{
    TXTextControl control;
    control.setHeaderFooter(2);
    control.setHeaderFooterSelect(2);
    control.setText(u"logo"_qs);
    control.activateHeaderFooter(2);
    EXPECT_EQ(control.activeHeaderFooter(), 2);
    control.activateHeaderFooter(8);  // absent: ignored
    EXPECT_EQ(control.activeHeaderFooter(), 2);
    control.setHeaderFooter(0);
    EXPECT_EQ(control.activeHeaderFooter(), 0);
    control.setHeaderFooter(2);
    EXPECT_EQ(control.Text(), QString());
}

TEST(Undo, UndoesAndRedoesAnEditAndNotifiesChanges)
{
    TXTextControl control;
    QSignalSpy changes(&control, &TXTextControl::Change);
    control.setText(u"uno"_qs);
    EXPECT_GE(changes.count(), 1);
    control.setSelStart(3);
    control.setSelText(u" dos"_qs);
    EXPECT_EQ(control.Text(), u"uno dos"_qs);
    control.Undo();
    EXPECT_EQ(control.Text(), u"uno"_qs);
    control.Redo();
    EXPECT_EQ(control.Text(), u"uno dos"_qs);

    control.setHeaderFooter(1);
    control.setHeaderFooterSelect(1);
    const int before = changes.count();
    control.setText(u"cabecera"_qs);
    EXPECT_GT(changes.count(), before) << "an edit of an area is a change too";
}

TEST(Undo, LayingOutIsNoChange)
{
    // The layout's format upkeep rewrites paragraph formats; a window
    // nobody typed in must not become modified by being shown.
    TXTextControl control;
    QSignalSpy changes(&control, &TXTextControl::Change);
    ASSERT_GE(control.CurrentPages(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 0);
}

TEST(PageValues, DefaultsOfANewControlAndLoadSaveAttributes)
{
    TXTextControl control;
    EXPECT_EQ(control.PageWidth(), 11906);
    EXPECT_EQ(control.PageHeight(), 16837);
    EXPECT_EQ(control.PageMarginL(), 1440);
    EXPECT_EQ(control.PageMarginB(), 1440);
    const int expected[] = {11906, 16837, 1440, 1440, 1440, 1440};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(control.LoadSaveAttribute(i), expected[i]) << i;
    EXPECT_EQ(control.LoadSaveAttribute(6), 0);
    control.setLoadSaveAttribute(0, 12240);
    EXPECT_EQ(control.LoadSaveAttribute(0), 12240);
    EXPECT_EQ(control.PageWidth(), 11906);
    EXPECT_EQ(control.ZoomFactor(), 100);
    EXPECT_TRUE(control.InsertMode());
    EXPECT_EQ(control.MousePointer(), 0);
    EXPECT_EQ(control.document().main()->defaultFont().family(), u"Arial"_qs);
}
