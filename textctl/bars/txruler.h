#pragma once

// The horizontal ruler of a document window, in centimetres at the linked
// control's zoom (96 pixels an inch at 100 %). It shows the page margins
// (grey outside the text area) and, for the paragraph at the caret, the left,
// first-line and right indents and the tab stops.
//
// Editing with the mouse: dragging the top triangle moves the first-line
// indent; the bottom triangle moves the left indent keeping the first line
// where it is; the box under it moves both; the bottom-right triangle moves
// the right indent; dragging a margin edge (the middle band at the grey/white
// border) moves the page margin; a click on the text area adds a left tab;
// dragging a tab moves it, dragging it off the ruler removes it. Paragraph
// edits go through a QTextCursor on the control (one undo step, and Change);
// distances are rounded to the model's 15-twip step.
//
//   TXRuler ruler;
//   ruler.setControl(&control);   // nullptr unlinks

#include "textctl/bars/controllink.h"
#include "textctl/editing/paragraphedit.h"

#include <QWidget>

class TXTextControl;

class TXRuler final : public QWidget {
    Q_OBJECT
public:
    enum class Marker { LeftMargin, RightMargin, FirstLine, LeftIndent, RightIndent };

    explicit TXRuler(QWidget *parent = nullptr);
    ~TXRuler() override;
    Q_DISABLE_COPY_MOVE(TXRuler)

    void setControl(TXTextControl *control);
    TXTextControl *control() const { return m_link.control(); }

    // The ruler x of the page's left edge; the view sets it when it scrolls
    // or centres the page. 0 by default.
    void setPageOffset(int x);
    int pageOffset() const { return m_pageOffset; }

    // Where a marker or the tab stops are drawn, in ruler pixels (0 and no
    // tabs without a control).
    double markerX(Marker marker) const;
    QList<double> tabX() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Part { None, LeftMargin, RightMargin, FirstLine, LeftIndent, LeftBoth, RightIndent, Tab, NewTab };

    // What the ruler shows, in twips.
    struct State {
        bool valid = false;
        int zoom = 100;
        textctl::PageValues page;
        textctl::ParagraphIndents indents;
        QList<textctl::TabStop> tabs;
    };

    struct Drag {
        Part part = Part::None;
        int tab = -1;
        int pressX = 0;
        int x = 0;
        int y = 0;
    };

    State currentState() const;
    State draggedState(State state) const;
    void commit(const State &before, const State &after);
    Part hitTest(const State &state, QPoint pos, int *tab) const;
    double xOf(const State &state, double pageTwips) const;
    double twipsAt(const State &state, int x) const;
    bool offRuler(int y) const;

    void paintScale(QPainter &painter, const State &state) const;
    void paintIndents(QPainter &painter, const State &state) const;
    void paintTabs(QPainter &painter, const State &state) const;

    textctl::ControlLink m_link;
    Drag m_drag;
    int m_pageOffset = 0;
};
