#pragma once

// The print preview `PrintPreview` ("Vista Previa"): a document two pages at
// a time, side by side, drawn by the control's page rendering at a PrintZoom
// that fits a page into each box; the scroll bar steps through the page
// pairs (pair v shows pages 2v + 1 and 2v + 2). While it is open the
// document's PrintZoom is the preview's; every way of closing it ("Cerrar",
// the window's close, Escape) gives the document its own zoom back, so later
// printouts come out at their own size.
//
//   commands::showPrintPreview(control, mainWindow);  // modal
//
// The form works without exec(): construct it, read its label, scroll bar
// and the control's zoom, close it.

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;
class QScrollBar;
class TXTextControl;

namespace commands {

class PageBox;

class PrintPreview final : public QDialog {
    Q_OBJECT
public:
    explicit PrintPreview(TXTextControl &control, QWidget *parent = nullptr);
    ~PrintPreview() override;
    Q_DISABLE_COPY_MOVE(PrintPreview)

    // The index of the last pair that holds a page (0 for one or two pages).
    static int lastPair(int pages);
    // "Pages  1 - 2" for pair 0: each number with a leading blank.
    static QString pairLabel(int pair);
    // The PrintZoom that fits a page of this size (twips) into a page box
    // in both directions.
    static int previewZoom(int pageWidth, int pageHeight);

    // The pair shown, the value of the scroll bar.
    int pair() const;
    void setPair(int pair);
    // The document's PrintZoom from before the preview.
    int zoom_guardado() const { return m_zoomGuardado; }

    QLabel &label() const { return *m_label; }
    QScrollBar &scrollBar() const { return *m_scroll; }
    QPushButton &closeButton() const { return *m_cancel; }

    void done(int result) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildForm();
    void showPair(int pair);
    void restoreZoom();

    QPointer<TXTextControl> m_control;
    int m_zoomGuardado = 100;
    bool m_zoomRestored = false;
    QLabel *m_label = nullptr;
    QPushButton *m_cancel = nullptr;
    PageBox *m_left = nullptr;
    PageBox *m_right = nullptr;
    QScrollBar *m_scroll = nullptr;
};

// Shows the preview of `control`'s document modally over `parent`. With no
// display nothing is shown and standard error says so.
void showPrintPreview(TXTextControl &control, QWidget *parent = nullptr);

}  // namespace commands
