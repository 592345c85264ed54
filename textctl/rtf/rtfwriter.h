#pragma once

// Writes the control's document model as RTF 1.x that Word and LibreOffice
// open cleanly: 8-bit with \ansicpg1252, \'xx for Windows-1252 characters
// and \uN with a fallback for the rest. What the RTF reader reads, this
// writes: reading the output gives back the same model. The output is the
// same for the same document, byte for byte.
//
//   QByteArray bytes = writeRtf(doc);
//
// RtfWriter does the work one element at a time (a paragraph, a table, a
// picture), so each element can be written and checked on its own:
//
//   RtfWriter writer(doc);
//   writer.writeBlock(doc.main()->firstBlock());
//   writer.body();   // "\pard\plain\f0\fs24 Hola\par\n"
//
// The element writers append to the body; font, colour and list numbers are
// handed out as elements use them, and writeAll() (once per writer) puts the
// tables they fill in front of the body.
//
// Choices the file format leaves open:
// - Kept RTF words (paragraph borders, row words, cell borders) name colours
//   by number. A {\colortbl ...} among the kept groups starts this file's
//   colour table, so those numbers stay right; without it, cell border
//   colours come from the cells' Qt border brushes and other colour numbers
//   are left out (the reader's default colour, never a wrong one).
// - Column spans are wider cells; row spans are \clvmgf/\clvmrg cells.
// - Cell paddings follow Word, which reads \clpadl as the top padding and
//   \clpadt as the left one; a cell whose paddings are what its row gives
//   (\trpaddX, else \trgaph at the sides) has no padding words of its own.
// - A page break before a paragraph is \pagebb; before a table, \page.
// - A kept field or link ends at the end of its paragraph.

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTextFrame>

#include <memory>
#include <vector>

#include "textctl/rtf/rtfwriterbuffer.h"
#include "textctl/rtf/rtfwritercolortable.h"
#include "textctl/rtf/rtfwriterfonttable.h"
#include "textctl/rtf/rtfwriterlisttable.h"

class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class QTextDocumentFragment;
class QTextImageFormat;
class QTextTable;
class QTextTableCell;
class QTextTableCellFormat;

namespace textctl {

class RichDocument;
struct PageSetup;

QByteArray writeRtf(const RichDocument &doc);
// The same, large pictures' hex left to encode as it is written out.
RtfOutput writeRtfOutput(const RichDocument &doc);

// A piece of text (a copied selection) as a complete RTF document, without
// page values and without a paragraph mark after its last paragraph.
// Pictures take their bytes from `resources`, the document the piece was
// copied from (a fragment carries no resources of its own).
QByteArray writeRtfFragment(const QTextDocumentFragment &fragment,
                            const QTextDocument *resources = nullptr);

class RtfWriter final {
public:
    explicit RtfWriter(const RichDocument &doc);
    // Only a text, written as a main text with no page values.
    explicit RtfWriter(const QTextDocument &text);
    ~RtfWriter();
    Q_DISABLE_COPY_MOVE(RtfWriter)

    // The whole file.
    QByteArray writeAll();
    RtfOutput writeOutput();

    // Leaves out the paragraph mark after the main text's last paragraph
    // (a copied piece that ends inside a paragraph).
    void setLastParagraphMark(bool on) { m_lastParagraphMark = on; }
    // Where pictures find their bytes when not in their own document.
    void setResourceDocument(const QTextDocument *doc) { m_resources = doc; }

    // --- Elements: each appends to body() -----------------------------------
    // \paperw ... \margb, \sectd with \headery, \footery and \titlepg.
    void writePageSetup(const PageSetup &page, bool titlePage);
    // {\header ...}, {\headerf ...}, {\footer ...} or {\footerf ...}.
    void writeArea(int code, const QTextDocument &area);
    // The blocks and tables of a frame; the last block ends with \par
    // unless `lastMark` is false.
    void writeFrame(const QTextFrame *frame, bool lastMark = true);
    // A paragraph with its \par.
    void writeBlock(const QTextBlock &block);
    // \pard and the paragraph properties of a block (list number included).
    void writeBlockFormat(const QTextBlock &block);
    // \plain and the character properties of a format.
    void writeCharFormat(const QTextCharFormat &format);
    // Document text, escaped.
    void writeText(QStringView text);
    // A whole table: rows, cells, nested tables.
    void writeTable(const QTextTable *table);
    // An inline picture ({\pict ...}) or a picture at a page position
    // ({\shp ...}), from a QTextImageFormat of `doc`.
    void writePicture(const QTextDocument &doc, const QTextImageFormat &format);
    // A PAGE or NUMPAGES field object.
    void writeLiveField(const QTextCharFormat &format);
    void writeEmptyField(const QTextCharFormat &format);
    // {\field{\*\fldinst instruction}{\fldrslt result}}
    void writeFieldGroup(const QString &instruction, QStringView result);

    QByteArray body() const { return m_out.bytes(); }
    void clearBody() { m_out.clear(); }

    // The header the tables gathered so far give: {\rtf1 ... up to the
    // body (font, colour and list tables, kept groups).
    QByteArray header() const;
    // The document's style-sheet default fonts, registering their families.
    QByteArray styleSheetFontWords();

private:
    enum class End { Par, Cell, NestCell, None };
    struct FieldKey {
        int id = -1;
        QString instruction;
        bool isField() const { return !instruction.isEmpty(); }
        friend bool operator==(const FieldKey &, const FieldKey &) = default;
    };
    // What a run's format asks for, worked out once per format index.
    struct CharInfo {
        QByteArray rtf;        // \plain and the character words
        FieldKey link;         // the hyperlink the run belongs to
        FieldKey field;        // the kept field, inside the link if both
        QStringList bookmarkStarts;
        QStringList bookmarkEnds;
        QByteArray footnote;
        bool object = false;   // pictures and live fields
        bool ready = false;
    };

