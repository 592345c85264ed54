// The spelling underline of the page view, with a checker that knows one
// wrong word: marks found when the view checks, kept in step with edits,
// drawn wavy and red on screen and never on a printed page.

#include "textctl/model/areas.h"
#include "textctl/txtextcontrol.h"
#include "textctl/view/spellmarks.h"
#include "textctl/view/txtextview.h"

#include <QApplication>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QList<std::pair<int, int>> wrongWords(const QString &paragraph)
{
    QList<std::pair<int, int>> spans;
    for (qsizetype at = paragraph.indexOf(u"herror"_s); at >= 0; at = paragraph.indexOf(u"herror"_s, at + 1))
        spans.append({int(at), 6});
    return spans;
}

// The marked text of each mark of `doc`.
QStringList marked(const SpellMarks &marks, const QTextDocument *doc)
{
    QStringList words;
    for (const auto &selection : marks.selections(doc))
        words.append(selection.cursor.selectedText());
    return words;
}

int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 180 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
        }
    return count;
}

struct Fixture {
    Fixture()
    {
        control.setText(u"Un herror aquí.\nTodo bien."_s);
        control.setSelStart(0);
        view.resize(900, 700);
        view.show();
        control.CurrentPages();
        view.spellMarks().setChecker(wrongWords);
        QApplication::processEvents();
    }
    TXTextControl control;
    TXTextView view{&control};
};

TEST(SpellMarks, WordsAreMarkedWhenTheViewChecksAndFollowEdits)
{
    Fixture f;
    QTextDocument *main = f.control.document().main();
    f.view.checkSpelling();
    ASSERT_EQ(marked(f.view.spellMarks(), main), QStringList{u"herror"_s});
    const auto format = f.view.spellMarks().selections(main).first().format;
    EXPECT_EQ(format.underlineStyle(), QTextCharFormat::SpellCheckUnderline);
    EXPECT_EQ(format.underlineColor(), QColor(Qt::red));

    // An edit before the word moves its mark; the new wrong word is marked
    // at the next check, not while typing.
    QTextCursor typing(main);
    typing.insertText(u"Otro herror. "_s);
    EXPECT_EQ(marked(f.view.spellMarks(), main), QStringList{u"herror"_s});
    f.view.checkSpelling();
    EXPECT_EQ(marked(f.view.spellMarks(), main), (QStringList{u"herror"_s, u"herror"_s}));
    EXPECT_EQ(f.view.spellMarks().selections(main).first().cursor.selectionStart(), 5);

    // A corrected word loses its mark.
    QTextCursor fix(main);
    fix.setPosition(5);
    fix.setPosition(11, QTextCursor::KeepAnchor);
    fix.insertText(u"error"_s);
    f.view.checkSpelling();
    EXPECT_EQ(marked(f.view.spellMarks(), main), QStringList{u"herror"_s});

    // Headers and footers are checked too.
    f.control.document().ensureArea(textctl::PageFooter)->setPlainText(u"Pie herror"_s);
    f.view.checkSpelling();
    EXPECT_EQ(marked(f.view.spellMarks(), f.control.document().area(textctl::PageFooter)),
              QStringList{u"herror"_s});

    f.view.spellMarks().setChecker({});
    EXPECT_TRUE(f.view.spellMarks().selections(main).isEmpty());
}

TEST(SpellMarks, UnderlineShowsOnScreenAndNeverOnThePrintedPage)
{
    Fixture f;
    f.view.checkSpelling();
    QApplication::processEvents();
    EXPECT_GT(redPixels(f.view.viewport()->grab().toImage()), 5);

    QImage printed(800, 1100, QImage::Format_RGB32);
    printed.fill(Qt::white);
    f.control.setPrintDevice(&printed);
    ASSERT_TRUE(f.control.PrintPage(1));
    f.control.endPrint();
    EXPECT_EQ(redPixels(printed), 0);

    f.view.spellMarks().setChecker({});
    QApplication::processEvents();
    EXPECT_EQ(redPixels(f.view.viewport()->grab().toImage()), 0);
}

TEST(SpellMarks, TheWordUnderTheMouseIsTheMarkedOne)
{
    Fixture f;
    f.view.checkSpelling();
    const QTextCursor mark = f.view.spellMarks().selections(f.control.document().main()).first().cursor;
    const QTextCursor at = f.view.spellMarks().wordAt(f.control.document().main(), 5);
    EXPECT_EQ(at.selectedText(), u"herror"_s);
    EXPECT_EQ(at.selectionStart(), mark.selectionStart());
    EXPECT_TRUE(f.view.spellMarks().wordAt(f.control.document().main(), 12).isNull());
}

}  // namespace
