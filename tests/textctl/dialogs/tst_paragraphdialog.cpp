// The paragraph dialog over a control: what the selected paragraphs share
// is shown, what they do not is empty and left alone, one undo step.
#include "textctl/dialogs/paragraphdialog.h"
#include "dialogtesting.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTextBlock>
#include <QTextDocument>

using namespace textctl;
using textctl::testing::field;
using textctl::testing::select;

namespace {

// Three paragraphs: the first centred, the others left aligned.
void makeText(TXTextControl &control)
{
    control.setText(u"uno\ndos\ntres"_qs);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCursor(control.document().main()->begin()).mergeBlockFormat(centred);
}

QTextBlockFormat formatOf(TXTextControl &control, int block)
{
    return control.document().main()->findBlockByNumber(block).blockFormat();
}

}  // namespace

TEST(ParagraphDialog, OpensWithWhatTheParagraphsShare)
{
    TXTextControl control;
    makeText(control);
    select(control, 0, 5);
    ParagraphDialog mixed(control);
    EXPECT_EQ(field<QComboBox>(mixed, "alignment")->currentIndex(), -1);
    EXPECT_EQ(field<QComboBox>(mixed, "lineSpacing")->currentText(), u"Sencillo"_qs);
    EXPECT_EQ(field<QCheckBox>(mixed, "widowControl")->checkState(), Qt::Checked);
    EXPECT_EQ(mixed.changes(), ParagraphSettings{});

    select(control, 5, 5);
    ParagraphDialog one(control);
    EXPECT_EQ(field<QComboBox>(one, "alignment")->currentText(), u"Izquierda"_qs);
    // Centimetres with the locale's decimal separator.
    auto *after = field<QDoubleSpinBox>(one, "spaceAfter");
    after->setValue(0.5);
    EXPECT_TRUE(after->text().contains(QLocale().toString(0.5, 'f', 2)));
}

TEST(ParagraphDialog, AcceptAppliesTheChangesToEveryParagraphAsOneUndoStep)
{
    TXTextControl control;
    makeText(control);
    select(control, 0, 6);  // "uno" and "dos"
    ParagraphDialog dialog(control);
    field<QDoubleSpinBox>(dialog, "leftIndent")->setValue(1);
    field<QDoubleSpinBox>(dialog, "spaceAfter")->setValue(2);
    field<QComboBox>(dialog, "lineSpacing")->setCurrentIndex(2);  // Doble
    field<QCheckBox>(dialog, "keepWithNext")->setCheckState(Qt::Checked);
    field<QCheckBox>(dialog, "pageBreakBefore")->setCheckState(Qt::Checked);
    dialog.accept();

    for (int block : {0, 1}) {
        const QTextBlockFormat format = formatOf(control, block);
        EXPECT_EQ(indentToTwips(format.leftMargin()), 567) << block;
        const ParagraphSpacing spacing = paragraphSpacing(format);
        EXPECT_EQ(pixelsToTwips(spacing.after), 1134) << block;
        EXPECT_EQ(spacing.rule, LineRule::Multiple) << block;
        EXPECT_EQ(spacing.line, 200) << block;
        EXPECT_TRUE(format.boolProperty(prop::KeepWithNext)) << block;
        EXPECT_TRUE(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) << block;
    }
    // Alignment was mixed and untouched; the third paragraph was not selected.
    EXPECT_EQ(formatOf(control, 0).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_NE(formatOf(control, 1).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(formatOf(control, 2).boolProperty(prop::KeepWithNext));

    control.Undo();
    for (int block : {0, 1}) {
        EXPECT_EQ(formatOf(control, block).leftMargin(), 0) << block;
        EXPECT_EQ(paragraphSpacing(formatOf(control, block)).rule, LineRule::Single) << block;
        EXPECT_FALSE(formatOf(control, block).boolProperty(prop::KeepWithNext)) << block;
    }
}

TEST(ParagraphDialog, ExactLineHeightAndCancel)
{
    TXTextControl control;
    makeText(control);
    select(control, 5, 5);
    ParagraphDialog exact(control);
    field<QComboBox>(exact, "lineSpacing")->setCurrentIndex(4);  // Exacto
    field<QDoubleSpinBox>(exact, "lineValue")->setValue(1);
    field<QCheckBox>(exact, "widowControl")->setCheckState(Qt::Unchecked);
    exact.accept();
    const ParagraphSpacing spacing = paragraphSpacing(formatOf(control, 1));
    EXPECT_EQ(spacing.rule, LineRule::Exactly);
    EXPECT_EQ(pixelsToTwips(spacing.line), 567);
    EXPECT_FALSE(widowControl(formatOf(control, 1)));

    QTextDocument *doc = control.document().main();
    const int steps = doc->availableUndoSteps();
    ParagraphDialog cancelled(control);
    field<QComboBox>(cancelled, "alignment")->setCurrentIndex(3);
    cancelled.reject();
    EXPECT_EQ(doc->availableUndoSteps(), steps);
    EXPECT_NE(formatOf(control, 1).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
}
