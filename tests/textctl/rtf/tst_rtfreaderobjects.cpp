// The RTF reader's objects and document parts: pictures and shapes, live
// fields and other fields, bookmarks, footnotes, lists, header and footer
// areas, kept groups, and insertion at a cursor.

#include "tests/textctl/rtf/rtfreadertesting.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/plaintext.h"
#include "textctl/rtf/rtfwriter.h"

#include <QBuffer>
#include <QImage>
#include <QTextList>
#include <QUrl>

using namespace textctl;
using namespace textctl::testing;

namespace {

QByteArray imageBytes(const char *format, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The image formats of a text, in order.
QList<QTextImageFormat> imagesOf(const QTextDocument *doc)
{
    QList<QTextImageFormat> images;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images.append(it.fragment().charFormat().toImageFormat());
        }
    }
    return images;
}

QList<QTextCharFormat> objectsOf(const QTextDocument *doc, int type)
{
    QList<QTextCharFormat> objects;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().objectType() == type)
                objects.append(it.fragment().charFormat());
        }
    }
    return objects;
}

TEST(RtfReaderPictures, PngKeepsItsBytesAndShowsItsGoalSize)
{
    const QByteArray png = imageBytes("PNG", {40, 20});
    const auto doc = readString("{\\rtf1 a{\\pict\\pngblip\\picw40\\pich20\\picwgoal1500\\pichgoal750 "
                                + png.toHex() + "}b}");
    const auto images = imagesOf(doc->main());
    ASSERT_EQ(images.size(), 1);
    const QTextImageFormat f = images.front();
    EXPECT_EQ(f.name(), u"pict:1"_qs);
    EXPECT_DOUBLE_EQ(f.width(), 100.0);
    EXPECT_DOUBLE_EQ(f.height(), 50.0);
    EXPECT_EQ(f.property(prop::PictureKind).toString(), u"png"_qs);
    EXPECT_EQ(f.property(prop::PictureGoalWidth).toInt(), 1500);
    EXPECT_EQ(f.property(prop::PictureScaleX).toInt(), 100);
    EXPECT_FALSE(f.property(prop::PictureFixed).toBool());
    EXPECT_EQ(doc->main()->resource(QTextDocument::ImageResource, QUrl(f.name())).toByteArray(), png);
    EXPECT_EQ(blocksText(doc->main()), u"a\uFFFCb"_qs);
}

TEST(RtfReaderPictures, JpegWithoutGoalTakesItsPixelSizeAndScale)
{
    const QByteArray jpeg = imageBytes("JPEG", {30, 60});
    const auto doc = readString("{\\rtf1 {\\pict\\jpegblip\\picscalex50\\picscaley50 " + jpeg.toHex() + "}}");
    const auto images = imagesOf(doc->main());
    ASSERT_EQ(images.size(), 1);
    EXPECT_DOUBLE_EQ(images.front().width(), 15.0);
    EXPECT_DOUBLE_EQ(images.front().height(), 30.0);
    EXPECT_EQ(images.front().property(prop::PictureScaleY).toInt(), 50);
}

TEST(RtfReaderPictures, OpaqueKindsKeepTheirGroupAndShowAPlaceholder)
{
    const QByteArray group = "{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 0102abcd}";
    const auto doc = readString("{\\rtf1 x" + group + "y}");
    const auto images = imagesOf(doc->main());
    ASSERT_EQ(images.size(), 1);
    const QTextImageFormat f = images.front();
    EXPECT_EQ(f.property(prop::PictureKind).toString(), u"wmf"_qs);
    EXPECT_EQ(f.property(prop::PictureRtf).toByteArray(), group);
    EXPECT_EQ(f.property(prop::PicturePicW).toInt(), 2540);
    const QVariant resource = doc->main()->resource(QTextDocument::ImageResource, QUrl(f.name()));
    EXPECT_EQ(resource.value<QImage>().size(), QSize(96, 48));
}

