// The spelling check with the real Spanish dictionary: the words looked at,
// the personal list, and the walk over a report with a table, pictures and
// header and footer areas, changed in place as one undo step.

#include "office/spellingdictionary.h"
#include "office/spellingwalk.h"
#include "office/spellingwords.h"
#include "textctl/model/areas.h"
#include "textctl/txtextcontrol.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using office::SpellingAnswer;
using office::SpellingQuestion;

namespace {

QStringList wordsOf(const QString &paragraph)
{
    QStringList words;
    for (const office::WordSpan &span : office::checkedWords(paragraph))
        words.append(paragraph.mid(span.start, span.length));
    return words;
}

TEST(CheckedWords, MarkersAndWordsWithDigitsAreNeverLookedAt)
{
    const struct {
        const char *name;
        QString paragraph;
        QStringList words;
    } rows[] = {
        {"plain", u"El perito llegó"_s, {u"El"_s, u"perito"_s, u"llegó"_s}},
        {"field marker", u"Titular: &Nombre del titular&."_s, {u"Titular"_s}},
        {"section marker", u"&Peritaje,Texto previo& fin"_s, {u"fin"_s}},
        {"two markers", u"&Calle& y &Poblacion&"_s, {u"y"_s}},
        {"lone ampersand", u"Pérez & Hijos"_s, {u"Pérez"_s, u"Hijos"_s}},
        {"digits", u"C/ Mayor 12b, 2ª planta, A-123"_s, {u"C"_s, u"Mayor"_s, u"planta"_s, u"A"_s}},
        {"ordinal sign", u"Nº de póliza, nº 5"_s, {u"de"_s, u"póliza"_s}},
        {"picture", u"foto\uFFFCaquí"_s, {u"foto"_s, u"aquí"_s}},
        {"empty", QString(), {}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(wordsOf(row.paragraph), row.words) << row.name;
}

class Spelling : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(office::SpellingDictionary::defaultDictionaryDir() + u"/es_ES.dic"_s))
            GTEST_SKIP() << "hunspell-es is not installed (es_ES.dic missing in /usr/share/hunspell)";
        ASSERT_TRUE(m_home.isValid());
        m_dictionary = std::make_unique<office::SpellingDictionary>(
            office::SpellingDictionary::defaultDictionaryDir(), personalPath());
        ASSERT_TRUE(m_dictionary->isValid());
    }
    QString personalPath() const { return m_home.filePath(u"datos/palabras.dic"_s); }

    // Answers by word; records what was asked.
    office::SpellingResult check(const QHash<QString, SpellingAnswer> &answers)
    {
        return office::revisar_ortografia(m_control, *m_dictionary, [&](const SpellingQuestion &question) {
            m_asked.append(u"%1@%2"_s.arg(question.word).arg(question.area));
            m_questions.append(question);
            return answers.value(question.word, {SpellingAnswer::Ignore, {}});
        });
    }

    QTemporaryDir m_home;
    std::unique_ptr<office::SpellingDictionary> m_dictionary;
    TXTextControl m_control;
    QStringList m_asked;
    QList<SpellingQuestion> m_questions;
};

TEST_F(Spelling, DictionaryKnowsSpanishAndSuggests)
{
    EXPECT_TRUE(m_dictionary->isCorrect(u"daños"_s));
    EXPECT_TRUE(m_dictionary->isCorrect(u"Cocina"_s));
    EXPECT_FALSE(m_dictionary->isCorrect(u"herror"_s));
    EXPECT_TRUE(m_dictionary->suggestions(u"herror"_s).contains(u"error"_s));
}

TEST_F(Spelling, AddedWordsGoToThePersonalListAndStay)
{
    EXPECT_FALSE(m_dictionary->isCorrect(u"Valdrinés"_s));
    ASSERT_TRUE(m_dictionary->addToPersonal(u"Valdrinés"_s));
    EXPECT_TRUE(m_dictionary->isCorrect(u"Valdrinés"_s));
    const office::SpellingDictionary again(office::SpellingDictionary::defaultDictionaryDir(), personalPath());
    EXPECT_TRUE(again.isCorrect(u"Valdrinés"_s));
}

