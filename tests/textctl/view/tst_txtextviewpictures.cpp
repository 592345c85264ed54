// Pictures placed on the page, in the view on the offscreen platform:
// selected with a click, moved with the mouse and the arrow keys, resized
// by a corner, deleted; each one undo step. And ScrollPosY as it scrolls.
#include "tests/textctl/picturefiles.h"
#include "textctl/model/formatprops.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"
#include "textctl/view/txtextview.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <functional>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

// The shape box (twips on the page) of each fixed picture of the main text.
QList<QRect> boxes(TXTextControl &control)
{
    QList<QRect> found;
    const QTextDocument *doc = control.document().main();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.boolProperty(prop::PictureFixed))
                found.append(QRect(QPoint(format.intProperty(prop::PictureShapeLeft), format.intProperty(prop::PictureShapeTop)),
                                   QPoint(format.intProperty(prop::PictureShapeRight), format.intProperty(prop::PictureShapeBottom))));
        }
    return found;
}

// A shown view at 100 % with a 90 x 60 picture at (1500, 3000) twips on
// page 1, not selected.
struct Fixture {
    explicit Fixture(int paragraphs = 80)
    {
        control.setText((u"Párrafo del informe de peritación.\r\n"_qs).repeated(paragraphs));
        view.resize(900, 700);
        view.show();
        control.CurrentPages();
        QApplication::processEvents();
        const QString png = picturefiles::write(dir.path(), u"p.png"_qs,
                                                picturefiles::encoded(picturefiles::halves({90, 60}, Qt::red, Qt::blue), "PNG"));
        EXPECT_TRUE(control.ObjectInsertFixed(0, png, 1500, 3000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));
        QApplication::processEvents();
    }
    // Viewport point of sheet point (reference pixels) on page 1.
    QPoint at(double x, double y) const { return view.pageRect(1).topLeft() + QPoint(int(x), int(y)); }
    QWidget *viewport() const { return view.viewport(); }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport(), (from + to) / 2);
        QTest::mouseMove(viewport(), to);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, to);
    }

    QTemporaryDir dir;
    TXTextControl control;
    TXTextView view{&control};
};

const QRect kPlaced(QPoint(1500, 3000), QPoint(1500 + 90 * 15, 3000 + 60 * 15));

}  // namespace

TEST(ViewPictures, AClickSelectsThePictureAndAClickElsewhereLetsItGo)
{
    Fixture f;
    EXPECT_EQ(f.view.selectedPicture(), -1);
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.at(100 + 45, 200 + 30));
    EXPECT_GE(f.view.selectedPicture(), 0);
    EXPECT_EQ(f.view.selectedPictureRect(), QRect(f.at(100, 200), QSize(90, 60)));
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.at(400, 600));
    EXPECT_EQ(f.view.selectedPicture(), -1);
}

// Each change is one undo step, and the undo brings back the place.
TEST(ViewPictures, MovedAndResizedWithMouseAndKeysEachOneUndoStep)
{
    const struct {
        const char *name;
        std::function<void(Fixture &)> act;
        QRect expected;
    } rows[] = {
        {"dragged", [](Fixture &f) { f.drag(f.at(130, 220), f.at(160, 235)); }, kPlaced.translated(30 * 15, 15 * 15)},
        {"arrow right", [](Fixture &f) { QTest::keyClick(&f.view, Qt::Key_Right); }, kPlaced.translated(60, 0)},
        {"arrow up", [](Fixture &f) { QTest::keyClick(&f.view, Qt::Key_Up); }, kPlaced.translated(0, -60)},
        {"bottom-right corner", [](Fixture &f) { f.drag(f.at(190, 260), f.at(235, 290)); },
         QRect(kPlaced.topLeft(), QPoint(1500 + 135 * 15, 3000 + 90 * 15))},
        {"top-left corner", [](Fixture &f) { f.drag(f.at(100, 200), f.at(145, 230)); },
         QRect(QPoint(1500 + 45 * 15, 3000 + 30 * 15), kPlaced.bottomRight())},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.at(100 + 45, 200 + 30));
        ASSERT_GE(f.view.selectedPicture(), 0);
        row.act(f);
        const QList<QRect> after = boxes(f.control);
        ASSERT_EQ(after.size(), 1);
        EXPECT_NEAR(after[0].left(), row.expected.left(), 15);
        EXPECT_NEAR(after[0].top(), row.expected.top(), 15);
        EXPECT_NEAR(after[0].right(), row.expected.right(), 15);
        EXPECT_NEAR(after[0].bottom(), row.expected.bottom(), 15);
        f.control.Undo();
        EXPECT_EQ(boxes(f.control), QList<QRect>{kPlaced});
    }
}

TEST(ViewPictures, DeleteAndBackspaceRemoveTheSelectedPictureOneUndoStep)
{
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace}) {
        SCOPED_TRACE(key);
        Fixture f;
        QString text = f.control.Text();
        QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.at(100 + 45, 200 + 30));
        QTest::keyClick(&f.view, key);
        EXPECT_TRUE(boxes(f.control).isEmpty());
        EXPECT_EQ(f.view.selectedPicture(), -1);
        EXPECT_EQ(f.control.Text().remove(QChar::ObjectReplacementCharacter), text.remove(QChar::ObjectReplacementCharacter));
        f.control.Undo();
        EXPECT_EQ(boxes(f.control), QList<QRect>{kPlaced});
    }
}

// ScrollPosY counts a page as its page height, whatever the zoom and the
// gaps between sheets on screen.
TEST(ViewPictures, ScrollPosYIsTwipsFromTheTopOfPageOne)
{
    for (const int zoom : {100, 50, 150}) {
        SCOPED_TRACE(zoom);
        Fixture f(400);
        f.control.setZoomFactor(zoom);
        QApplication::processEvents();
        QScrollBar *bar = f.view.verticalScrollBar();
        bar->setValue(bar->value() + f.view.pageRect(2).top() + int(100 * zoom / 100.0));
        EXPECT_NEAR(f.control.ScrollPosY(), f.control.PageHeight() + 1500, 15 * 100.0 / zoom + 1);
        bar->setValue(0);
        EXPECT_EQ(f.control.ScrollPosY(), 0);
    }
}
