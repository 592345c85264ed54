#pragma once

// How the model stores what a QTextDocument has no native property for.
// The RTF reader sets these, the writer writes them back, the renderer draws
// them; nothing else invents its own. Values are noted beside each id.
//
// Conventions that use Qt's own properties:
// - Character formatting: font family and point size, weight, italic,
//   underline (QTextCharFormat::UnderlineStyle for single/dash/dot/wave),
//   strike-out, foreground, background (highlight), vertical alignment
//   (super/subscript), capitalisation (AllUppercase for \caps, SmallCaps for
//   \scaps), anchor href/names for hyperlinks.
// - Paragraph formatting: alignment, left/right/first-line indent, top and
//   bottom margins (spacing before and after), line height (with its type),
//   tab positions (QTextOption::Tab), page break before (PageBreakPolicy),
//   non-breakable lines (keep-together). Lengths in pixels: see
//   richdocument.h (15 twips a pixel).
// - Tables: QTextTable with a QTextTableFormat; cells with row and column
//   spans; per-row properties below on each cell of the row.
// - Lists: QTextList with QTextListFormat (style, indent, number prefix and
//   suffix); bullet and text positions become the paragraph's left margin
//   and a negative first-line indent.
// - Pictures: QTextImageFormat whose name is a document resource URL
//   "pict:<n>"; the resource is the original PNG or JPEG bytes (QByteArray)
//   or, for a kind Qt cannot draw, a placeholder QImage of the right size.
//   width() and height() are the shown size in pixels.
// - A paragraph break that starts a new page is a block whose block format
//   has PageBreak_AlwaysBefore.

#include <QTextFormat>

namespace textctl::prop {

enum : int {
    // --- Character formats -------------------------------------------------
    // QString: an RTF underline kind Qt cannot show exactly ("uldb",
    // "ulth", "ulw", "ulhair", "uldashd", "ulthd"...), the control word
    // without its backslash. The QTextCharFormat underline style carries
    // the nearest Qt style.
    UnderlineKind = QTextFormat::UserProperty + 1,
    // QString: the instruction of a field whose result is shown as ordinary
    // text ("DATE \\@ \"dd/MM/yyyy\"", "HYPERLINK \"http://...\"", ...).
    FieldInstruction,
    // int: unique per field instance within a document, so that two
    // neighbouring fields with the same instruction stay two fields.
    FieldId,
    // QStringList: bookmarks that start just before this character.
    BookmarkStarts,
    // QStringList: bookmarks that end just after this character.
    BookmarkEnds,
    // QByteArray: the whole {\footnote ...} group, verbatim, on the
    // footnote's reference mark character(s).
    FootnoteRtf,
    // int: expanded/condensed spacing in twips (\expndtw).
    CharSpacingTwips,
    // bool: hidden text (\v).
    Hidden,
    // int half-points (\kerningN): pairs are kerned in text of this size
    // and larger (QTextFormat::FontKerning says whether this text is).
    KerningFrom,

    // --- Objects (U+FFFC characters) --------------------------------------
    // Live fields are text objects of type FieldObjectType with:
    // QString: "PAGE" or "NUMPAGES".
    LiveFieldKind = QTextFormat::UserProperty + 100,
    // (The instruction is kept in FieldInstruction.)

    // Pictures (QTextImageFormat):
    // QString: "png", "jpeg", or the RTF kind of an opaque picture: "emf",
    // "wmf", "dib", "bmp", "mac", ...
    PictureKind,
    // int: goal width and height in twips (\picwgoal, \pichgoal).
    PictureGoalWidth,
    PictureGoalHeight,
    // int: scale in percent (\picscalex, \picscaley), 100 when absent.
    PictureScaleX,
    PictureScaleY,
    // int: the picture's own size in its units (\picw, \pich).
    PicturePicW,
    PicturePicH,
    // QByteArray: for an opaque picture, the whole {\pict ...} group
    // verbatim, written back unchanged.
    PictureRtf,
    // Fixed-position pictures (a \shp with a picture). The U+FFFC is the
    // anchor in the paragraph; these give the place on the page:
    // bool: true for a picture placed on the page, not in the line.
    PictureFixed,
    // int twips: left, top, right, bottom of the shape (\shpleft...).
    PictureShapeLeft,
    PictureShapeTop,
    PictureShapeRight,
    PictureShapeBottom,
    // QString: what the coordinates are relative to: "page", "margin",
    // "column", "paragraph" (from \shpbxpage... and \shpbypage...).
    PictureShapeRelX,
    PictureShapeRelY,
    // int: wrap kind (\shpwr).
    PictureShapeWrap,

