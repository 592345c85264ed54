#pragma once

// What the RTF reader collects before it touches a QTextDocument: a story
// (the main text, or one header or footer area) as paragraphs of runs and
// tables of rows of cells. Collecting first lets a table be built with one
// insertTable on the grid of all its rows, and lets nested tables and table
// ends be decided by the paragraphs that follow.
//
// Story routes each finished paragraph by its table nesting level (0 outside
// tables); a paragraph at a lower level closes the deeper tables.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTextFormat>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace textctl::rtf {

// A stretch of text of one format, or one object (picture, live field).
struct Run {
    QString text;
    QTextCharFormat format;
    int picture = -1;  // index into the reader's pictures, for an image
    bool object = false;
};

// The list a paragraph belongs to: paragraphs with the same key share one
// QTextList in a document.
struct ListRef {
    int key = 0;  // 0: no list
    std::optional<QTextListFormat> format;  // set with the key
};

struct Paragraph {
    std::vector<Run> runs;
    QTextBlockFormat format;
    QTextCharFormat markFormat;  // the paragraph mark's own format
    ListRef list;

    bool isEmpty() const { return runs.empty(); }
    void appendText(const QString &text, const QTextCharFormat &format);
    void appendObject(const QTextCharFormat &format, int picture = -1);
};

// A cell as its row definition describes it (\clxxx words and \cellx).
struct CellDef {
    int right = 0;  // twips, as read
    QTextTableCellFormat format;
    bool verticalStart = false;     // \clvmgf
    bool verticalMerged = false;    // \clvmrg
    bool horizontalStart = false;   // \clmgf
    bool horizontalMerged = false;  // \clmrg
    bool paddingSet = false;
    QByteArray borders;             // the \clbrdrX words, verbatim
};

// One \trowd ... \cellx definition: the row's cells and its own words.
struct RowDef {
    std::vector<CellDef> cells;
    CellDef pending;       // the cell whose \cellx has not come yet
    QByteArray rowRtf;     // row words kept verbatim
    int left = 0;          // \trleft
    int gap = 0;           // \trgaph
    std::array<int, 4> padding{-1, -1, -1, -1};  // \trpaddl, t, b, r; -1 unset
    Qt::Alignment alignment = Qt::AlignLeft;
    bool alignmentSet = false;
    bool header = false;   // \trhdr
};

struct Block;

// Move-only, and moved without throwing so that vectors of them grow by
// moving.
#define RTF_READER_MOVE_ONLY(Type) \
    Type() = default; \
    Type(Type &&) noexcept = default; \
    Type &operator=(Type &&) noexcept = default; \
    Type(const Type &) = delete; \
    Type &operator=(const Type &) = delete;

struct CellContent {
    RTF_READER_MOVE_ONLY(CellContent)
    std::vector<Block> blocks;
};

struct Row {
    RTF_READER_MOVE_ONLY(Row)
    std::vector<CellContent> cells;
    RowDef def;
};

struct Table {
    std::vector<Row> rows;
    int nesting = 1;
    bool pageBreakBefore = false;
};

// A paragraph, or a table when `table` is set.
struct Block {
    RTF_READER_MOVE_ONLY(Block)
    Paragraph paragraph;
    std::unique_ptr<Table> table;
};

#undef RTF_READER_MOVE_ONLY

class Story final {
public:
    Story() = default;
    Q_DISABLE_COPY_MOVE(Story)

    // The paragraph being read; its runs grow until it is finished.
    Paragraph &current() { return m_current; }

    // Ends the current paragraph at table level `level` (0 = outside).
    void endParagraph(int level, const QTextBlockFormat &format, const QTextCharFormat &mark,
                      const ListRef &list);
    // Ends the current paragraph and the cell that holds it.
    void endCell(int level, const QTextBlockFormat &format, const QTextCharFormat &mark,
                 const ListRef &list);
    // Ends the row of table level `level` with its definition.
    void endRow(int level, const RowDef &def);

    // The next block added at level 0 starts a new page. A table waiting for
    // another row ends here: the break comes after it, not before it.
    void requestPageBreak();
    // True when a table has ended its last row and nothing follows it yet.
    bool tableAwaitingRow() const;
    // Blocks that follow the current paragraph once it ends (a text box's).
    void appendAfterCurrent(std::vector<Block> blocks);
    // True when a row of `level` has cells waiting for its \row.
    bool rowInProgress(int level) const;
    // True before the first block and the first text of the story.
    bool isEmpty() const { return m_blocks.empty() && m_levels.empty() && m_current.isEmpty(); }

    // Closes open tables and keeps a last paragraph that has content.
    std::vector<Block> finish();

private:
    struct Level {
        std::unique_ptr<Table> table;
        Row row;
        CellContent cell;
    };

    std::vector<Block> &containerFor(int level);
    void closeLevelsAbove(int level);
    void appendBlock(std::vector<Block> &container, Block block, int level);

    std::vector<Block> m_blocks;
    std::vector<Level> m_levels;  // [0] is table level 1
    Paragraph m_current;
    std::vector<Block> m_afterCurrent;
    bool m_pageBreak = false;
};

}  // namespace textctl::rtf
