// List kind and list attributes as the menu and the list dialog write them:
// read back from every selected paragraph, kept through an RTF save and
// load, one undo step each.
#include "textctl/editing/listattributes.h"
#include "textctl/model/formatprops.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"
#include "textctl/txtextcontrol.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

QTextCursor selectAll(TXTextControl &control)
{
    QTextCursor cursor = control.cursor();
    cursor.select(QTextCursor::Document);
    control.setCursor(cursor);
    return cursor;
}

QTextCursor caretIn(QTextDocument *doc, int block)
{
    return QTextCursor(doc->findBlockByNumber(block));
}

int attribute(ListKind kind, const QTextCursor &cursor, int index)
{
    return kind == ListKind::Bullets ? bulletAttribute(cursor, index) : numberAttribute(cursor, index);
}

void setAttribute(ListKind kind, const QTextCursor &cursor, int index, int value)
{
    if (kind == ListKind::Bullets)
        setBulletAttribute(cursor, index, value);
    else
        setNumberAttribute(cursor, index, value);
}

// The document as a save and a load give it back.
std::unique_ptr<RichDocument> reloaded(const RichDocument &doc)
{
    auto copy = std::make_unique<RichDocument>();
    EXPECT_TRUE(readRtf(writeRtf(doc), *copy));
    return copy;
}

struct AttributeRow {
    const char *name;
    ListKind kind;
    int index;
    int value;
    int expected;
};

const AttributeRow kAttributeRows[] = {
    {"bulletLevel", ListKind::Bullets, BulletLevel, 3, 3},
    {"bulletPosition", ListKind::Bullets, BulletPosition, 720, 720},
    {"bulletTextPosition", ListKind::Bullets, BulletTextPosition, 1440, 1440},
    {"bulletLevelBelowOne", ListKind::Bullets, BulletLevel, 0, 1},
    {"bulletPositionBelowZero", ListKind::Bullets, BulletPosition, -360, 0},
    {"numberStyleCapitals", ListKind::Numbers, NumberStyle, NumbersCapitals, NumbersCapitals},
    {"numberStyleSmallLetters", ListKind::Numbers, NumberStyle, NumbersSmallLetters, NumbersSmallLetters},
    {"numberStyleRoman", ListKind::Numbers, NumberStyle, NumbersRoman, NumbersRoman},
    {"numberLevel", ListKind::Numbers, NumberLevel, 2, 2},
    {"numberPosition", ListKind::Numbers, NumberPosition, 1080, 1080},
    {"numberTextPosition", ListKind::Numbers, NumberTextPosition, 1800, 1800},
    {"numberTextPositionBelowZero", ListKind::Numbers, NumberTextPosition, -1, 0},
    {"unknownIndexReadsZero", ListKind::Numbers, 7, 99, 0},
};

}  // namespace

TEST(ListAttributes, WrittenToEverySelectedParagraphAndKeptByTheFile)
{
    for (const AttributeRow &row : kAttributeRows) {
        SCOPED_TRACE(row.name);
        TXTextControl control;
        control.setText(u"uno\ndos\ntres"_qs);
        setListKind(selectAll(control), row.kind);
        setAttribute(row.kind, control.cursor(), row.index, row.value);
        QTextDocument *doc = control.document().main();
        for (int block = 0; block < 3; ++block)
            EXPECT_EQ(attribute(row.kind, caretIn(doc, block), row.index), row.expected) << "paragraph " << block;
        const auto copy = reloaded(control.document());
        for (int block = 0; block < 3; ++block) {
            EXPECT_EQ(listKindOf(copy->main()->findBlockByNumber(block)), row.kind);
            EXPECT_EQ(attribute(row.kind, caretIn(copy->main(), block), row.index), row.expected)
                << "paragraph " << block << " after a reload";
        }
    }
}

