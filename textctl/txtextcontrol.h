#pragma once

// The rich-text control every document window holds, without its widgets:
// the main text and the header and footer areas, selection and search on the
// target area, the clipboard, undo, page values and files.
//
// Positions are document positions of the target area: one per character,
// one per paragraph break and per table-cell boundary, one per picture or
// live field. The target area (HeaderFooterSelect) is 0 for the main text or
// 1, 2, 4, 8 for the page header, first-page header, page footer and
// first-page footer; selecting an absent area leaves no target, so Find
// answers -1 and writes go nowhere.
//
//   TXTextControl control;
//   control.setText(u"Titular: &Nombre del titular&"_s);
//   if (control.Find(u"&nombre del titular&"_s, 0, 16) >= 0)
//       control.setSelText(u"María"_s);

#include "textctl/documentfiles.h"
#include "textctl/model/richdocument.h"
#include "textctl/textsearch.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QRect>
#include <QString>
#include <QTextCursor>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;
class QTextTable;

namespace textctl {
class Pagination;
}

class TXTextControl final : public QObject {
    Q_OBJECT
public:
    explicit TXTextControl(QObject *parent = nullptr);
    ~TXTextControl() override;
    Q_DISABLE_COPY_MOVE(TXTextControl)

    textctl::RichDocument &document() { return m_doc; }
    const textctl::RichDocument &document() const { return m_doc; }
    // The document of the target area, or nullptr when that area is absent.
    QTextDocument *targetDocument() const;
    // The cursor of the target area (selection included); null when absent.
    QTextCursor cursor() const;
    void setCursor(const QTextCursor &cursor);