    void enterDocument(const QTextDocument *doc);
    void writeFlow(QTextFrame::iterator it, End lastEnd);
    void writeParagraph(const QTextBlock &block, End end);
    void writeRuns(const QTextBlock &block);
    bool sameCharWords(int lastIndex, const QByteArray &words) const;
    void writeObjects(const QTextDocument &doc, QStringView text, const QTextCharFormat &format);
    void writeListText(const QTextBlock &block);
    // Character words outside any group of their own: LibreOffice keeps a
    // \super or \sub across \plain, so a run that drops it says so.
    void writeCharWords(const QByteArray &words);
    // Closes and opens field groups so that the next run is inside `link`
    // and, within it, `field`.
    void switchFields(const FieldKey &link, const FieldKey &field);
    void openField(const QString &instruction);
    void closeField();
    void writeEnd(End end);

    // The cache slot of a character format index (filled when `ready`).
    CharInfo &charSlot(int index);
    const CharInfo &charInfo(int index, const QTextCharFormat &format);
    CharInfo makeCharInfo(const QTextCharFormat &format);
    void writeBookmark(const char *word, const QString &name);
    const QByteArray &blockFormatRtf(const QTextBlock &block);
    QByteArray makeCharFormatRtf(const QTextCharFormat &format);
    QByteArray makeBlockFormatRtf(const QTextBlock &block);
    QByteArray listRtf(const QTextBlock &block);
    QString familyOf(const QTextCharFormat &format) const;
    // Kept words with their colour numbers valid in this file's table.
    QByteArray keptColorWords(const QByteArray &words) const;
    int halfPointsOf(const QTextCharFormat &format) const;

    // Tables (rtfwritertable.cpp).
    void writeRow(const QTextTable *table, int row, const std::vector<int> &bounds);
    void writeCell(const QTextTableCell &cell, int row, int column, const std::vector<int> &bounds);
    // \trowd and the row's words, then one piece per cell.
    std::vector<QByteArray> rowDefinition(const QTextTable *table, int row, const std::vector<int> &bounds);
    void writeRowDefinition(const std::vector<QByteArray> &pieces);
    QByteArray cellDefinition(const QTextTable *table, int row, int column, const std::vector<int> &bounds,
                              const QTextTableCell &first);
    QByteArray derivedBorders(const QTextTable *table, const QTextTableCell &cell);
    QByteArray keptCellBorders(const QByteArray &words, const QTextTableCellFormat &format);
    // Column widths in twips, then a row's cell boundaries (\cellx) from
    // its left edge.
    std::vector<int> columnWidths(const QTextTable *table) const;
    std::vector<int> rowBounds(const QTextTable *table, int row, const std::vector<int> &widths) const;
    // A row's kept words (from the first cell of the row), and a cell's
    // definition words except merges and \cellx, worked out once per
    // table, cell and row format.
    const QByteArray &rowWords(const QTextTableCell &first);
    const QByteArray &cellWords(const QTextTable *table, const QTextTableCell &cell, const QTextTableCell &first);
    struct CellKey {
        int table;
        int cell;
        int row;
        friend bool operator==(const CellKey &, const CellKey &) = default;
        friend size_t qHash(const CellKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.table, key.cell, key.row);
        }
    };

    // Pictures (rtfwriterpicture.cpp).
    QVariant pictureResource(const QTextDocument &doc, const QTextImageFormat &format) const;
    void writePictGroup(const QTextDocument &doc, const QTextImageFormat &format);

    const RichDocument *m_doc = nullptr;
    const QTextDocument *m_text = nullptr;
    const QTextDocument *m_resources = nullptr;
    RtfWriterBuffer m_out;
    RtfWriterFontTable m_fonts;
    RtfWriterColorTable m_colors;
    RtfWriterListTable m_lists;
    QByteArray m_styleSheetFontWords;  // \stshf... of the document, numbered in m_fonts

    // Per-document caches, by QTextFormatCollection index.
    const QTextDocument *m_current = nullptr;
    std::vector<CharInfo> m_charCache;
    QHash<CellKey, QByteArray> m_cellCache;
    QHash<int, QByteArray> m_rowCache;  // by the row's first cell format index
    CharInfo m_scratchInfo;
    std::vector<QByteArray> m_blockCache;
    double m_defaultPointSize = 12;
    QString m_defaultFamily;

    // Width a table may fill: the page's text width, or the cell's.
    int m_availableTwips = 0;
    int m_lastCharIndex = -1;   // format index whose words are in effect
    QByteArray m_lastFootnote;  // a footnote over several runs is written once
    int m_footnotes = 0;        // numbered footnotes written so far, for \chftn
    FieldKey m_link;            // the hyperlink field being written
    FieldKey m_field;           // the kept field being written
    int m_tableDepth = 0;
    int m_tablesWritten = 0;
    // The file's own colour table came with the model: kept words that name
    // colours by number still mean the same colours.
    bool m_keptColorTable = false;
    bool m_inHeaderArea = false;
    bool m_cellStart = false;   // the next paragraph is a cell's first
    bool m_shifted = false;     // the words in effect raise or lower the text
    std::vector<bool> m_shiftedOutside;  // m_shifted outside each open field
    bool m_lastParagraphMark = true;
};

}  // namespace textctl