TEST(RtfReaderPictures, OpaqueBinaryDataIsKeptAsHexSoThatACopyKeepsTheSameGroup)
{
    static const char kFile[] = "{\\rtf1 {\\pict\\wmetafile8\\picw10\\pich10 \\bin4 \xff}\x01\x02}y}";
    const QByteArray file(kFile, sizeof kFile - 1);
    const auto doc = readString(file);
    const auto images = imagesOf(doc->main());
    ASSERT_EQ(images.size(), 1);
    const QByteArray kept = images.front().property(prop::PictureRtf).toByteArray();
    EXPECT_EQ(kept, "{\\pict\\wmetafile8\\picw10\\pich10 \nff7d0102\n}");
    const auto again = readString(writeRtf(*doc));
    ASSERT_EQ(imagesOf(again->main()).size(), 1);
    EXPECT_EQ(imagesOf(again->main()).front().property(prop::PictureRtf).toByteArray(), kept);
}

TEST(RtfReaderPictures, ShapeKeepsItsPlaceOnThePage)
{
    const QByteArray png = imageBytes("PNG", {10, 10});
    const auto doc = readString(
        "{\\rtf1 text{\\shp{\\*\\shpinst\\shpleft1000\\shptop2000\\shpright2500\\shpbottom3500"
        "\\shpbxpage\\shpbypage\\shpwr3{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv {\\pict\\pngblip "
        + png.toHex() + "}}}{\\sp{\\sn fillBlip}{\\sv {\\pict\\pngblip " + png.toHex()
        + "}}}}{\\shprslt{\\*\\do fallback}{\\pict\\wmetafile8 0102}}}\\par}");
    const auto images = imagesOf(doc->main());
    ASSERT_EQ(images.size(), 1);
    const QTextImageFormat f = images.front();
    EXPECT_TRUE(f.property(prop::PictureFixed).toBool());
    EXPECT_EQ(f.property(prop::PictureShapeLeft).toInt(), 1000);
    EXPECT_EQ(f.property(prop::PictureShapeBottom).toInt(), 3500);
    EXPECT_EQ(f.property(prop::PictureShapeRelX).toString(), u"page"_qs);
    EXPECT_EQ(f.property(prop::PictureShapeRelY).toString(), u"page"_qs);
    EXPECT_EQ(f.property(prop::PictureShapeWrap).toInt(), 3);
    EXPECT_DOUBLE_EQ(f.width(), 100.0);
}

// Other writers turn a shape to show a photo upright: its box is the
// unturned one around the same centre. When the photo's EXIF orientation
// turns it as much, it is shown upright in the box the turn gives; a turn
// that no orientation explains is not drawn.
TEST(RtfReaderPictures, TurnedShapeOfAPhotoTurnedByExif)
{
    const struct {
        const char *name;
        int orientation;
        int degrees;
        QRect expected;  // left, top, width, height in twips
    } rows[] = {
        {"quarter turn, photo turned as much", 6, 90, QRect(1500, 500, 1000, 2000)},
        {"three quarters, orientation 8", 8, 270, QRect(1500, 500, 1000, 2000)},
        {"quarter turn, photo upright", 1, 90, QRect(1000, 1000, 2000, 1000)},
        {"no turn, photo turned", 6, 0, QRect(1000, 1000, 2000, 1000)},
    };
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImage(40, 20, QImage::Format_RGB32).save(&buffer, "JPEG");
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        // An APP1 Exif segment with the one Orientation tag after the start marker.
        QByteArray exif = QByteArray::fromHex("ffe10022457869660000" "49492a0008000000" "010012010300010000000000" "000000000000");
        exif[28] = char(row.orientation);
        const QByteArray photo = jpeg.left(2) + exif + jpeg.mid(2);
        const QByteArray rotation = row.degrees ? "{\\sp{\\sn rotation}{\\sv " + QByteArray::number(row.degrees * 65536) + "}}" : "";
        const auto doc = readString("{\\rtf1 a{\\shp{\\*\\shpinst\\shpleft1000\\shptop1000\\shpright3000\\shpbottom2000"
                                    "\\shpbxpage\\shpbypage" + rotation + "{\\sp{\\sn pib}{\\sv {\\pict\\jpegblip "
                                    + photo.toHex() + "}}}}}\\par}");
        const auto images = imagesOf(doc->main());
        ASSERT_EQ(images.size(), 1);
        const QTextImageFormat f = images.front();
        const int left = f.intProperty(prop::PictureShapeLeft);
        const int top = f.intProperty(prop::PictureShapeTop);
        EXPECT_EQ(QRect(left, top, f.intProperty(prop::PictureShapeRight) - left, f.intProperty(prop::PictureShapeBottom) - top),
                  row.expected);
        EXPECT_DOUBLE_EQ(f.width(), row.expected.width() / 15.0);
    }
}