    // Text of the target area.
    QString Text() const;
    void setText(const QString &text);
    QString SelText() const;
    void setSelText(const QString &text);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);  // -1: to the end

    // Case-insensitive search of the target area from `start`; selects the
    // match and returns its position, or -1 with nothing selected. Options 16
    // (no message, no case matching) is the only mode: letter case is never
    // matched.
    int Find(const QString &text, int start = 0, int options = 16);

    // Header and footer areas.
    int HeaderFooter() const { return m_doc.headerFooterSet(); }
    void setHeaderFooter(int set);
    // Takes one area out of the set as an edit of the main text: its undo
    // brings the area back with its text (an area the user wrote in must
    // not be lost to a menu click).
    void removeHeaderFooter(int area);
    // Several areas rewritten as one step of the main text's undo history
    // (a spelling check of the whole report): the first call for an area
    // puts an exact copy of it in its place, with no undo history of its
    // own, and returns the copy to be edited (nullptr for an absent area or
    // the main text). endAreaRewrite() records the step, after the main
    // text's own edits of the same change when `joinMainEdit`: its undo
    // brings the areas back as they were, their own undo history included.
    QTextDocument *rewriteArea(int area);
    void endAreaRewrite(bool joinMainEdit);
    int HeaderFooterSelect() const { return m_target; }
    void setHeaderFooterSelect(int area);
    int activeHeaderFooter() const { return m_active; }
    void activateHeaderFooter(int area);  // 0: the main text

    // 1 cut, 2 copy, 3 paste, 4 delete; on the target area's selection.
    void Clip(int action);
    void Undo();
    void Redo();
    bool canUndo() const;
    bool canRedo() const;

    // Page values in twips, one by one or the six at once.
    const textctl::PageValues &pageValues() const { return m_doc.page; }
    void setPageValues(const textctl::PageValues &values);
    int PageWidth() const { return m_doc.page.width; }
    int PageHeight() const { return m_doc.page.height; }
    int PageMarginL() const { return m_doc.page.marginLeft; }
    int PageMarginT() const { return m_doc.page.marginTop; }
    int PageMarginR() const { return m_doc.page.marginRight; }
    int PageMarginB() const { return m_doc.page.marginBottom; }
    void setPageWidth(int twips);
    void setPageHeight(int twips);
    void setPageMarginL(int twips);
    void setPageMarginT(int twips);
    void setPageMarginR(int twips);
    void setPageMarginB(int twips);
    // 0 width, 1 height, 2-5 margins left, top, right, bottom: the page
    // values a load read and a save writes. They start at the control's page
    // values; anything outside 0-5 reads 0 and is not written.
    int LoadSaveAttribute(int index) const;
    void setLoadSaveAttribute(int index, int twips);
    const textctl::PageValues &loadSaveValues() const { return m_loadSave; }
    void setLoadSaveValues(const textctl::PageValues &values) { m_loadSave = values; }
    // PageWidth, PageHeight and the four margins, in that order, from
    // LoadSaveAttribute 0 to 5: the page the last load read.
    void usePageOfLoad() { setPageValues(m_loadSave); }

    int ZoomFactor() const { return m_zoom; }
    void setZoomFactor(int percent);
    int PrintZoom() const { return m_printZoom; }
    void setPrintZoom(int percent);
    bool InsertMode() const { return m_insertMode; }
    void setInsertMode(bool insert);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int shape);

    // Files: `start` is the byte the content starts at (0 for a whole file).
    // Load replaces the content and leaves no undo step. Save(path, offset)
    // keeps the file's first `offset` bytes and writes the control's own
    // format after them. All return false and set errorString() on failure.
    bool Load(const QString &path, int start, int format);
    // Load of content read beforehand (readDocumentContent), as Load would
    // read it from its file.
    bool LoadContent(const textctl::DocumentContent &content);
    bool Save(const QString &path, int start, int format);
    bool Save(const QString &path, qint64 offset);
    bool RTFImport(const QString &path);
    bool TextImport(const QString &path);
    QString errorString() const { return m_error; }

    // Pictures (controlpictures.cpp).
    // "Description|pattern|..." of the picture files ObjectInsertFixed
    // reads: all of them first, then PNG, JPEG, BMP, GIF, TIFF and WebP, each
    // where this machine's Qt reads it.
    static QString ImageFilters();
    // The view's vertical scroll position in twips from the top of page 1,
    // a page counting its page height: ScrollPosY() + 1000 is 1000 twips
    // below the top of what is on screen. The view keeps it up to date.
    int ScrollPosY() const { return m_scrollPosY; }
    void setScrollPosY(int twips) { m_scrollPosY = qMax(0, twips); }
    // Places the picture file `path` (kind 0, the only kind) on the page at
    // x twips from the page's left edge and y twips in ScrollPosY's terms,
    // at scaleX and scaleY percent of its natural size (a pixel a 1/96 inch),
    // made smaller to fit the body when larger; the eight layout values
    // that follow are accepted and not used. The picture is anchored in the
    // main text's paragraph at y on that page (the last page when y is past
    // it) and keeps its place on the page as the text flows; one undo step.
    // PNG and JPEG keep their bytes, other formats are stored as PNG. False
    // with errorString() when the file cannot be read as a picture; the
    // document is then unchanged.
    bool ObjectInsertFixed(int kind, const QString &path, int x, int y, int scaleX, int scaleY,
                           int, int, int, int, int, int, int, int);
    // The fixed picture anchored at main-text `position` moved and sized to
    // `box`, twips from its page's top-left corner; one undo step. False
    // when no fixed picture is anchored there.
    bool placeFixedPicture(int position, const QRect &box);
    // The fixed picture anchored at `position` removed; one undo step.
    bool removeFixedPicture(int position);

    // Tables of the target area (controltables.cpp). A table is known by
    // an identifier from 1 to 32767, unique in the document (0: no table);
    // tables read from a file get theirs when first asked. Rows and columns
    // count from 1; a cell's start counts from 1 (a cell starting at p
    // starts at SelStart p - 1). Every edit is one undo step; outside a
    // table, or for a table, row or column that is not there, reads give 0
    // and edits do nothing.
    //
    // Inserts a table at `position` (-1: the input position) and answers
    // the identifier it got: `id` when the document has no table with it,
    // else the next free one (past 32767 the count starts again at 11).
    // 0 when nothing was inserted: no target, a row count outside 1-32767,
    // a column count outside 1-63, or no identifier left.
    int TableInsert(int rows, int columns, int position, int id);
    // Attribute 2, the printed grid lines: 3 lines, 0 none. Row and column
    // 0 stand for the whole table: it reads 3 when every cell has lines.
    int TableCellAttribute(int id, int row, int column, int attribute);
    void setTableCellAttribute(int id, int row, int column, int attribute, int value);
    int TableAtInputPos();
    int TableRowAtInputPos() const;
    int TableColAtInputPos() const;
    int TableRows(int id);
    int TableColumns(int id);
    int TableCellStart(int id, int row, int column);
    int TableCellLength(int id, int row, int column);
    bool TableCanInsert() const;
    bool TableCanInsertColumn() const;
    bool TableCanInsertRows() const;
    bool TableCanDeleteRows() const;
    bool TableCanDeleteColumn() const;
    // 1 left of the current column, 2 right of it.
    void TableInsertColumn(int position);
    // 1 above the current row, 2 below it.
    void TableInsertRows(int position, int count);
    // The rows the selection covers, or the row at the input position; the
    // table goes when they are all its rows.
    void TableDeleteRows();
    void TableDeleteColumn();
    // The edits between these join the last undo step of the target area
    // (a table and its lines are one step).
    void beginJoinedEdit();
    void endJoinedEdit();
    // The table that holds the input position, or nullptr.
    QTextTable *currentTable() const;
    QTextTable *tableById(int id);

    // Pages and printing, all from the one pagination (pagination.h): the
    // layout is attached on first use, never during a merge's edits.
    textctl::Pagination &pagination();
    int CurrentPages();
    // The device PrintPage draws on (a printer, a PDF writer, an image).
    // Changing it, or endPrint(), ends the painting on the previous one;
    // call endPrint() before the device goes away.
    void setPrintDevice(QPaintDevice *device);
    QPaintDevice *PrintDevice() const { return m_printDevice; }
    // Draws page `page` (1-based) at PrintZoom percent of its true size,
    // its top-left corner at the device's page corner. On a paged device
    // the first call begins the painting and each later one starts a new
    // sheet. False when there is no device or it cannot be painted on.
    bool PrintPage(int page);
    // Ends the job on the print device (a PDF is written, a printout sent).
    bool endPrint();