TEST_F(Spelling, NoDictionaryAsksNothingAndChangesNothing)
{
    const office::SpellingDictionary none(m_home.filePath(u"nada"_s), personalPath());
    EXPECT_FALSE(none.isValid());
    m_control.setText(u"Un herror"_s);
    const int steps = m_control.document().main()->availableUndoSteps();
    bool asked = false;
    const auto result = office::revisar_ortografia(m_control, const_cast<office::SpellingDictionary &>(none),
                                                   [&](const SpellingQuestion &) {
                                                       asked = true;
                                                       return SpellingAnswer{};
                                                   });
    EXPECT_FALSE(asked);
    EXPECT_EQ(result.changed, 0);
    EXPECT_EQ(m_control.Text(), u"Un herror"_s);
    EXPECT_EQ(m_control.document().main()->availableUndoSteps(), steps);
}

// A report as a merge leaves it: a bold misspelt word beside a field
// marker, a table, an inline picture, a header with a picture and an
// italic word, a footer.
class SpellingReport : public Spelling {
protected:
    void SetUp() override
    {
        Spelling::SetUp();
        if (IsSkipped())
            return;
        QTextDocument *main = m_control.document().main();
        QTextCursor cursor(main);
        cursor.insertText(u"Informe del "_s);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(u"peritage"_s, bold);
        cursor.insertText(u" de &Nombre del titular& en la calle Mayor 12b."_s, QTextCharFormat());
        QTextTable *table = cursor.insertTable(2, 2);
        const QStringList cells{u"Cosina"_s, u"daños"_s, u"Baño"_s, u"humedad"_s};
        for (int i = 0; i < 4; ++i)
            table->cellAt(i / 2, i % 2).firstCursorPosition().insertText(cells[i]);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(u"Foto "_s);
        insertPicture(cursor);
        cursor.insertText(u" con herror y otro herror."_s);

        QTextCursor header(m_control.document().ensureArea(textctl::PageHeader));
        header.insertText(u"Cabesera "_s);  // an edit of the header's own history
        insertPicture(header);
        QTextCharFormat italic;
        italic.setFontItalic(true);
        header.insertText(u" oficial"_s, italic);
        m_control.document().ensureArea(textctl::PageFooter)->setPlainText(u"Pie con herror"_s);
        m_mainBefore = main->toRawText();
    }
    static void insertPicture(QTextCursor &cursor)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        cursor.document()->addResource(QTextDocument::ImageResource, QUrl(u"foto"_s), image);
        QTextImageFormat picture;
        picture.setName(u"foto"_s);
        cursor.insertImage(picture);
    }
    static int pictures(const QTextDocument *doc)
    {
        int count = 0;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                count += it.fragment().charFormat().isImageFormat() ? 1 : 0;
        return count;
    }
    // The char format at `text`'s first letter in `doc`.
    static QTextCharFormat formatOf(QTextDocument *doc, const QString &text)
    {
        const int at = int(doc->toRawText().indexOf(text));
        EXPECT_GE(at, 0) << text.toStdString();
        QTextCursor cursor(doc);
        cursor.setPosition(at + 1);
        return cursor.charFormat();
    }
    QTextDocument *header() const { return m_control.document().area(textctl::PageHeader); }
    QTextDocument *footer() const { return m_control.document().area(textctl::PageFooter); }

    const QHash<QString, SpellingAnswer> m_answers{
        {u"peritage"_s, {SpellingAnswer::Change, u"peritaje"_s}},
        {u"Cosina"_s, {SpellingAnswer::Change, u"Cocina"_s}},
        {u"herror"_s, {SpellingAnswer::ChangeAll, u"error"_s}},
        {u"Cabesera"_s, {SpellingAnswer::Change, u"Cabecera"_s}},
    };
    QString m_mainBefore;
};

TEST_F(SpellingReport, WalksMainTextThenAreasAndChangesOnlyTheWords)
{
    const office::SpellingResult result = check(m_answers);

    // "herror" is asked once: "Cambiar todas" answers the rest, the
    // footer's too. Marker words and "12b" are never asked.
    EXPECT_EQ(m_asked, (QStringList{u"peritage@0"_s, u"Cosina@0"_s, u"herror@0"_s, u"Cabesera@1"_s}));
    EXPECT_EQ(result.changed, 6);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(m_questions[0].sentence, u"Informe del peritage de &Nombre del titular& en la calle Mayor 12b."_s);
    EXPECT_EQ(m_questions[0].wordStart, 12);

    QTextDocument *main = m_control.document().main();
    QString expected = m_mainBefore;
    expected.replace(u"peritage"_s, u"peritaje"_s).replace(u"Cosina"_s, u"Cocina"_s).replace(u"herror"_s, u"error"_s);
    EXPECT_EQ(main->toRawText(), expected);
    EXPECT_EQ(formatOf(main, u"peritaje"_s).fontWeight(), QFont::Bold);
    EXPECT_NE(formatOf(main, u" de &Nombre"_s).fontWeight(), QFont::Bold);
    QTextTable *table = QTextCursor(main).currentTable();
    for (QTextBlock block = main->begin(); !table && block.isValid(); block = block.next())
        table = QTextCursor(block).currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(table->cellAt(0, 0).firstCursorPosition().block().text(), u"Cocina"_s);
    EXPECT_EQ(pictures(main), 1);

    EXPECT_EQ(header()->toPlainText(), u"Cabecera \uFFFC oficial"_s);
    EXPECT_EQ(pictures(header()), 1);
    EXPECT_TRUE(formatOf(header(), u"oficial"_s).fontItalic());
    EXPECT_FALSE(formatOf(header(), u"Cabecera"_s).fontItalic());
    EXPECT_EQ(footer()->toPlainText(), u"Pie con error"_s);
}

