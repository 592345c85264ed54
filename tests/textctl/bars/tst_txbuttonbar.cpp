// The format bar: what it shows for the caret or selection, and what its
// commands do to the control's text, each as one undo step.
#include "textctl/bars/txbuttonbar.h"
#include "textctl/txtextcontrol.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontComboBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <memory>

namespace {

void select(TXTextControl &control, int from, int to)
{
    QTextCursor cursor = control.cursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    control.setCursor(cursor);
}

void mergeAt(TXTextControl &control, int from, int to, const QTextCharFormat &format)
{
    QTextCursor cursor(control.document().main());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(format);
}

void alignBlock(TXTextControl &control, int block, Qt::Alignment alignment)
{
    QTextCursor cursor(control.document().main()->findBlockByNumber(block));
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
}

QTextCharFormat charAt(TXTextControl &control, int position)
{
    QTextCursor probe(control.document().main());
    probe.setPosition(position + 1);
    return probe.charFormat();
}

QTextBlock blockAt(TXTextControl &control, int number)
{
    return control.document().main()->findBlockByNumber(number);
}

struct Fixture {
    Fixture()
    {
        control.setText(u"alfa beta\ngamma delta"_qs);
        bar.setControl(&control);
    }

    QAction *action(const char *name) { return bar.findChild<QAction *>(QString::fromLatin1(name)); }
    QComboBox *combo(const char *name) { return bar.findChild<QComboBox *>(QString::fromLatin1(name)); }
    void trigger(const char *name)
    {
        QAction *a = action(name);
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    QStringList checked()
    {
        QStringList names;
        for (const char *name : {"bold", "italic", "underline", "alignLeft", "alignCentre", "alignRight",
                                 "justify", "bullets", "numbering"}) {
            if (action(name)->isChecked())
                names.append(QString::fromLatin1(name));
        }
        return names;
    }

    TXTextControl control;
    TXButtonBar bar;
};

QTextCharFormat boldFormat()
{
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    return f;
}

QTextCharFormat italicUnderlined()
{
    QTextCharFormat f;
    f.setFontItalic(true);
    f.setFontUnderline(true);
    return f;
}

QTextCharFormat courier14()
{
    QTextCharFormat f;
    f.setFontFamilies({u"Courier New"_qs});
    f.setFontPointSize(14);
    return f;
}

struct SyncRow {
    const char *name;
    int formatFrom, formatTo;
    QTextCharFormat (*format)();
    int centredBlock;  // -1: none
    int selectFrom, selectTo;
    QString family;
    QString size;
    QStringList checked;
};

const SyncRow kSyncRows[] = {
    {"caret_in_bold", 0, 4, boldFormat, -1, 2, 2, u"Arial"_qs, u"12"_qs, {u"bold"_qs, u"alignLeft"_qs}},
    {"all_bold_selection", 0, 4, boldFormat, -1, 1, 3, u"Arial"_qs, u"12"_qs, {u"bold"_qs, u"alignLeft"_qs}},
    {"mixed_bold_shows_off", 0, 4, boldFormat, -1, 2, 7, u"Arial"_qs, u"12"_qs, {u"alignLeft"_qs}},
    {"italic_underline", 5, 9, italicUnderlined, 0, 6, 6, u"Arial"_qs, u"12"_qs,
     {u"italic"_qs, u"underline"_qs, u"alignCentre"_qs}},
    {"family_and_size", 0, 4, courier14, -1, 0, 4, u"Courier New"_qs, u"14"_qs, {u"alignLeft"_qs}},
    {"mixed_family_and_size", 0, 4, courier14, -1, 0, 6, QString(), QString(), {u"alignLeft"_qs}},
    {"mixed_alignment", 0, 0, boldFormat, 1, 2, 13, u"Arial"_qs, u"12"_qs, {}},
};

}  // namespace

TEST(ButtonBarSync, ShowsTheFormatAtTheCaretOrTheCommonFormatOfTheSelection)
{
    for (const SyncRow &row : kSyncRows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        mergeAt(f.control, row.formatFrom, row.formatTo, row.format());
        if (row.centredBlock >= 0)
            alignBlock(f.control, row.centredBlock, Qt::AlignHCenter);
        select(f.control, row.selectFrom, row.selectTo);
        f.bar.refresh();
        EXPECT_EQ(f.combo("family")->currentText(), row.family);
        EXPECT_EQ(f.combo("size")->currentText(), row.size);
        EXPECT_EQ(f.checked(), row.checked);
    }
}

TEST(ButtonBarSync, FollowsTheCaretThroughTheEventLoop)
{
    Fixture f;
    mergeAt(f.control, 0, 4, boldFormat());
    f.control.setSelStart(2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.action("bold")->isChecked());
    f.control.setSelStart(7);
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.action("bold")->isChecked());
}