TEST(RtfReaderPictures, ShapeWithItsPictureInTheResult)
{
    const QByteArray png = imageBytes("PNG", {10, 10});
    const auto doc = readString("{\\rtf1 a{\\shp{\\*\\shpinst\\shpleft100\\shptop200\\shpright1600\\shpbottom1700"
                                "\\shpbxmargin\\shpbypara{\\sp{\\sn shapeType}{\\sv 75}}}{\\shprslt{\\*\\shppict"
                                "{\\pict\\pngblip " + png.toHex() + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}}}b\\par}");
    const auto images = imagesOf(doc->main());
    ASSERT_EQ(images.size(), 1);
    EXPECT_TRUE(images.front().property(prop::PictureFixed).toBool());
    EXPECT_EQ(images.front().property(prop::PictureShapeRelX).toString(), u"margin"_qs);
    EXPECT_EQ(images.front().property(prop::PictureShapeTop).toInt(), 200);
    EXPECT_EQ(blocksText(doc->main()), u"a\uFFFCb"_qs);
}

TEST(RtfReaderPictures, ShapeFieldIsAPictureInTheLine)
{
    const QByteArray png = imageBytes("PNG", {10, 10});
    const auto doc = readString("{\\rtf1 {\\field{\\*\\fldinst SHAPE }{\\fldrslt{\\shp{\\*\\shpinst\\shpleft0"
                                "\\shptop-440\\shpright2833\\shpbottom314\\shpbxignore\\shpbyignore"
                                "{\\sp{\\sn pib}{\\sv {\\pict\\pngblip\\picw10\\pich10 "
                                + png.toHex() + "}}}}}}}\\tab Logo\\par}");
    const auto images = imagesOf(doc->main());
    ASSERT_EQ(images.size(), 1);
    EXPECT_FALSE(images.front().property(prop::PictureFixed).toBool());
    EXPECT_FALSE(images.front().hasProperty(prop::FieldInstruction));
    EXPECT_DOUBLE_EQ(images.front().width(), twipsToPixels(2833));
    EXPECT_EQ(blocksText(doc->main()), u"\uFFFC\tLogo"_qs);
}

TEST(RtfReaderPictures, TextBoxParagraphsFollowTheirAnchor)
{
    // The result repeats the box's text for older readers: it is not read.
    const auto doc = readString("{\\rtf1 before{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright2000\\shpbottom900"
                                "{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt \\pard &Nombre del titular&\\par"
                                "\\pard &Poblaci\\'f3n&\\par}}{\\shprslt{\\*\\do\\dobxcolumn}\\pard fallback\\par}}"
                                " after\\par next\\par}");
    EXPECT_EQ(blocksText(doc->main()), u"before after\n&Nombre del titular&\n&Población&\nnext"_qs);
}