TEST_F(SpellingReport, OneUndoTakesBackTheWholeCheckAndRedoRedoesIt)
{
    const int stepsBefore = m_control.document().main()->availableUndoSteps();
    check(m_answers);

    m_control.Undo();
    EXPECT_EQ(m_control.document().main()->availableUndoSteps(), stepsBefore);
    EXPECT_EQ(m_control.document().main()->toRawText(), m_mainBefore);
    EXPECT_EQ(header()->toPlainText(), u"Cabesera \uFFFC oficial"_s);
    EXPECT_TRUE(formatOf(header(), u"oficial"_s).fontItalic());
    EXPECT_EQ(footer()->toPlainText(), u"Pie con herror"_s);
    // The header is its own document again, with its own history.
    EXPECT_TRUE(header()->isUndoAvailable());

    m_control.Redo();
    EXPECT_TRUE(m_control.document().main()->toRawText().contains(u"Cocina"_s));
    EXPECT_EQ(header()->toPlainText(), u"Cabecera \uFFFC oficial"_s);
    EXPECT_EQ(footer()->toPlainText(), u"Pie con error"_s);
}

TEST_F(SpellingReport, AnswersThatHoldForTheRestOfTheCheck)
{
    const struct {
        const char *name;
        QHash<QString, SpellingAnswer> answers;
        QStringList asked;
        QString footer;
    } rows[] = {
        {"omitir todas",
         {{u"herror"_s, {SpellingAnswer::IgnoreAll, {}}}},
         {u"peritage@0"_s, u"Cosina@0"_s, u"herror@0"_s, u"Cabesera@1"_s},
         u"Pie con herror"_s},
        {"omitir",
         {},
         {u"peritage@0"_s, u"Cosina@0"_s, u"herror@0"_s, u"herror@0"_s, u"Cabesera@1"_s, u"herror@4"_s},
         u"Pie con herror"_s},
        {"cancelar",
         {{u"peritage"_s, {SpellingAnswer::Change, u"peritaje"_s}}, {u"Cosina"_s, {SpellingAnswer::Cancel, {}}}},
         {u"peritage@0"_s, u"Cosina@0"_s},
         u"Pie con herror"_s},
        {"añadir",
         {{u"herror"_s, {SpellingAnswer::Add, {}}}},
         {u"peritage@0"_s, u"Cosina@0"_s, u"herror@0"_s, u"Cabesera@1"_s},
         u"Pie con herror"_s},
    };
    for (const auto &row : rows) {
        m_control.setText({});
        m_control.document().setHeaderFooterSet(0);
        SetUp();
        m_asked.clear();
        check(row.answers);
        EXPECT_EQ(m_asked, row.asked) << row.name;
        EXPECT_EQ(footer()->toPlainText(), row.footer) << row.name;
    }
    QFile personal(personalPath());
    ASSERT_TRUE(personal.open(QIODevice::ReadOnly));
    EXPECT_EQ(personal.readAll(), "herror\n");
}

TEST_F(SpellingReport, CancelKeepsTheChangesMadeAndTheyUndoAsOne)
{
    const auto result = check({{u"peritage"_s, {SpellingAnswer::Change, u"peritaje"_s}},
                               {u"Cosina"_s, {SpellingAnswer::Change, u"Cocina"_s}},
                               {u"herror"_s, {SpellingAnswer::Cancel, {}}}});
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.changed, 2);
    EXPECT_TRUE(m_control.document().main()->toRawText().contains(u"peritaje"_s));
    m_control.Undo();
    EXPECT_EQ(m_control.document().main()->toRawText(), m_mainBefore);
}

}  // namespace
