#include "commands/insertarimagen.h"

#include "platformui/scripteddialogs.h"
#include "tests/textctl/picturefiles.h"
#include "textctl/model/formatprops.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

// The shape top (twips) and page of each fixed picture of the main text.
QList<std::pair<int, int>> placedTops(TXTextControl &control)
{
    QList<std::pair<int, int>> tops;
    const QTextDocument *doc = control.document().main();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().boolProperty(prop::PictureFixed))
                tops.append({it.fragment().charFormat().intProperty(prop::PictureShapeTop),
                             control.pagination().pageOfPosition(it.fragment().position())});
    return tops;
}

class InsertarImagen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_picture = picturefiles::write(m_dir.path(), u"foto.png"_qs,
                                        picturefiles::encoded(picturefiles::halves({40, 30}, Qt::red, Qt::blue), "PNG"));
        m_control.setText((u"Párrafo del informe\r\n"_qs).repeated(150));
    }
    QTemporaryDir m_dir;
    QString m_picture;
    TXTextControl m_control;
    platform::ScriptedCommonDialog m_dialogo;
    platform::ScriptedMessageBoxes m_mensajes;
};

}  // namespace

TEST_F(InsertarImagen, AsksWithTheDialogSettingsAndPlacesThePictureBelowTheTopOfTheView)
{
    m_dialogo.FileName = u"/tmp/elegido_antes.png"_qs;
    m_dialogo.FilterIndex = 3;
    m_control.setScrollPosY(m_control.PageHeight() + 2500);  // scrolled into page 2
    m_dialogo.chooseNext(m_picture);

    commands::insertar_imagen(m_control, m_dialogo, m_mensajes, 1000, 1000);

    ASSERT_EQ(m_dialogo.openings().size(), 1);
    EXPECT_EQ(m_dialogo.openings()[0].kind, platform::DialogKind::Open);
    const platform::DialogSettings expected{u"Insertar Imagen"_qs, QString(), TXTextControl::ImageFilters(), 1, 6148};
    EXPECT_EQ(m_dialogo.openings()[0].settings, expected);
    EXPECT_TRUE(m_mensajes.shown().isEmpty());
    EXPECT_EQ(placedTops(m_control), (QList<std::pair<int, int>>{{3500, 2}}));
}

TEST_F(InsertarImagen, CancelDoesNothingAndShowsNothing)
{
    const QString before = m_control.Text();
    m_dialogo.cancelNext();
    commands::insertar_imagen(m_control, m_dialogo, m_mensajes, 1000, 1000);
    EXPECT_EQ(m_dialogo.openings().size(), 1);
    EXPECT_TRUE(m_mensajes.shown().isEmpty());
    EXPECT_EQ(m_control.Text(), before);
    EXPECT_TRUE(placedTops(m_control).isEmpty());
}

TEST_F(InsertarImagen, AFileThatIsNoPictureShowsTheErrorWithOnlyOk)
{
    const QString text = picturefiles::write(m_dir.path(), u"carta.txt"_qs, "Estimado cliente:\r\n");
    const QString before = m_control.Text();
    m_dialogo.chooseNext(text);
    commands::insertar_imagen(m_control, m_dialogo, m_mensajes, 1000, 1000);
    ASSERT_EQ(m_mensajes.shown().size(), 1);
    EXPECT_FALSE(m_control.errorString().isEmpty());
    EXPECT_EQ(m_mensajes.shown()[0].text,
              u"No se puede insertar imagen: "_qs + text + u". Error "_qs + m_control.errorString() + u"."_qs);
    EXPECT_EQ(m_mensajes.shown()[0].style, platform::OkOnly);
    EXPECT_EQ(m_control.Text(), before);
}
