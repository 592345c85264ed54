// The font dialog over a control: it opens on the selection's format, shows
// what the selection does not share as empty, applies only what the user
// changed as one undo step, and a cancel changes nothing.
#include "textctl/dialogs/fontdialog.h"
#include "dialogtesting.h"
#include "textctl/model/formatprops.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTextCursor>
#include <QTextDocument>

using namespace textctl;
using textctl::testing::field;
using textctl::testing::select;

namespace {

QTextCharFormat charAt(QTextDocument *doc, int position)
{
    QTextCursor probe(doc);
    probe.setPosition(position + 1);
    return probe.charFormat();
}

// "alfa beta gamma" with "beta" bold.
void makeText(TXTextControl &control)
{
    control.setText(u"alfa beta gamma"_qs);
    QTextCursor cursor(control.document().main());
    cursor.setPosition(5);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(bold);
}

}  // namespace

TEST(FontDialog, OpensOnTheSelectionsFormat)
{
    TXTextControl control;
    makeText(control);
    select(control, 5, 9);
    FontDialog shared(control);
    EXPECT_EQ(field<QComboBox>(shared, "style")->currentText(), u"Negrita"_qs);
    EXPECT_EQ(field<QComboBox>(shared, "underline")->currentText(), u"(ninguno)"_qs);
    EXPECT_EQ(field<QCheckBox>(shared, "strikeOut")->checkState(), Qt::Unchecked);
    EXPECT_EQ(shared.changes(), CharacterSettings{});

    select(control, 0, 9);
    FontDialog mixed(control);
    EXPECT_EQ(field<QComboBox>(mixed, "style")->currentIndex(), -1);
    EXPECT_FALSE(field<QComboBox>(mixed, "size")->currentText().isEmpty());
}

TEST(FontDialog, AcceptAppliesOnlyTheChangesAsOneUndoStep)
{
    TXTextControl control;
    makeText(control);
    QTextDocument *doc = control.document().main();
    select(control, 0, 9);  // plain and bold
    FontDialog dialog(control);
    auto *underline = field<QComboBox>(dialog, "underline");
    underline->setCurrentIndex(underline->findText(u"Doble"_qs));
    auto *color = field<QComboBox>(dialog, "color");
    color->setCurrentIndex(color->findText(u"Rojo"_qs));
    field<QCheckBox>(dialog, "superscript")->setCheckState(Qt::Checked);
    dialog.accept();

    for (int position : {0, 6}) {
        const QTextCharFormat format = charAt(doc, position);
        EXPECT_EQ(format.stringProperty(prop::UnderlineKind), u"uldb"_qs) << position;
        EXPECT_EQ(format.foreground().color(), QColor(Qt::red)) << position;
        EXPECT_EQ(format.verticalAlignment(), QTextCharFormat::AlignSuperScript) << position;
    }
    // The style the selection did not share stays as each word had it.
    EXPECT_EQ(charAt(doc, 0).fontWeight(), QFont::Normal);
    EXPECT_EQ(charAt(doc, 6).fontWeight(), QFont::Bold);
    EXPECT_EQ(charAt(doc, 10).underlineStyle(), QTextCharFormat::NoUnderline);

    control.Undo();
    EXPECT_EQ(charAt(doc, 0).underlineStyle(), QTextCharFormat::NoUnderline);
    EXPECT_EQ(charAt(doc, 6).verticalAlignment(), QTextCharFormat::AlignNormal);
    EXPECT_EQ(charAt(doc, 6).fontWeight(), QFont::Bold);
}

TEST(FontDialog, CancelChangesNothing)
{
    TXTextControl control;
    makeText(control);
    select(control, 0, 4);
    QTextDocument *doc = control.document().main();
    const int steps = doc->availableUndoSteps();
    FontDialog dialog(control);
    field<QComboBox>(dialog, "style")->setCurrentIndex(3);
    dialog.reject();
    EXPECT_EQ(doc->availableUndoSteps(), steps);
    EXPECT_FALSE(charAt(doc, 0).fontItalic());
}

TEST(FontDialog, WithoutSelectionTheWordAtTheCaretInTheEditedHeader)
{
    TXTextControl control;
    makeText(control);
    control.setHeaderFooter(1);
    QTextDocument *header = control.document().area(1);
    QTextCursor(header).insertText(u"cabecera fija"_qs);
    control.activateHeaderFooter(1);
    control.setHeaderFooterSelect(1);
    select(control, 3, 3);
    control.setHeaderFooterSelect(0);  // a merge step left the target elsewhere
    FontDialog dialog(control);
    field<QComboBox>(dialog, "style")->setCurrentIndex(1);  // Cursiva
    dialog.accept();
    EXPECT_TRUE(charAt(header, 0).fontItalic());
    EXPECT_FALSE(charAt(header, 10).fontItalic());
    EXPECT_FALSE(charAt(control.document().main(), 0).fontItalic());
}