    // --- Block formats -----------------------------------------------------
    // QString: tab leaders of the block's tab stops, one letter per stop in
    // position order: ' ' none, '.' dots, '-' hyphens, '_' underline,
    // '=' thick line, 'm' middle dots.
    TabLeaders = QTextFormat::UserProperty + 200,
    // QByteArray: the paragraph's border control words verbatim
    // ("\brdrb\brdrs\brdrw10\brsp20..."), written back unchanged.
    ParagraphBordersRtf,
    // int: the RTF style index (\sN) of the paragraph, for the style sheet.
    StyleIndex,
    // bool: keep with next paragraph (\keepn).
    KeepWithNext,
    // int: list override index (\lsN) and level (\ilvlN), as read.
    ListOverride,
    ListLevel,
    // int: on a QTextListFormat, the number of the list's first item
    // (\levelstartat); absent means 1. Qt 6.4's own list format has no
    // start number.
    ListStart,
    // QString: on a QTextListFormat, the fixed text a level shows instead of
    // a number (a \leveltext without a number in it) when it is no bullet
    // the list style draws ("-", "*", "Note:"). The style is a bullet style.
    ListLabelText,
    // bool: an empty block that is no paragraph of the file. The text model
    // needs a block before a table that starts a text or a cell, and one
    // between two tables; RTF has none there. Not written back, and not
    // part of the plain text.
    SeparatorBlock,
    // The paragraph's own spacing (paragraphformat.h). Qt's top and bottom
    // margins and line height are layout values derived from these, the
    // neighbours, the borders and the fonts (layoutformats.h).
    // double pixels: space before and after (\sb, \sa).
    SpaceBefore,
    SpaceAfter,
    // int: a LineRule (single, at least, exactly, multiple), and its value:
    // double, pixels for at least and exactly, percent for multiple.
    LineRule,
    LineValue,
    // bool: no space between paragraphs of the same style (\contextualspace).
    ContextualSpace,
    // bool: false when widow and orphan control is off (\nowidctlpar);
    // absent, it is on.
    WidowControl,
    // The paragraph's borders as drawn, from ParagraphBordersRtf:
    // QPen per side (colour, width in pixels, style), absent for no border.
    ParagraphBorderTop,
    ParagraphBorderLeft,
    ParagraphBorderBottom,
    ParagraphBorderRight,
    // double pixels per side: the space between the border and the text (\brsp).
    ParagraphBorderSpaceTop,
    ParagraphBorderSpaceLeft,
    ParagraphBorderSpaceBottom,
    ParagraphBorderSpaceRight,
    // int: bit per side (top 1, left 2, bottom 4, right 8) of double borders.
    ParagraphBorderDouble,
    // double layout pixels: a list paragraph's own first-line indent (\fi),
    // where its label starts, when Qt's text indent is the layout value
    // that starts its text where a word processor's tab after the label
    // does (paragraphformat.h).
    OwnTextIndent,
    // QList<QTextOption::Tab>: the paragraph's own tab stops, measured from
    // the left margin as word processors measure them, when Qt's tab
    // positions are the layout values measured from where its first line
    // starts (paragraphformat.h).
    OwnTabPositions,

    // --- Table cells (QTextTableCellFormat) ----------------------------------
    // QByteArray: the cell's border control words verbatim (\clbrdrt...).
    CellBordersRtf = QTextFormat::UserProperty + 300,
    // int: RTF right boundary of the cell in twips (\cellx), as read.
    CellRightTwips,
    // int: vertical alignment: 0 top, 1 centre, 2 bottom.
    CellVerticalAlign,
    // Per-row properties, on every cell of the row:
    // QByteArray: the row's \trowd properties that the model does not map
    // (\trgaph, \trrh, \trleft, \trql/\trqc/\trqr, \trhdr, borders...), verbatim.
    RowPropsRtf,
    // bool: a slot of the table's grid that no cell of its row reaches (the
    // row is shorter than others). Left empty at a row's end, it is not
    // written: the row ends where the file's row ended.
    CellFiller,
    // int twips, on every cell of a row with a height of its own (\trrh):
    // at least that tall when positive, exactly when negative.
    RowHeight,
    // double pixels: the cell's own bottom padding, when the layout gives Qt
    // a larger one so that the row is as tall as \trrh asks (layoutformats.h).
    CellOwnBottomPadding,
    // int: the style each side's border is drawn with, four bits a side
    // (top, left, bottom, right from the lowest), each a
    // QTextFrameFormat::BorderStyle plus one; 0: the side has none of its
    // own. Qt's style of such a side is BorderStyle_None (tableborders.h).
    CellBorderStyles,

    // --- Table formats -------------------------------------------------------
    // int: nesting depth (1 = outer table).
    TableNestingLevel = QTextFormat::UserProperty + 400,
    // int: the table's identifier in the control (1 to 32767), unique in
    // its document. Tables read from a file get theirs when first asked.
    TableId,

    // --- The document (the main text's root frame format) ------------------
    // QStringList of four families: the style sheet's default fonts for
    // low-ANSI, high-ANSI, East Asian and complex-script text (\stshfloch,
    // \stshfhich, \stshfdbch, \stshfbi); "" where the file names none.
    // Other readers lay out white space differently when these are absent,
    // so a file that states them keeps them.
    StyleSheetFonts = QTextFormat::UserProperty + 500,
    // QByteArray: document-wide compatibility words that change how other
    // readers lay the text out (\dntblnsbdb: spaces are not balanced
    // against double-byte characters), verbatim, written back unchanged.
    DocumentWordsRtf,
};

// Object type of live fields (PAGE, NUMPAGES).
inline constexpr int FieldObjectType = QTextFormat::UserObject + 1;
// Object type of a field whose result is empty: it shows nothing (no
// handler is registered, so it takes no room) and keeps its instruction in
// FieldInstruction, so that a save writes the field back.
inline constexpr int EmptyFieldObjectType = QTextFormat::UserObject + 2;

}  // namespace textctl::prop