TEST(ListAttributes, AKindTakesTheAttributesWrittenBeforeIt)
{
    // The menu's numbering styles: the style first, then the kind.
    TXTextControl control;
    control.setText(u"uno\ndos"_qs);
    const QTextCursor all = selectAll(control);
    setNumberAttribute(all, NumberStyle, NumbersSmallLetters);
    EXPECT_EQ(listKindOf(control.document().main()->begin()), ListKind::None);
    setListKind(all, ListKind::Numbers);
    const QTextBlock first = control.document().main()->begin();
    ASSERT_NE(first.textList(), nullptr);
    EXPECT_EQ(first.textList()->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(first.textList(), first.next().textList());
    control.Undo();
    EXPECT_EQ(control.document().main()->begin().textList(), nullptr);
}

TEST(ListAttributes, LevelUpAsTheMenuDoesIt)
{
    TXTextControl control;
    control.setText(u"uno\ndos\ntres"_qs);
    setListKind(selectAll(control), ListKind::Numbers);
    QTextDocument *doc = control.document().main();
    const QTextCursor second = caretIn(doc, 1);
    const int step = numberAttribute(second, NumberTextPosition) - numberAttribute(second, NumberPosition);
    ASSERT_GT(step, 0);
    const int before = doc->availableUndoSteps();
    setNumberAttribute(second, NumberLevel, numberAttribute(second, NumberLevel) + 1);
    setNumberAttribute(second, NumberPosition, numberAttribute(second, NumberPosition) + step);
    setNumberAttribute(second, NumberTextPosition, numberAttribute(second, NumberTextPosition) + step);
    setListKind(second, ListKind::Numbers);

    EXPECT_EQ(numberAttribute(second, NumberLevel), 2);
    EXPECT_EQ(numberAttribute(second, NumberPosition), 360 + step);
    // The deeper paragraph is a list of its own; the others still count 1, 2.
    const QTextBlock third = doc->findBlockByNumber(2);
    EXPECT_NE(doc->findBlockByNumber(1).textList(), third.textList());
    EXPECT_EQ(third.textList()->itemNumber(third), 1);
    EXPECT_EQ(numberAttribute(caretIn(doc, 0), NumberLevel), 1);
    // Both levels are one list of the file, and come back so.
    const auto copy = reloaded(control.document());
    EXPECT_EQ(numberAttribute(caretIn(copy->main(), 1), NumberLevel), 2);
    EXPECT_EQ(numberAttribute(caretIn(copy->main(), 2), NumberLevel), 1);
    const QTextBlockFormat firstFormat = copy->main()->begin().blockFormat();
    EXPECT_EQ(firstFormat.intProperty(prop::ListOverride),
              copy->main()->findBlockByNumber(1).blockFormat().intProperty(prop::ListOverride));

    // Back down: level 1 again, and never below it.
    for (int i = 0; i < 2; ++i) {
        setNumberAttribute(second, NumberLevel, numberAttribute(second, NumberLevel) - 1);
        setListKind(second, ListKind::Numbers);
    }
    EXPECT_EQ(numberAttribute(second, NumberLevel), 1);
    EXPECT_EQ(doc->findBlockByNumber(1).textList(), third.textList());
    EXPECT_GT(doc->availableUndoSteps(), before);
}

TEST(ListAttributes, ApplyIsOneUndoStepAndNoneEndsTheList)
{
    TXTextControl control;
    control.setText(u"uno\ndos"_qs);
    const QTextCursor all = selectAll(control);
    ListAttributes a;
    a.level = 2;
    a.labelPosition = 567;
    a.textPosition = 1134;
    a.bullet = u"-"_qs;
    applyList(all, ListKind::Bullets, a);
    EXPECT_EQ(listAttributes(all, ListKind::Bullets), a);
    const auto copy = reloaded(control.document());
    EXPECT_EQ(listAttributes(caretIn(copy->main(), 1), ListKind::Bullets), a);

    applyList(all, ListKind::None, {});
    const QTextBlock first = control.document().main()->begin();
    EXPECT_EQ(first.textList(), nullptr);
    EXPECT_EQ(first.blockFormat().leftMargin(), 0);
    control.Undo();
    EXPECT_EQ(listAttributes(all, ListKind::Bullets), a);
    control.Undo();
    EXPECT_EQ(control.document().main()->begin().textList(), nullptr);
}

TEST(ListAttributes, StartNumberSurvivesTheFile)
{
    TXTextControl control;
    control.setText(u"uno\ndos"_qs);
    ListAttributes a;
    a.numberStyle = NumbersRoman;
    a.start = 4;
    applyList(selectAll(control), ListKind::Numbers, a);
    const auto copy = reloaded(control.document());
    const ListAttributes back = listAttributes(caretIn(copy->main(), 0), ListKind::Numbers);
    EXPECT_EQ(back.start, 4);
    EXPECT_EQ(back.numberStyle, NumbersRoman);
}

TEST(ListAttributes, WritingChangesOnlyListsOfThatKind)
{
    TXTextControl control;
    control.setText(u"uno\ndos\ntres"_qs);
    QTextDocument *doc = control.document().main();
    setListKind(caretIn(doc, 1), ListKind::Bullets);
    setListKind(caretIn(doc, 2), ListKind::Numbers);
    const QTextCursor all = selectAll(control);
    setBulletAttribute(all, BulletTextPosition, 1440);
    EXPECT_EQ(listKindOf(doc->begin()), ListKind::None);
    EXPECT_EQ(doc->begin().blockFormat().leftMargin(), 0);
    EXPECT_EQ(bulletAttribute(caretIn(doc, 1), BulletTextPosition), 1440);
    EXPECT_EQ(numberAttribute(caretIn(doc, 2), NumberTextPosition), 720);

    // The menu's level step outside any list: nothing changes.
    const QTextCursor plain = caretIn(doc, 0);
    setListKind(plain, listKindOf(doc->begin()));
    EXPECT_EQ(doc->begin().textList(), nullptr);
    EXPECT_EQ(doc->begin().blockFormat().leftMargin(), 0);
}