TEST(RtfReaderFields, PageAndNumPagesAreLiveObjects)
{
    const auto doc = readString("{\\rtf1 P\\'e1gina {\\field{\\*\\fldinst  PAGE }{\\fldrslt 2}} de "
                                "{\\field{\\*\\fldinst {NUMPAGES \\\\* MERGEFORMAT}}{\\fldrslt {\\fs16 9}}}"
                                " y \\chpgn\\par}");
    const auto fields = objectsOf(doc->main(), prop::FieldObjectType);
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields[0].property(prop::LiveFieldKind).toString(), u"PAGE"_qs);
    EXPECT_EQ(fields[1].property(prop::LiveFieldKind).toString(), u"NUMPAGES"_qs);
    EXPECT_EQ(fields[1].property(prop::FieldInstruction).toString(), u"NUMPAGES \\* MERGEFORMAT"_qs);
    EXPECT_DOUBLE_EQ(fields[1].fontPointSize(), 8.0);
    EXPECT_EQ(fields[2].property(prop::LiveFieldKind).toString(), u"PAGE"_qs);
    EXPECT_EQ(blocksText(doc->main()), u"Página \uFFFC de \uFFFC y \uFFFC"_qs);
}

TEST(RtfReaderFields, HyperlinkBecomesALink)
{
    const auto doc = readString("{\\rtf1 {\\field{\\*\\fldinst {HYPERLINK \"http://example.com/a\" \\\\o \"tip\"}}"
                                "{\\fldrslt {\\ul\\cf1 the link}}} and {\\field{\\*\\fldinst HYPERLINK \\\\l \"mark\"}"
                                "{\\fldrslt inside}} and {\\field{\\*\\fldinst HYPERLINK \"c:\\\\\\\\temp\\\\\\\\a.doc\"}"
                                "{\\fldrslt file}}\\par}");
    const QTextCharFormat link = formatOf(doc->main(), u"the link"_qs);
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), u"http://example.com/a"_qs);
    EXPECT_EQ(link.property(prop::FieldInstruction).toString(), u"HYPERLINK \"http://example.com/a\" \\o \"tip\""_qs);
    EXPECT_EQ(link.underlineStyle(), QTextCharFormat::SingleUnderline);
    EXPECT_EQ(formatOf(doc->main(), u"inside"_qs).anchorHref(), u"#mark"_qs);
    EXPECT_EQ(formatOf(doc->main(), u"file"_qs).anchorHref(), u"c:\\temp\\a.doc"_qs);
    EXPECT_FALSE(formatOf(doc->main(), u"and"_qs).isAnchor());
}

TEST(RtfReaderFields, OtherFieldsShowTheirResultAndKeepTheirInstruction)
{
    const auto doc = readString("{\\rtf1 {\\field{\\*\\fldinst DATE \\\\@ \"dd/MM/yyyy\"}{\\fldrslt 14/03/2024}}"
                                "{\\field{\\*\\fldinst DATE \\\\@ \"dd/MM/yyyy\"}{\\fldrslt 15/03/2024}}\\par}");
    const QTextCharFormat first = formatOf(doc->main(), u"14/03"_qs);
    const QTextCharFormat second = formatOf(doc->main(), u"15/03"_qs);
    EXPECT_EQ(first.property(prop::FieldInstruction).toString(), u"DATE \\@ \"dd/MM/yyyy\""_qs);
    EXPECT_EQ(second.property(prop::FieldInstruction), first.property(prop::FieldInstruction));
    EXPECT_NE(first.property(prop::FieldId).toInt(), second.property(prop::FieldId).toInt());
    EXPECT_FALSE(first.isAnchor());
}

TEST(RtfReaderFields, FieldWithAnEmptyResultIsAnEmptyObject)
{
    const auto doc = readString("{\\rtf1 a{\\field{\\*\\fldinst {\\b  USERADDRESS }}{\\fldrslt }}b"
                                "{\\field{\\*\\fldinst REF x}{\\fldrslt {\\b }}}c\\par}");
    const auto fields = objectsOf(doc->main(), prop::EmptyFieldObjectType);
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[0].property(prop::FieldInstruction).toString(), u" USERADDRESS "_qs);
    EXPECT_FALSE(fields[0].hasProperty(prop::FieldId));
    EXPECT_EQ(fields[1].property(prop::FieldInstruction).toString(), u"REF x"_qs);
    EXPECT_EQ(blocksText(doc->main()), u"a\uFFFCb\uFFFCc"_qs);
    EXPECT_EQ(textPlainText(*doc->main()), u"abc\n"_qs);
}

