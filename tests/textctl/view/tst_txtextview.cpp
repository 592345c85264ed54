// The page view on the offscreen platform: keys, mouse, areas, shortcuts,
// zoom and what it paints.
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"
#include "textctl/view/txtextview.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {

// A control with a shown view of 900 x 700, laid out, every page found
// (as idle time finds them).
struct Fixture {
    explicit Fixture(const QString &text)
    {
        control.setText(text);
        control.setSelStart(0);
        view.resize(900, 700);
        view.show();
        control.CurrentPages();
        QApplication::processEvents();
    }
    // A viewport point at sheet coordinates (reference pixels) of a page.
    QPoint at(int page, double x, double y) const
    {
        const QRect sheet = view.pageRect(page);
        const double scale = control.ZoomFactor() / 100.0;
        return sheet.topLeft() + QPoint(int(x * scale), int(y * scale));
    }

    TXTextControl control;
    TXTextView view{&control};
};

bool shortcutAccepted(QWidget *widget, int key, Qt::KeyboardModifiers mods, const QString &text)
{
    QKeyEvent event(QEvent::ShortcutOverride, key, mods, text);
    event.ignore();
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

}  // namespace

TEST(TXTextView, TypingInsertsAtTheCaretAndRaisesChange)
{
    Fixture f(u"abc"_qs);
    f.control.setSelStart(1);
    QSignalSpy changed(&f.control, &TXTextControl::Change);
    QTest::keyClicks(&f.view, u"xy"_qs);
    EXPECT_EQ(f.control.Text(), u"axybc"_qs);
    EXPECT_EQ(f.control.SelStart(), 3);
    EXPECT_GE(changed.count(), 2);
    f.control.Undo();
    f.control.Undo();
    EXPECT_EQ(f.control.Text(), u"abc"_qs);
}

TEST(TXTextView, KeysMoveAndSelect)
{
    Fixture f(u"uno dos tres\ncuatro"_qs);
    QTest::keyClick(&f.view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(f.control.SelStart(), 0);
    EXPECT_EQ(f.control.SelLength(), 1);
    QTest::keyClick(&f.view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(f.control.SelStart(), 4);
    EXPECT_EQ(f.control.SelLength(), 0);
    QTest::keyClick(&f.view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(f.control.SelText(), u"dos tres"_qs);
    QTest::keyClick(&f.view, Qt::Key_Down);
    EXPECT_GT(f.control.SelStart(), 13);
    QTest::keyClick(&f.view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(f.control.SelStart(), 0);
    QTest::keyClick(&f.view, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.control.SelLength(), f.control.Text().size());
}

TEST(TXTextView, OverwriteModeReplacesAndInsertToggles)
{
    Fixture f(u"abc"_qs);
    ASSERT_TRUE(f.control.InsertMode());
    QTest::keyClick(&f.view, Qt::Key_Insert);
    EXPECT_FALSE(f.control.InsertMode());
    QTest::keyClicks(&f.view, u"XY"_qs);
    EXPECT_EQ(f.control.Text(), u"XYc"_qs);
    QTest::keyClick(&f.view, Qt::Key_Insert);
    EXPECT_TRUE(f.control.InsertMode());
    QTest::keyClick(&f.view, 'Z');
    EXPECT_EQ(f.control.Text(), u"XYZc"_qs);
}

TEST(TXTextView, EnterBackspaceAndDelete)
{
    Fixture f(u"unodos"_qs);
    f.control.setSelStart(3);
    QTest::keyClick(&f.view, Qt::Key_Return);
    EXPECT_EQ(f.control.Text(), u"uno\ndos"_qs);
    QTest::keyClick(&f.view, Qt::Key_Backspace);
    EXPECT_EQ(f.control.Text(), u"unodos"_qs);
    QTest::keyClick(&f.view, Qt::Key_Delete);
    EXPECT_EQ(f.control.Text(), u"unoos"_qs);
    QTest::keyClick(&f.view, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(f.control.document().main()->blockCount(), 1);
    QTest::keyClick(&f.view, Qt::Key_Tab);
    EXPECT_TRUE(f.control.Text().contains(u'\t'));
}

TEST(TXTextView, TabInATableGoesToTheNextCellAndAddsARowAfterTheLast)
{
    Fixture f(u"Antes"_qs);
    f.control.setSelStart(5);
    const int id = f.control.TableInsert(1, 2, -1, 11);
    QTest::keyClick(&f.view, Qt::Key_Tab);
    EXPECT_EQ(f.control.TableColAtInputPos(), 2);
    QTest::keyClick(&f.view, Qt::Key_Tab);
    EXPECT_EQ(f.control.TableRows(id), 2);
    EXPECT_EQ(f.control.TableRowAtInputPos(), 2);
    EXPECT_EQ(f.control.TableColAtInputPos(), 1);
    EXPECT_FALSE(f.control.Text().contains(u'\t'));
}

TEST(TXTextView, BackspaceAtACellStartDoesNothing)
{
    Fixture f(u"Antes"_qs);
    QTextCursor cursor(f.control.document().main());
    cursor.movePosition(QTextCursor::End);
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"uno"_qs);
    table->cellAt(0, 1).firstCursorPosition().insertText(u"dos"_qs);
    f.control.setSelStart(table->cellAt(0, 1).firstPosition());
    const QString before = f.control.Text();
    QTest::keyClick(&f.view, Qt::Key_Backspace);
    EXPECT_EQ(f.control.Text(), before);
    f.control.setSelStart(table->cellAt(0, 0).lastPosition());
    QTest::keyClick(&f.view, Qt::Key_Delete);
    EXPECT_EQ(f.control.Text(), before);
}

TEST(TXTextView, ClickOnPageTwoPlacesTheCaretInItsText)
{
    Fixture f(u"Uno\fDos"_qs);
    ASSERT_EQ(f.view.pageCount(), 2);
    QScrollBar *bar = f.view.verticalScrollBar();
    bar->setValue(bar->value() + f.view.pageRect(2).top() - 20);
    const QPoint point = f.at(2, 96 + 40, 96 + 8);  // inside "Dos"
    ASSERT_TRUE(f.view.viewport()->rect().contains(point));
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, point);
    EXPECT_GE(f.control.SelStart(), 4);
    EXPECT_LE(f.control.SelStart(), 7);
    // Shift-click extends from there to page 2's start.
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, Qt::ShiftModifier, f.at(2, 96, 96 + 8));
    EXPECT_EQ(f.control.SelStart(), 4);
    EXPECT_GT(f.control.SelLength(), 0);
}

TEST(TXTextView, DraggingSelectsUntilTheButtonIsReleased)
{
    Fixture f(u"informe pericial de daños"_qs);
    QWidget *viewport = f.view.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, f.at(1, 96, 96 + 8));
    EXPECT_EQ(f.control.SelStart(), 0);
    QTest::mouseMove(viewport, f.at(1, 96 + 80, 96 + 8));
    const int dragged = f.control.SelLength();
    EXPECT_GT(dragged, 7);  // past "informe"
    QTest::mouseMove(viewport, f.at(1, 96 + 150, 96 + 8));
    EXPECT_GT(f.control.SelLength(), dragged);
    EXPECT_EQ(f.control.SelStart(), 0);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, f.at(1, 96 + 150, 96 + 8));
    const int released = f.control.SelLength();
    // Moving without the button leaves the selection alone.
    QTest::mouseMove(viewport, f.at(1, 96 + 20, 96 + 8));
    EXPECT_EQ(f.control.SelLength(), released);
    EXPECT_TRUE(f.control.SelText().startsWith(u"informe pericial"_qs)) << f.control.SelText().toStdString();
}

