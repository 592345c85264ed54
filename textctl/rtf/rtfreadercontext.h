#pragma once

// The state the parts of the RTF reader share while one file is read: the
// stack of group states, the document tables (fonts, colours, styles,
// lists), the row definitions, the stories being collected, and what the
// load gives back (ReadResult). The parser owns one ReaderContext; the
// handlers of each kind of control word work on it.

#include "textctl/model/areas.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/rtf/rtfreadercellwords.h"
#include "textctl/rtf/rtfreadercolortable.h"
#include "textctl/rtf/rtfreadercontent.h"
#include "textctl/rtf/rtfreaderlisttable.h"
#include "textctl/rtf/rtfreaderwords.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextFormat>
#include <QTextOption>
#include <QVariant>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace textctl::rtf {

// What the text of a group is, and so which words and text it takes.
enum class Destination : quint8 {
    Text,           // the story's text
    Skip,           // nothing of it is kept
    FontTable,
    ColorTable,
    StyleSheet,
    StyleEntry,
    ListTable,
    List,
    ListLevel,
    LevelText,
    ListOverrideTable,
    ListOverride,
    Picture,
    Shape,
    ShapeInst,
    ShapeProperty,
    ShapePropertyName,
    ShapePropertyValue,
    Field,
    FieldInstruction,
    LiveFieldResult,  // a PAGE or NUMPAGES result: the live object instead
    BookmarkStart,
    BookmarkEnd,
    LegacyList,     // \pn
    LegacyListBefore,
    LegacyListAfter,
    UnicodeAlternate,  // \upr: only its \ud part is read
    TableProps,     // \nesttableprops: row words, and text some writers put there
};

// A style sheet entry without \sN: style 0 once it has words.
inline constexpr int kImplicitStyle = -2;

// Which border the \brdrX words that follow belong to.
enum class BorderTarget : quint8 { None, Paragraph, Cell, Row };

struct CharState {
    QTextCharFormat format;
    QTextCharFormat sticky;  // field and link properties that \plain keeps
    int font = -1;
    int codePage = 0;  // of the font; 0: the document's
    int skip = 1;      // \ucN
    // From \super to \nosupersub (\plain does not end it), and whether
    // text came in it: a footnote that follows such text takes it for its
    // own mark.
    bool superRun = false;
    bool superText = false;
};

struct LegacyListState {
    int level = 0;     // 0: none; 1-9 numbered levels, 10 bullet
    bool bullet = false;
    QTextListFormat::Style style = QTextListFormat::ListDecimal;
    QString before;
    QString after;
};

struct ParaState {
    QTextBlockFormat format;
    QList<QTextOption::Tab> tabs;
    QString leaders;
    QTextOption::TabType tabType = QTextOption::LeftTab;
    QChar leader = u' ';
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool inTable = false;
    int nesting = 0;
    int listOverride = -1;  // \lsN; -1: none stated (\ls0 is a list when defined)
    int listLevel = 0;
    bool leftSet = false;
    bool firstSet = false;
    bool widowSet = false;  // \widctlpar or \nowidctlpar stated
    // Border words by side (top, left, bottom, right, between, bar, box):
    // naming a side again replaces what it had.
    std::array<QByteArray, 7> borders;
    ParagraphBorders drawnBorders;  // the same, as drawn
    double spaceBefore = 0;         // pixels
    double spaceAfter = 0;
    LegacyListState legacy;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharState chr;
    ParaState para;
    Story *story = nullptr;
    // Objects a group builds; children share them. A group whose index
    // differs from its parent's is the one that started the object.
    int picture = -1;
    int shape = -1;
    int field = -1;
    QString text;     // what a name-like destination collects
    qsizetype openOffset = 0;
    // Groups kept as they are in the file. The colour table is also read:
    // it is kept because kept words name its colours by number.
    enum class Verbatim : quint8 { None, Info, ColorTable, LeftHeader, LeftFooter, Footnote };
    Verbatim verbatim = Verbatim::None;
    bool document = false;  // the {\rtf1 group itself
    // The character state is what \plain gives, the paragraph state what
    // \pard gives: a style can then be applied from its cached states.
    bool charFresh = false;
    bool paraFresh = true;
};

struct FontEntry {
    QString name;
    QVariant families;  // QStringList{name}, made once for every use
    int codePage = 0;
    bool symbol = false;
};

struct StyleDef {
    std::vector<RecordedWord> words;
    int basedOn = -1;
    // The states the style gives from \pard\plain, once computed: most
    // paragraphs apply their style right after those words.
    bool cached = false;
    CharState chr;
    ParaState para;
};

struct PictureData {
    QString kind;       // "png", "jpeg", "emf", "wmf", ...
    QByteArray data;
    int picW = 0;
    int picH = 0;
    int goalW = 0;
    int goalH = 0;
    int scaleX = 100;
    int scaleY = 100;
    int hexHigh = -1;   // a hex digit waiting for its pair
    QTextImageFormat format;  // once the group has ended
    int resource = -1;        // index into ReadResult::pictures
};

struct ShapeData {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    QString relX = QStringLiteral("column");
    QString relY = QStringLiteral("paragraph");
    bool ignoreX = false;
    bool ignoreY = false;
    int wrap = 0;
    int rotation = 0;            // degrees clockwise ("rotation" property)
    bool inline_ = false;        // inside a SHAPE field: a picture in the line
    int picture = -1;            // the "pib" picture
    QString propertyName;        // of the \sp being read
    bool readingPib = false;
    // A text box's paragraphs (\shptxt): the model has no text boxes, so
    // they follow the paragraph that holds the shape.
    std::unique_ptr<Story> textBox;
    bool hasResult() const { return picture >= 0 || textBox; }
};