TEST(ButtonBarCommands, BoldOnASelectionIsOneUndoStep)
{
    Fixture f;
    select(f.control, 1, 3);
    f.trigger("bold");
    EXPECT_EQ(charAt(f.control, 0).fontWeight(), QFont::Normal);
    EXPECT_EQ(charAt(f.control, 1).fontWeight(), QFont::Bold);
    EXPECT_EQ(charAt(f.control, 2).fontWeight(), QFont::Bold);
    EXPECT_EQ(charAt(f.control, 3).fontWeight(), QFont::Normal);
    EXPECT_TRUE(f.action("bold")->isChecked());

    f.trigger("bold");  // off again
    EXPECT_EQ(charAt(f.control, 1).fontWeight(), QFont::Normal);
    f.control.Undo();
    EXPECT_EQ(charAt(f.control, 1).fontWeight(), QFont::Bold);
    f.control.Undo();
    EXPECT_EQ(charAt(f.control, 1).fontWeight(), QFont::Normal);
    EXPECT_EQ(charAt(f.control, 2).fontWeight(), QFont::Normal);
}

TEST(ButtonBarCommands, AMixedSelectionTurnsOnForAll)
{
    Fixture f;
    mergeAt(f.control, 0, 2, boldFormat());
    select(f.control, 0, 4);
    f.bar.refresh();
    f.trigger("bold");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(charAt(f.control, i).fontWeight(), QFont::Bold) << i;
}

TEST(ButtonBarCommands, WithoutASelectionTheWordAtTheCaretTakesTheFormat)
{
    Fixture f;
    f.control.setSelStart(7);  // inside "beta"
    f.trigger("italic");
    EXPECT_FALSE(charAt(f.control, 4).fontItalic()) << "the space before the word";
    for (int i = 5; i < 9; ++i)
        EXPECT_TRUE(charAt(f.control, i).fontItalic()) << i;
    EXPECT_EQ(f.control.SelLength(), 0) << "the caret stays a caret";
    EXPECT_TRUE(f.action("italic")->isChecked());

    // At a word's edge only what is typed next changes.
    f.control.setSelStart(4);
    f.trigger("underline");
    EXPECT_FALSE(charAt(f.control, 3).fontUnderline());
    EXPECT_FALSE(charAt(f.control, 5).fontUnderline());
    f.control.setSelText(u"X"_qs);
    EXPECT_TRUE(charAt(f.control, 4).fontUnderline());
}

TEST(ButtonBarCommands, FamilyAndSizeComeFromTheCombos)
{
    Fixture f;
    select(f.control, 0, 4);
    emit f.combo("size")->textActivated(u"10,5"_qs);
    EXPECT_DOUBLE_EQ(charAt(f.control, 0).fontPointSize(), 10.5);
    emit f.combo("family")->textActivated(u"Times New Roman"_qs);
    EXPECT_EQ(charAt(f.control, 3).fontFamilies().toStringList(), QStringList{u"Times New Roman"_qs});
    EXPECT_FALSE(charAt(f.control, 4).hasProperty(QTextFormat::FontFamilies));
    EXPECT_EQ(f.combo("family")->currentText(), u"Times New Roman"_qs);

    emit f.combo("size")->textActivated(u"grande"_qs);  // not a size: nothing happens
    EXPECT_DOUBLE_EQ(charAt(f.control, 0).fontPointSize(), 10.5);
    EXPECT_EQ(f.combo("size")->currentText(), u"10.5"_qs);
}

