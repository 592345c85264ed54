#pragma once

// The control words the RTF reader acts on, looked up once by name. Words
// are grouped by the part of the reader that handles them; wordGroup()
// tells the group. Any other word is Word::Unknown and is ignored, except
// that an unknown word right after \* makes its group skipped.

#include <QByteArrayView>
#include <QtGlobal>

namespace textctl::rtf {

enum class Word : quint16 {
    Unknown,

    // Destinations: the word gives its group a meaning.
    DestinationFirst,
    Rtf, FontTable, ColorTable, StyleSheet, Info, ListTable, List, ListLevel, LevelText,
    LevelNumbers, ListName, ListOverrideTable, ListOverride, Pict, Shp, ShpInst, Sp, Sn, Sv,
    ShpTxt, ShpRslt, ShpPict, NonShpPict, Field, FldInst, FldRslt, Header, HeaderL, HeaderR,
    HeaderF, Footer, FooterL, FooterR, FooterF, Footnote, BkmkStart, BkmkEnd, ListText, PnText,
    Pn, PnTxtB, PnTxtA, Upr, Ud, Object, Result, NestTableProps, NoNestTables, CharStyle,
    SectionStyle, TableStyle, SkippedDestination, FieldSkipped,
    DestinationLast,

    // Character formatting.
    CharacterFirst,
    Plain, Bold, Italic, Underline, UnderlineNone, UnderlineDotted, UnderlineDash,
    UnderlineDashDot, UnderlineDashDotDot, UnderlineDouble, UnderlineHeavyWave, UnderlineLongDash,
    UnderlineThick, UnderlineThickDotted, UnderlineThickDash, UnderlineThickDashDot,
    UnderlineThickDashDotDot, UnderlineThickLongDash, UnderlineDoubleWave, UnderlineWords,
    UnderlineWave, UnderlineHair, Strike, StrikeDouble, ForeColor, BackColor, Highlight,
    CharShading, Super, Sub, NoSuperSub, Up, Down, Caps, SmallCaps, Hidden, Font, FontSize,
    Expand, ExpandTwips, Kerning,
    CharacterLast,

    // Paragraph formatting.
    ParagraphFirst,
    Pard, AlignLeft, AlignRight, AlignCenter, AlignJustify, AlignDistribute, LeftIndent,
    RightIndent, FirstIndent, LeftIndentLtr, RightIndentLtr, SpaceBefore, SpaceAfter, LineSpacing,
    LineMultiple, Keep, KeepNext, PageBreakBefore, InTable, Itap, Style, ListOverrideIndex,
    ListLevelIndex, TabPosition, TabBar, TabRight, TabCenter, TabDecimal, LeaderDot, LeaderHyphen,
    LeaderUnderline, LeaderThick, LeaderEqual, LeaderMiddleDot,
    // The order of the border sides is that of ParaState::borders.
    BorderTop, BorderLeft, BorderBottom, BorderRight, BorderBetween, BorderBar, BorderBox,
    BorderAttribute, ParaShading, ContextualSpace, WidowControl, NoWidowControl,
    ParagraphLast,

    // Tables.
    TableFirst,
    RowDefaults, Row, Cell, NestCell, NestRow, CellX,
    // The cell words, CellVerticalFirst to CellPadRight, stay together.
    CellVerticalFirst, CellVerticalMerged,
    CellHorizontalFirst, CellHorizontalMerged, CellBorderTop, CellBorderBottom, CellBorderLeft,
    CellBorderRight, CellShading, CellAlignTop, CellAlignCenter, CellAlignBottom, CellPadLeft,
    CellPadTop, CellPadBottom, CellPadRight, RowLeft, RowGap, RowAlignLeft, RowAlignCenter,
    RowAlignRight, RowHeader, RowBorder, RowPadLeft, RowPadTop, RowPadBottom, RowPadRight, RowWord,
    TableLast,

    // Pictures and shapes.
    PictureFirst,
    PngBlip, JpegBlip, EmfBlip, WMetafile, DiBitmap, WBitmap, MacPict, PmMetafile, PicW, PicH,
    PicWGoal, PicHGoal, PicScaleX, PicScaleY, ShpLeft, ShpTop, ShpRight, ShpBottom, ShpBxPage,
    ShpBxMargin, ShpBxColumn, ShpBxIgnore, ShpByPage, ShpByMargin, ShpByPara, ShpByIgnore, ShpWr,
    PictureLast,

    // Characters, breaks and other things that go into the text.
    SpecialFirst,
    Par, Line, Tab, Page, Sect, Column, EmDash, EnDash, EmSpace, EnSpace, QmSpace, Bullet,
    LQuote, RQuote, LDblQuote, RDblQuote, Zwj, Zwnj, LtrMark, RtlMark, FootnoteMark, PageNumber,
    Unicode, UnicodeSkip,
    SpecialLast,

    // Document, section and table-of-tables words.
    DocumentFirst,
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, PaperW, PaperH, MargL, MargR, MargT, MargB,
    PgWSxn, PgHSxn, MargLSxn, MargRSxn, MargTSxn, MargBSxn, HeaderY, FooterY, TitlePg, Sectd,
    SbkNone, SbkPage, SbkColumn, SbkEven, SbkOdd, FontCharset, FontCodePage, Red, Green, Blue,
    BasedOn, ListId, LevelNfc, LevelNfcN, LevelStartAt, PnLevel, PnLevelBullet, PnLevelBody,
    PnLevelCont, PnDecimal, PnUpperLetter, PnLowerLetter, PnUpperRoman, PnLowerRoman, PnCardinal,
    PnOrdinal, PnStart, PnIndent, StshfLoch, StshfHich, StshfDbch, StshfBi,
    DntBlnSbDb, HtmlAutoSpacing, NoteNumbering, WidowCtrl,
    DocumentLast,
};

enum class WordGroup { Unknown, Destination, Character, Paragraph, Table, Picture, Special, Document };

Word lookupWord(QByteArrayView name);
WordGroup wordGroup(Word word);

// A control word kept to be applied later (a style's, a cell's).
struct RecordedWord {
    Word word;
    QByteArrayView name;  // into the file's bytes, for words kept verbatim
    int param;
    bool hasParam;
};

}  // namespace textctl::rtf
