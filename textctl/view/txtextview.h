#pragma once

// The page view of a document window: the pages of the control's document
// as white sheets on a grey background, laid out by the control's one
// pagination and scaled by its ZoomFactor, with the header and footer of
// each page in its margins. Editing happens in place: the caret and the
// selection are the control's own cursor (TXTextControl::cursor()), so
// SelStart and SelLength always match what the view shows, and every edit
// goes through a QTextCursor to the document's undo stack and Change.
//
// The part being edited is the control's active header/footer: a
// double-click in a header or footer activates that area (and makes it the
// control's target), a click in the body returns to the main text; the
// parts not being edited are greyed.
//
// A picture placed on the page is selected with a click (handles at its
// corners), moved by dragging it or with the arrow keys, resized by
// dragging a corner and deleted with Delete or Backspace; each an undo
// step. Escape or a click elsewhere lets it go.
//
// Misspelt words are underlined in idle time once a checker is set
// (spellMarks()), so typing never waits for the dictionary.
//
// Keys with Ctrl and a letter or digit are left to the window's menus (the
// view never accepts their ShortcutOverride); the right button asks for a
// context menu through contextMenuRequested.
//
//   auto *view = new TXTextView(control, window);
//   connect(view, &TXTextView::contextMenuRequested, menu, &QMenu::popup);

#include <QAbstractScrollArea>
#include <QAbstractTextDocumentLayout>
#include <QRectF>
#include <QTextCursor>
#include <QTimer>

class SpellMarks;
class TXTextControl;

class TXTextView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TXTextView(TXTextControl *control, QWidget *parent = nullptr);
    ~TXTextView() override;
    Q_DISABLE_COPY_MOVE(TXTextView)

    TXTextControl *control() const { return m_control; }

    // Geometry, in viewport coordinates at the current zoom and scroll.
    QRect pageRect(int page) const;
    QSize documentSize() const;
    int pageCount() const { return m_pages; }
    // The caret's rectangle; empty when there is no editable part.
    QRect caretRect() const;
    // The document position under a viewport point in the part it falls
    // in (0 main text, else an area code), -1 when no part is there.
    int hitTest(const QPoint &viewportPos, int *area) const;
    // Scrolls so that the caret is inside the viewport.
    void ensureCaretVisible();
    // The main-text position anchoring the selected picture, -1 for none.
    int selectedPicture() const;
    // Its rectangle in viewport coordinates; null when none is selected.
    QRect selectedPictureRect() const;

    // The spelling underline (txtextviewspelling.cpp).
    SpellMarks &spellMarks() const { return *m_spell; }
    // The underlined word under a viewport point of the part being edited,
    // selected; null when there is none.
    QTextCursor markedWordAt(const QPoint &viewportPos) const;
    // The idle-time check, run at once (the idle timer calls it).
    void checkSpelling();
    // How long after the last edit the check starts.
    static constexpr int kSpellIdleMs = 400;

signals:
    void contextMenuRequested(const QPoint &globalPos);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    enum class Region { Header, Body, Footer };
    struct Hit {
        int page = 1;
        QPointF sheet;  // reference pixels on the sheet
        Region region = Region::Body;
    };

    double scale() const;
    QPointF pageOrigin(int page) const;
    Hit hitAt(const QPoint &viewportPos) const;
    int positionIn(int area, const Hit &hit) const;
    int areaOfRegion(const Hit &hit) const;
    int activeArea() const;
    int pageOfActiveArea() const;
    QRectF caretSheetRect(int *page) const;

    void reportScrollPosition();
    void scheduleRelayout();
    void relayout();
    void repaintAll();
    void watchLayouts();
    void layoutUpdated(const QRectF &rect);
    void pagesFound(int page);
    void repaintDirty();
    void selectionMoved();
    void updateCaret();
    void restartCaret();
    void caretMoved();

    // Pictures placed on the page (txtextviewpictures.cpp).
    enum class PictureDrag { None, Move, Resize };
    bool pressPicture(const QPoint &viewportPos);
    bool dragPicture(const QPoint &viewportPos);
    bool releasePicture();
    bool pictureKey(QKeyEvent *event);
    void drawPictureSelection(QPainter &painter) const;
    QRectF pictureSheetRect(int position, int *page) const;
    void placePicture(const QRectF &sheetRect);
    void dropPictureSelection();
    bool picturesPlacedOn(int firstPage, int lastPage) const;

    void restartSpellCheck();
    static QList<QAbstractTextDocumentLayout::Selection> marksBetween(
        const QList<QAbstractTextDocumentLayout::Selection> &marks, int first, int end);

    // Editing (txtextviewinput.cpp).
    QTextCursor editCursor() const;
    void syncTarget();
    void commit(const QTextCursor &cursor);
    bool ownsKey(const QKeyEvent *event) const;
    bool handleMoveKey(QKeyEvent *event);
    bool handleEditKey(QKeyEvent *event);
    void movePage(QTextCursor &cursor, int direction, QTextCursor::MoveMode mode) const;
    void activate(int area, int page);
    void placeCaret(const QPoint &viewportPos, bool extend);

    TXTextControl *m_control = nullptr;
    QTimer m_blink;
    SpellMarks *m_spell = nullptr;
    QTimer m_spellIdle;
    bool m_caretOn = true;
    bool m_relayoutPending = false;
    // What an edit or the pagination changed, repainted with the relayout:
    // a rectangle of the main text's layout, the pages from one on, or all.
    QRectF m_dirty;
    int m_dirtyFromPage = 0;
    bool m_repaintAll = false;
    QSize m_shownSize;
    QRect m_caretShown;  // where the caret was last drawn, viewport coordinates
    bool m_hadSelection = false;
    bool m_dragging = false;
    int m_pages = 1;
    int m_areaPage = 0;  // the page an area was activated on
    QString m_preedit;
    int m_picture = -1;  // anchor of the selected picture
    PictureDrag m_pictureDrag = PictureDrag::None;
    int m_dragCorner = 0;  // the corner dragged: 0 top left, 1 top right, 2 bottom left, 3 bottom right
    QPointF m_dragStart;   // sheet point of the press
    QRectF m_dragFrom;     // the picture on the sheet at the press
    QRectF m_dragNow;      // and as dragged so far
};