TEST(TXTextView, InputMethodsComposeAtTheCaret)
{
    struct Row {
        const char *name;
        QString preedit;
        QString commit;
        int replaceFrom;
        int replaceLength;
        QString text;
    };
    const Row rows[] = {
        {"text being composed stays out of the document", u"~"_qs, QString(), 0, 0, u"dano"_qs},
        {"a committed character goes in", QString(), u"ñ"_qs, 0, 0, u"danño"_qs},
        {"a commit replaces the character before the caret", QString(), u"ñ"_qs, -1, 1, u"daño"_qs},
        {"an empty commit with a replacement deletes", QString(), QString(), -1, 1, u"dao"_qs},
    };
    for (const Row &row : rows) {
        Fixture f(u"dano"_qs);
        f.control.setSelStart(3);
        QSignalSpy changes(&f.control, &TXTextControl::Change);
        QInputMethodEvent event(row.preedit, {});
        if (!row.commit.isEmpty() || row.replaceLength > 0)
            event.setCommitString(row.commit, row.replaceFrom, row.replaceLength);
        QApplication::sendEvent(&f.view, &event);
        EXPECT_TRUE(event.isAccepted()) << row.name;
        EXPECT_EQ(f.control.Text(), row.text) << row.name;
        EXPECT_EQ(changes.isEmpty(), row.text == u"dano"_qs) << row.name;
    }
}

TEST(TXTextView, DoubleClickSelectsAWord)
{
    Fixture f(u"informe pericial"_qs);
    QTest::mouseDClick(f.view.viewport(), Qt::LeftButton, {}, f.at(1, 96 + 80, 96 + 8));
    EXPECT_EQ(f.control.SelText(), u"pericial"_qs);
}

TEST(TXTextView, DoubleClickInTheHeaderEditsIt)
{
    Fixture f(u"Cuerpo"_qs);
    f.control.setHeaderFooter(1 + 4);
    QApplication::processEvents();
    // Between headerY (48 px) and the top margin (96 px).
    QTest::mouseDClick(f.view.viewport(), Qt::LeftButton, {}, f.at(1, 120, 56));
    EXPECT_EQ(f.control.activeHeaderFooter(), 1);
    QTest::keyClicks(&f.view, u"Cabecera"_qs);
    EXPECT_EQ(f.control.HeaderFooterSelect(), 1);
    EXPECT_EQ(f.control.Text(), u"Cabecera"_qs);
    // A click in the body returns to the main text.
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.at(1, 96 + 200, 96 + 8));
    EXPECT_EQ(f.control.activeHeaderFooter(), 0);
    EXPECT_EQ(f.control.Text(), u"Cuerpo"_qs);
    EXPECT_EQ(f.control.SelStart(), 6);
}