struct FieldData {
    QString instruction;
    enum class Kind : quint8 { Other, Live, Link, Shape } kind = Kind::Other;
    QString liveKind;
    int id = 0;
    bool objectDone = false;
    bool resultHasText = false;
    bool resultHasParagraph = false;  // a paragraph ended inside the result
};

// An image resource: the original bytes of a PNG or JPEG, or a placeholder
// QImage for a kind Qt cannot draw.
struct PictureResource {
    QVariant resource;
};

// Page values the file states, in twips.
struct StatedPage {
    std::optional<int> width, height, marginLeft, marginTop, marginRight, marginBottom;
    std::optional<int> headerY, footerY;
};

struct ReadResult {
    std::vector<Block> main;
    // The header and footer areas by areaIndex(); the main text is `main`.
    std::array<std::optional<std::vector<Block>>, kTextCount> areas;
    QByteArray leftHeaderRtf;
    QByteArray leftFooterRtf;
    QList<QByteArray> keptGroups;
    QStringList styleSheetFonts;  // see prop::StyleSheetFonts; empty: none stated
    QByteArray documentWords;     // see prop::DocumentWordsRtf
    StatedPage page;
    std::vector<PictureResource> pictures;
};


class ReaderContext final {
public:
    explicit ReaderContext(QByteArrayView rtf);
    Q_DISABLE_COPY_MOVE(ReaderContext)

    QByteArrayView rtf() const { return m_rtf; }
    GroupState &top() { return m_groups.back(); }
    const GroupState &top() const { return m_groups.back(); }
    GroupState *parent() { return m_groups.size() > 1 ? &m_groups[m_groups.size() - 2] : nullptr; }

    // Group nesting. Past kMaxDepth groups are counted, not stacked: their
    // text is still read with the deepest state.
    static constexpr int kMaxDepth = 1000;
    void pushGroup(qsizetype offset);
    // Removes the innermost group; false (and `closed` untouched) when the
    // brace closes a counted group or there is no group left to close.
    bool popGroup(GroupState &closed);
    int depth() const { return static_cast<int>(m_groups.size()) + m_overflow; }

    // Text and objects for the current destination.
    void insertText(const QString &text);
    void insertObject(const QTextCharFormat &format, int picture = -1);
    // The same into group `g` (a picture group ending inserts into its parent).
    void insertObjectInto(GroupState &g, const QTextCharFormat &format, int picture = -1);
    void insertTextInto(GroupState &g, const QString &text, const QTextCharFormat &format);
    // Ends the paragraph being read (\par), the cell (\cell, \nestcell)
    // or the row (\row, \nestrow) of table level `level`.
    void endParagraph();
    void endCell(int level);
    // A finished paragraph's format, its widow control as the file says.
    QTextBlockFormat blockFormat(const ParaState &para) const;
    void endRow(int level);
    // The table level of the paragraph being read (0 outside tables).
    int tableLevel() const;
    // Resolves a pending section break once the next section's kind is known.
    void resolveSectionBreak();

    // Code page of text in the current state.
    int codePage() const;

    // Document tables.
    int documentCodePage = 1252;
    int defaultFont = -1;
    std::array<int, 4> styleSheetFonts{-1, -1, -1, -1};  // \stshfloch, hich, dbch, bi
    QHash<int, FontEntry> fonts;
    int fontInProgress = -1;
    ReaderColorTable colors;
    QHash<int, StyleDef> styles;
    int styleInProgress = -1;
    ReaderListTable lists;

    // The table row being defined at table level `level` (1 and up).
    RowDef &rowDef(int level);
    BorderTarget borderTarget = BorderTarget::None;
    int borderSide = 0;  // of a paragraph border
    CellWords cellWords;

    // Objects built by groups.
    std::vector<PictureData> pictures;
    std::vector<ShapeData> shapes;
    std::vector<FieldData> fields;
    int nextFieldId = 1;
    QStringList pendingBookmarkStarts;
    QStringList pendingBookmarkEnds;  // of empty bookmarks still waiting to start
    int footnoteCount = 0;

    // Page values of document words (section words go to result.page).
    StatedPage documentPage;
    // Widow and orphan control for the paragraphs that say nothing of it
    // (\widowctrl): without it they have none, as word processors read them.
    bool widowControl = false;

    // Section state.
    bool titlePage = false;
    bool sectionBreakPending = false;
    bool sectionBreakNone = false;
    // Other readers make a table of contents a section of its own: a second
    // one after the first with no \par between starts a new paragraph,
    // ending the one the first left open.
    bool tocEndPending = false;
    bool firstSectionDone = false;
    // A paragraph outside tables has ended in this section of the main text.
    bool sectionHasParagraph = false;

    // Stories: the main text and the header/footer areas.
    Story mainStory;
    std::array<std::unique_ptr<Story>, kTextCount> areaStories;  // by areaIndex()

    ReadResult result;

private:
    void appendToStory(const QString &text);
    // The paragraph's own state, or, when the group that made the paragraph
    // a list item closed before its \par, that state with the list words
    // it had at its first text.
    const ParaState &paragraphState(ParaState &scratch) const;

    // The list words in force at the first text of the paragraph being read.
    struct FirstTextList {
        const Paragraph *paragraph = nullptr;
        int listOverride = -1;
        int listLevel = 0;
        LegacyListState legacy;
    };
    FirstTextList m_firstTextList;

    QByteArrayView m_rtf;
    std::vector<GroupState> m_groups;
    int m_overflow = 0;
    std::vector<RowDef> m_rowDefs;  // by table level, index 0 = level 1
};

}  // namespace textctl::rtf