signals:
    // The text of any area changed (not raised by a load).
    void Change();
    void zoomChanged(int percent);
    void mousePointerChanged(int shape);
    void headerFooterChanged();
    // The page size or a margin changed (not raised by a load's reading).
    void pageValuesChanged();
    // The caret or selection was moved through this interface (setCursor,
    // SelStart, SelLength, Find) or the target area changed; edits report
    // through the documents' own signals.
    void selectionChanged();

private:
    QTextCursor &targetCursor();
    QTextCharFormat formatForReplacement(const QTextCursor &cursor) const;
    void attachDocuments();
    friend class AreaRemoval;
    friend class AreaRewrite;
    void swapArea(int area, std::unique_ptr<QTextDocument> &other);
    void takeArea(int area, std::unique_ptr<QTextDocument> *into);
    void putArea(int area, std::unique_ptr<QTextDocument> text);
    void resetCursors();
    void setPageValue(int textctl::PageValues::*value, int twips);
    bool withLoadSavePage(const std::function<bool()> &action);
    bool loadWith(const std::function<bool()> &read);
    bool fail(const QString &message);
    bool readImport(const QString &path, QByteArray *bytes);
    int tableId(QTextTable *table);
    int fileTableId(const QTextTable *table) const;
    void keepCaretInCell(QTextTable *table, int row, int column, int offset);
    QSet<int> usedTableIds();

    textctl::RichDocument m_doc;
    textctl::TextSearch m_search;
    std::array<QTextCursor, textctl::kTextCount> m_cursors;  // by areaIndex()
    textctl::PageValues m_loadSave;
    int m_target = 0;
    int m_active = 0;
    int m_zoom = 100;
    int m_printZoom = 100;
    bool m_insertMode = true;
    int m_mousePointer = 0;
    int m_scrollPosY = 0;
    bool m_loading = false;
    QString m_error;
    std::unique_ptr<textctl::Pagination> m_pagination;
    QPaintDevice *m_printDevice = nullptr;
    std::unique_ptr<QPainter> m_printPainter;
    // Identifiers given to tables that came without one (from a file); a
    // table that is gone leaves a null pointer, dropped on the next look-up.
    QList<std::pair<QPointer<QObject>, int>> m_fileTableIds;
    std::vector<std::pair<int, std::unique_ptr<QTextDocument>>> m_rewriteOriginals;
};
