#include "tests/frame/framefixture.h"

#include <QMdiArea>

using namespace frame;

TEST_F(FrameTest, GenerationOpensOneWindowPerRecordInOrder)
{
    parent = std::make_unique<MDIParent>(programDir, services, MDIParent::AfterGeneration::StayHidden);
    ASSERT_TRUE(parent->MDIParent_Load());
    parent->show();
    ASSERT_TRUE(parent->generate(programDir + u"/plant/inf01.rtf"_qs));
    EXPECT_FALSE(parent->isVisible()) << "the driver hides the frame and leaves it hidden";
    EXPECT_TRUE(mensajes.shown().isEmpty());
    ASSERT_EQ(editor().upperBound(), 4);
    const QStringList numeros{u"00123"_qs, u"00187"_qs, u"00201"_qs};
    const QStringList titulares{u"María Jesús Fernández Llorente"_qs, u"Asador El Olivar, S.L."_qs, u"José Ángel Núñez Ibáñez"_qs};
    for (int i = 0; i < 3; ++i) {
        MDIchild *child = editor().documentos(i + 2);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->caption(), programDir + u'/' + numeros[i] + u".rtf"_qs);
        const QString text = child->TXTextControl1().Text();
        EXPECT_TRUE(text.contains(u"Expediente nº "_qs + numeros[i])) << i;
        EXPECT_TRUE(text.contains(titulares[i])) << i;
        EXPECT_FALSE(text.contains(u"&Nombre del titular&"_qs)) << i;
        EXPECT_EQ(editor().estados(i + 2).modificado, kVerdadero) << "a merged window counts as modified";
        EXPECT_FALSE(child->TXTextControl1().canUndo()) << "merging leaves no undo step";
        ASSERT_TRUE(child->holder());
        EXPECT_EQ(child->holder()->titular, titulares[i]);
        EXPECT_EQ(child->claimNumber(), numeros[i]);
    }
    EXPECT_EQ(activeWindow(), editor().documentos(4)) << "the last record's window is active";
}

TEST_F(FrameTest, EachMergedWindowPassesTheHolderCheckOfItsOwnRecord)
{
    ASSERT_TRUE(parent->generate(programDir + u"/plant/inf02.rtf"_qs));
    for (int slot = 2; slot <= 4; ++slot) {
        editor().setActiveWindow(editor().documentos(slot));
        EXPECT_TRUE(editor().comprobar_titular()) << slot;
    }
}

TEST_F(FrameTest, AFileThatCannotBeReadFailsBeforeAnyWindowOpens)
{
    struct Row {
        const char *name;
        QString remove;
        QString plantilla;
        QString named;
    };
    const QList<Row> rows{
        {"template", QString(), u"/plant/falta.rtf"_qs, u"falta.rtf"_qs},
        {"claim data", u"/finalprn.txt"_qs, u"/plant/inf01.rtf"_qs, u"finalprn.txt"_qs},
        {"dictionary", u"/finstru.txt"_qs, u"/plant/inf01.rtf"_qs, u"finstru.txt"_qs},
    };
    for (const Row &row : rows) {
        if (!row.remove.isEmpty()) {
            ASSERT_TRUE(QFile::remove(programDir + row.remove));
        }
        mensajes.clear();
        EXPECT_FALSE(parent->generate(programDir + row.plantilla)) << row.name;
        ASSERT_EQ(mensajes.shown().size(), 1) << row.name;
        EXPECT_TRUE(mensajes.shown().at(0).text.contains(row.named)) << mensajes.shown().at(0).text.toStdString();
        EXPECT_EQ(editor().upperBound(), 1) << row.name;
    }
}

TEST_F(FrameTest, ABlankClaimNumberLeavesTheWindowUntitled)
{
    // A dictionary without the claim number's line: the claim number stays blank.
    QFile dictionary(programDir + u"/finstru.txt"_qs);
    ASSERT_TRUE(dictionary.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = dictionary.readAll().split('\n');
    dictionary.close();
    QByteArray kept;
    for (const QByteArray &line : lines)
        if (!line.isEmpty() && line.mid(30, 10).trimmed() != "NUMERO")
            kept += line + '\n';
    ASSERT_TRUE(dictionary.open(QIODevice::WriteOnly | QIODevice::Truncate));
    dictionary.write(kept);
    dictionary.close();

    ASSERT_TRUE(parent->generate(programDir + u"/plant/inf02.rtf"_qs));
    EXPECT_EQ(editor().documentos(2)->caption(), u"Sin Titulo:2"_qs);
    EXPECT_EQ(editor().documentos(4)->caption(), u"Sin Titulo:4"_qs);
}