TEST(TXTextView, MenusKeepTheirCtrlShortcuts)
{
    Fixture f(u"abc"_qs);
    const char letters[] = "CAGISN";
    for (char letter : letters) {
        if (!letter)
            break;
        EXPECT_FALSE(shortcutAccepted(&f.view, Qt::Key_A + (letter - 'A'), Qt::ControlModifier,
                                      QString(QChar(letter - 'A' + 1))))
            << letter;
    }
    EXPECT_TRUE(shortcutAccepted(&f.view, Qt::Key_Left, Qt::NoModifier, {}));
    EXPECT_TRUE(shortcutAccepted(&f.view, Qt::Key_Delete, Qt::NoModifier, {}));
    EXPECT_TRUE(shortcutAccepted(&f.view, Qt::Key_X, Qt::NoModifier, u"x"_qs));
    EXPECT_FALSE(shortcutAccepted(&f.view, Qt::Key_Escape, Qt::NoModifier, {}));
    EXPECT_FALSE(shortcutAccepted(&f.view, Qt::Key_F3, Qt::NoModifier, {}));
    EXPECT_FALSE(shortcutAccepted(&f.view, Qt::Key_Delete, Qt::ShiftModifier, {}));
    // A Ctrl+letter that reaches the view types nothing.
    QTest::keyClick(&f.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(f.control.Text(), u"abc"_qs);
}

TEST(TXTextView, RightButtonAsksForTheContextMenu)
{
    Fixture f(u"abc"_qs);
    QSignalSpy asked(&f.view, &TXTextView::contextMenuRequested);
    QTest::mouseClick(f.view.viewport(), Qt::RightButton, {}, f.at(1, 120, 120));
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.at(0).at(0).toPoint(), f.view.viewport()->mapToGlobal(f.at(1, 120, 120)));
}

TEST(TXTextView, ZoomScalesTheDocument)
{
    Fixture f(u"abc"_qs);
    const int width100 = f.view.pageRect(1).width();
    const int range100 = f.view.horizontalScrollBar()->maximum();
    f.control.setZoomFactor(200);
    QApplication::processEvents();
    EXPECT_NEAR(f.view.pageRect(1).width(), 2 * width100, 2);
    EXPECT_NEAR(f.view.documentSize().width() - 32, 2 * (width100), 3);
    EXPECT_GT(f.view.horizontalScrollBar()->maximum(), range100);
}

TEST(TXTextView, CaretStaysVisible)
{
    QStringList lines;
    for (int i = 0; i < 120; ++i)
        lines.append(QStringLiteral("Línea %1").arg(i));
    Fixture f(lines.join(u'\n'));
    ASSERT_GE(f.view.pageCount(), 2);
    QTest::keyClick(&f.view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_GT(f.view.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(f.view.viewport()->rect().contains(f.view.caretRect()));
    QTest::keyClick(&f.view, Qt::Key_PageUp);
    EXPECT_LT(f.control.SelStart(), f.control.Text().size());
    EXPECT_TRUE(f.view.viewport()->rect().contains(f.view.caretRect()));
}

TEST(TXTextView, AKeyOnPageOneLeavesThePagesAfterItAlone)
{
    Fixture f(u"Una página de un informe largo con texto.\n"_qs.repeated(20).append(u'\f').repeated(60));
    textctl::Pagination &pagination = f.control.pagination();
    const int pages = pagination.pageCount();
    ASSERT_GE(pages, 60);
    f.control.setSelStart(10);
    QApplication::processEvents();
    const qint64 before = pagination.unitsPaginated();
    QTest::keyClick(&f.view, Qt::Key_A);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    // The page edited, the one before and the one after: about 60 lines,
    // where finding every page again would look at 1,200.
    EXPECT_LT(pagination.unitsPaginated() - before, 100);
    EXPECT_TRUE(pagination.isComplete());
    EXPECT_EQ(pagination.knownPageCount(), pages);
}

TEST(TXTextView, PaintsWhiteSheetsOnGrey)
{
    Fixture f(u"abc"_qs);
    const QImage image = f.view.viewport()->grab().toImage();
    const QRect sheet = f.view.pageRect(1);
    ASSERT_TRUE(f.view.viewport()->rect().contains(sheet.topLeft() + QPoint(10, 10)));
    const QRgb outside = image.pixel(sheet.left() - 8, sheet.top() + 50);
    const QRgb inside = image.pixel(sheet.left() + 20, sheet.top() + 20);
    EXPECT_EQ(qGray(inside), 255);
    EXPECT_LT(qGray(outside), 200);
    EXPECT_GT(qGray(outside), 50);
    EXPECT_EQ(qRed(outside), qBlue(outside));
}