TEST(ButtonBarCommands, AlignmentIsExclusiveAndAppliesToEverySelectedParagraph)
{
    Fixture f;
    select(f.control, 2, 12);
    f.trigger("alignCentre");
    EXPECT_EQ(blockAt(f.control, 0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(blockAt(f.control, 1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(f.checked(), QStringList{u"alignCentre"_qs});

    f.trigger("justify");
    EXPECT_EQ(blockAt(f.control, 1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(f.checked(), QStringList{u"justify"_qs});

    f.trigger("alignRight");
    f.trigger("alignRight");  // a second press keeps it
    EXPECT_EQ(f.checked(), QStringList{u"alignRight"_qs});
    f.trigger("alignLeft");
    f.control.Undo();
    EXPECT_EQ(blockAt(f.control, 0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(blockAt(f.control, 1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST(ButtonBarCommands, ListTogglesCreateAndRemoveOneList)
{
    Fixture f;
    select(f.control, 2, 12);
    f.trigger("bullets");
    QTextList *list = blockAt(f.control, 0).textList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(blockAt(f.control, 1).textList(), list) << "both paragraphs in one list";
    EXPECT_EQ(list->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(f.checked(), (QStringList{u"alignLeft"_qs, u"bullets"_qs}));

    f.trigger("numbering");  // bullets become numbers
    ASSERT_NE(blockAt(f.control, 0).textList(), nullptr);
    EXPECT_EQ(blockAt(f.control, 0).textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(blockAt(f.control, 1).textList(), blockAt(f.control, 0).textList());
    EXPECT_EQ(f.checked(), (QStringList{u"alignLeft"_qs, u"numbering"_qs}));

    f.trigger("numbering");  // and off
    EXPECT_EQ(blockAt(f.control, 0).textList(), nullptr);
    EXPECT_EQ(blockAt(f.control, 1).textList(), nullptr);
    EXPECT_EQ(blockAt(f.control, 0).blockFormat().leftMargin(), 0);
    EXPECT_EQ(f.checked(), QStringList{u"alignLeft"_qs});

    f.control.Undo();
    ASSERT_NE(blockAt(f.control, 0).textList(), nullptr);
    EXPECT_EQ(blockAt(f.control, 0).textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(blockAt(f.control, 1).textList(), blockAt(f.control, 0).textList());
    f.control.Undo();
    f.control.Undo();
    EXPECT_EQ(blockAt(f.control, 0).textList(), nullptr);
    EXPECT_EQ(blockAt(f.control, 0).blockFormat().leftMargin(), 0);
}

TEST(ButtonBarLink, ToolTipsAreSpanish)
{
    Fixture f;
    QStringList tips;
    for (QAction *action : f.bar.actions()) {
        if (action->isCheckable())
            tips.append(action->toolTip());
    }
    EXPECT_EQ(tips, (QStringList{u"Negrita"_qs, u"Cursiva"_qs, u"Subrayado"_qs, u"Alinear a la izquierda"_qs,
                                 u"Centrar"_qs, u"Alinear a la derecha"_qs, u"Justificar"_qs, u"Viñetas"_qs,
                                 u"Numeración"_qs}));
    EXPECT_EQ(f.combo("family")->toolTip(), u"Fuente"_qs);
    EXPECT_EQ(f.combo("size")->toolTip(), u"Tamaño"_qs);
}

TEST(ButtonBarLink, RelinksToAnotherControlAndSurvivesItsDestruction)
{
    TXButtonBar bar;
    auto first = std::make_unique<TXTextControl>();
    auto second = std::make_unique<TXTextControl>();
    first->setText(u"uno"_qs);
    second->setText(u"dos"_qs);
    mergeAt(*second, 0, 3, boldFormat());
    QAction *bold = bar.findChild<QAction *>(u"bold"_qs);
    bar.setControl(first.get());
    EXPECT_FALSE(bold->isChecked());
    bar.setControl(second.get());
    EXPECT_TRUE(bold->isChecked());

    // The first control no longer drives the bar.
    first->setSelStart(1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(bold->isChecked());

    second.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.control(), nullptr);
    EXPECT_FALSE(bold->isEnabled());
    bold->trigger();  // nothing to act on, nothing breaks
    bar.setControl(nullptr);
    EXPECT_FALSE(bold->isChecked());
}
