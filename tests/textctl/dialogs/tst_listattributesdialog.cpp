// The list dialog over a control: it opens on the first selected
// paragraph's list and applies kind and attributes as one undo step.
#include "textctl/dialogs/listattributesdialog.h"
#include "dialogtesting.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

using namespace textctl;
using textctl::testing::field;
using textctl::testing::select;

TEST(ListAttributesDialog, MakesANumberedListAsOneUndoStep)
{
    TXTextControl control;
    control.setText(u"uno\ndos\ntres"_qs);
    select(control, 0, 6);
    QTextDocument *doc = control.document().main();
    ListAttributesDialog dialog(control);
    EXPECT_EQ(field<QComboBox>(dialog, "kind")->currentText(), u"Ninguna"_qs);
    auto *kind = field<QComboBox>(dialog, "kind");
    kind->setCurrentIndex(kind->findText(u"Números"_qs));
    auto *style = field<QComboBox>(dialog, "numberStyle");
    style->setCurrentIndex(style->findText(u"a, b, c"_qs));
    field<QSpinBox>(dialog, "start")->setValue(3);
    field<QDoubleSpinBox>(dialog, "textPosition")->setValue(2);
    dialog.accept();

    const QTextBlock first = doc->begin();
    ASSERT_NE(first.textList(), nullptr);
    EXPECT_EQ(first.textList(), first.next().textList());
    EXPECT_EQ(first.next().next().textList(), nullptr);
    const ListAttributes a = listAttributes(QTextCursor(first.next()), ListKind::Numbers);
    EXPECT_EQ(a.numberStyle, NumbersSmallLetters);
    EXPECT_EQ(a.start, 3);
    EXPECT_EQ(a.textPosition, 1134);
    EXPECT_EQ(a.labelPosition, 360);  // untouched

    control.Undo();
    EXPECT_EQ(doc->begin().textList(), nullptr);
}

TEST(ListAttributesDialog, OpensOnABulletListAndTakesItOut)
{
    TXTextControl control;
    control.setText(u"uno\ndos"_qs);
    QTextCursor all(control.document().main());
    all.select(QTextCursor::Document);
    ListAttributes a;
    a.level = 2;
    a.bullet = QString(QChar(0x25AA));
    applyList(all, ListKind::Bullets, a);
    select(control, 4, 4);
    ListAttributesDialog dialog(control);
    EXPECT_EQ(field<QComboBox>(dialog, "kind")->currentText(), u"Viñetas"_qs);
    EXPECT_EQ(field<QComboBox>(dialog, "bullet")->currentText(), QString(QChar(0x25AA)));
    EXPECT_EQ(field<QSpinBox>(dialog, "level")->value(), 2);
    field<QComboBox>(dialog, "kind")->setCurrentIndex(0);
    dialog.accept();
    EXPECT_NE(control.document().main()->begin().textList(), nullptr);
    EXPECT_EQ(control.document().main()->begin().next().textList(), nullptr);
}