TEST(RtfReaderFields, BookmarksMarkTheirCharacters)
{
    const auto doc = readString("{\\rtf1 ab{\\*\\bkmkstart mark}cd{\\*\\bkmkend mark}ef\\par}");
    EXPECT_EQ(formatOf(doc->main(), u"c"_qs).property(prop::BookmarkStarts).toStringList(), QStringList{u"mark"_qs});
    EXPECT_EQ(formatOf(doc->main(), u"d"_qs).property(prop::BookmarkEnds).toStringList(), QStringList{u"mark"_qs});
    EXPECT_FALSE(formatOf(doc->main(), u"e"_qs).hasProperty(prop::BookmarkEnds));
    EXPECT_EQ(blocksText(doc->main()), u"abcdef"_qs);
}

TEST(RtfReaderFields, FootnoteKeptOnItsMark)
{
    const QByteArray footnote = "{\\footnote \\pard\\plain {\\super\\chftn} The note.}";
    const auto doc = readString("{\\rtf1 Text{\\super\\chftn}" + footnote + " more\\par}");
    EXPECT_EQ(blocksText(doc->main()), u"Text1 more"_qs);
    const QTextCharFormat mark = formatOf(doc->main(), u"1"_qs);
    EXPECT_EQ(mark.property(prop::FootnoteRtf).toByteArray(), footnote);
    EXPECT_EQ(mark.verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_FALSE(formatOf(doc->main(), u" more"_qs).hasProperty(prop::FootnoteRtf));
}

const QByteArray kLists =
    "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext \\'01\\u8226 ?;}"
    "{\\levelnumbers;}\\fi-360\\li720}\\listid1}"
    "{\\list\\listtemplateid2{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext \\'02\\'00.;}{\\levelnumbers\\'01;}"
    "\\fi-283\\li510}{\\listlevel\\levelnfc4{\\leveltext \\'03(\\'01);}{\\levelnumbers\\'02;}\\fi-360\\li1080}"
    "\\listid2}}{\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid2\\listoverridecount0\\ls2}}";

TEST(RtfReaderLists, ListTableParagraphsJoinTheirList)
{
    const auto doc = readString("{\\rtf1" + kLists
                                + "\\pard{\\listtext \\'95\\tab}\\ls1 one\\par\\pard{\\listtext \\'95\\tab}\\ls1 two\\par"
                                  "\\pard\\ls2\\li600\\fi-300 first\\par\\pard\\ls2\\ilvl1 sub\\par\\pard plain\\par}");
    const QTextDocument *d = doc->main();
    EXPECT_EQ(blocksText(d), u"one\ntwo\nfirst\nsub\nplain"_qs);
    QTextList *bullets = blockOf(d, u"one"_qs).textList();
    ASSERT_TRUE(bullets);
    EXPECT_EQ(blockOf(d, u"two"_qs).textList(), bullets);
    EXPECT_EQ(bullets->format().style(), QTextListFormat::ListDisc);
    EXPECT_DOUBLE_EQ(blockOf(d, u"one"_qs).blockFormat().leftMargin(), twipsToIndent(720));
    EXPECT_DOUBLE_EQ(firstLineIndent(blockOf(d, u"one"_qs).blockFormat()), twipsToIndent(-360));
    EXPECT_EQ(blockOf(d, u"one"_qs).blockFormat().property(prop::ListOverride).toInt(), 1);

    QTextList *numbers = blockOf(d, u"first"_qs).textList();
    ASSERT_TRUE(numbers);
    EXPECT_EQ(numbers->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(numbers->format().numberSuffix(), u"."_qs);
    EXPECT_EQ(numbers->format().property(prop::ListStart).toInt(), 3);
    EXPECT_DOUBLE_EQ(blockOf(d, u"first"_qs).blockFormat().leftMargin(), twipsToIndent(600));  // the paragraph's own
    QTextList *sub = blockOf(d, u"sub"_qs).textList();
    ASSERT_TRUE(sub);
    EXPECT_NE(sub, numbers);
    EXPECT_EQ(sub->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(sub->format().numberPrefix(), u"("_qs);
    EXPECT_EQ(sub->format().numberSuffix(), u")"_qs);
    EXPECT_EQ(blockOf(d, u"sub"_qs).blockFormat().property(prop::ListLevel).toInt(), 1);
    EXPECT_FALSE(blockOf(d, u"plain"_qs).textList());
}

TEST(RtfReaderLists, LastParagraphWithoutParKeepsItsList)
{
    const auto doc = readString("{\\rtf1" + kLists + "\\pard\\ls1\\ilvl0 only}");
    ASSERT_TRUE(blockOf(doc->main(), u"only"_qs).textList());
}

TEST(RtfReaderLists, OverrideThatRedefinesItsLevelsOrIsMissing)
{
    // Word 97 style: the override gives the level itself (\lfolevel); a
    // paragraph whose \ls no table defines falls back to its \pn.
    const auto doc = readString(
        "{\\rtf1{\\*\\listoverridetable{\\listoverride\\listid-2\\listoverridecount1{\\lfolevel"
        "\\listoverrideformat{\\listlevel\\levelnfc4{\\leveltext \\'02\\'00);}{\\levelnumbers\\'01;}}}\\ls1}}"
        "\\pard\\ls1 alpha\\par\\pard\\ls7{\\*\\pn\\pnlvlblt{\\pntxtb \\'b7}} dot\\par}");
    QTextList *alpha = blockOf(doc->main(), u"alpha"_qs).textList();
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(alpha->format().numberSuffix(), u")"_qs);
    QTextList *dot = blockOf(doc->main(), u"dot"_qs).textList();
    ASSERT_TRUE(dot);
    EXPECT_EQ(dot->format().style(), QTextListFormat::ListDisc);
}

TEST(RtfReaderLists, LegacyParagraphNumbering)
{
    const auto doc = readString("{\\rtf1 {\\pntext\\f1 \\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb \\'b7}}dot\\par"
                                "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pnucrm{\\pntxta .}}roman\\par}");
    EXPECT_EQ(blocksText(doc->main()), u"dot\nroman"_qs);
    QTextList *dots = blockOf(doc->main(), u"dot"_qs).textList();
    ASSERT_TRUE(dots);
    EXPECT_EQ(dots->format().style(), QTextListFormat::ListDisc);
    QTextList *roman = blockOf(doc->main(), u"roman"_qs).textList();
    ASSERT_TRUE(roman);
    EXPECT_EQ(roman->format().style(), QTextListFormat::ListUpperRoman);
    EXPECT_EQ(roman->format().numberSuffix(), u"."_qs);
}

TEST(RtfReaderAreas, HeaderAndFooterKinds)
{
    const auto doc = readString("{\\rtf1\\titlepg{\\header\\pard H\\par}{\\headerf\\pard HF\\par}"
                                "{\\footerr\\pard F\\par}{\\footerf\\pard FF\\par}"
                                "{\\headerl\\pard left\\par}{\\footerl\\pard lf\\par}body\\par}");
    EXPECT_EQ(doc->headerFooterSet(), 15);
    EXPECT_EQ(blocksText(doc->area(PageHeader)), u"H"_qs);
    EXPECT_EQ(blocksText(doc->area(FirstPageHeader)), u"HF"_qs);
    EXPECT_EQ(blocksText(doc->area(PageFooter)), u"F"_qs);
    EXPECT_EQ(blocksText(doc->area(FirstPageFooter)), u"FF"_qs);
    EXPECT_EQ(doc->leftHeaderRtf, QByteArray("{\\headerl\\pard left\\par}"));
    EXPECT_EQ(doc->leftFooterRtf, QByteArray("{\\footerl\\pard lf\\par}"));
    EXPECT_EQ(blocksText(doc->main()), u"body"_qs);
}

TEST(RtfReaderAreas, TitlePageRules)
{
    // \titlepg alone: page 1 has a blank header.
    EXPECT_EQ(readString("{\\rtf1\\titlepg{\\header\\pard H\\par}x}")->headerFooterSet(), 1 + 2);
    // First-page areas without \titlepg are never shown, so not kept.
    EXPECT_EQ(readString("{\\rtf1{\\header\\pard H\\par}{\\footerf\\pard FF\\par}x}")->headerFooterSet(), 1);
    // \titlepg after the groups counts as well.
    EXPECT_EQ(readString("{\\rtf1{\\footerf\\pard FF\\par}\\titlepg x}")->headerFooterSet(), 8);
}

TEST(RtfReaderAreas, PageStyleTableCopiesAreNotAreas)
{
    const auto doc = readString("{\\rtf1{\\*\\pgdsctbl{\\pgdsc0{\\header\\pard style copy\\par}Default;}}"
                                "\\sectd{\\header\\pard section copy\\par}x\\par}");
    EXPECT_EQ(blocksText(doc->area(PageHeader)), u"section copy"_qs);
}

TEST(RtfReaderKept, InfoGroupKeptVerbatim)
{
    const QByteArray info = "{\\info{\\title Informe}{\\author Perito}}";
    const auto doc = readString("{\\rtf1" + info + "x}");
    ASSERT_EQ(doc->keptGroups.size(), 1);
    EXPECT_EQ(doc->keptGroups.front(), info);
}

TEST(RtfReaderKept, GeneratorKeptOnlyWhenWellFormed)
{
    // LibreOffice reads white space differently with and without it.
    const auto doc = readString("{\\rtf1{\\*\\generator Writer;}x}");
    ASSERT_EQ(doc->keptGroups.size(), 1);
    EXPECT_EQ(doc->keptGroups.front(), QByteArray("{\\*\\generator Writer;}"));
    // Without its backslash the star is text, so the group is not kept.
    const auto malformed = readString("{\\rtf1{*\\generator Writer;}x}");
    EXPECT_TRUE(malformed->keptGroups.isEmpty());
}

TEST(RtfReaderInsert, InsertsTheMainTextAtTheCursor)
{
    RichDocument doc;
    doc.main()->setPlainText(u"start end"_qs);
    QTextCursor cursor(doc.main());
    cursor.setPosition(6);
    QString error;
    ASSERT_TRUE(insertRtf("{\\rtf1{\\header\\pard H\\par}{\\b one}\\par two }", cursor, &error));
    EXPECT_EQ(blocksText(doc.main()), u"start one\ntwo end"_qs);
    EXPECT_EQ(formatOf(doc.main(), u"one"_qs).fontWeight(), QFont::Bold);
    EXPECT_EQ(doc.headerFooterSet(), 0);
    doc.main()->undo();
    EXPECT_EQ(doc.main()->toPlainText(), u"start end"_qs);
    EXPECT_FALSE(insertRtf("plain", cursor, &error));
    EXPECT_EQ(error, u"El fichero no es RTF."_qs);
}

TEST(RtfReaderInsert, PicturesGetNamesTheDocumentDoesNotUse)
{
    const QByteArray png = imageBytes("PNG", {4, 4});
    const QByteArray rtf = "{\\rtf1 {\\pict\\pngblip " + png.toHex() + "}}";
    RichDocument doc;
    ASSERT_TRUE(readRtf(rtf, doc));
    QTextCursor cursor(doc.main());
    cursor.movePosition(QTextCursor::End);
    ASSERT_TRUE(insertRtf(rtf, cursor));
    const auto images = imagesOf(doc.main());
    ASSERT_EQ(images.size(), 2);
    EXPECT_NE(images[0].name(), images[1].name());
}

}  // namespace
