#pragma once

// A document window: the rich-text control TXTextControl1 shown by its page
// view, the ruler TXRuler1 above it, the window's tag (its slot number as
// decimal text) and the menus the main window shows while it is current.
// The window asks the editor module before it closes and tells it when it
// unloads; everything else it delegates to the module too.

#include "data/claimdata.h"
#include "textctl/txtextcontrol.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class TXRuler;
class TXTextView;

namespace frame {

class Editor;

class MDIchild final : public QWidget {
    Q_OBJECT
public:
    MDIchild(Editor &editor, QWidget *parent = nullptr);
    ~MDIchild() override;

    TXTextControl &TXTextControl1() { return m_control; }
    TXTextView *view() const { return m_view; }
    TXRuler *TXRuler1() const { return m_ruler; }

    QString Tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }
    QString caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // The holder of the record a merge filled this window from; a window
    // opened from a file has none and is checked against record 1.
    const std::optional<data::HolderFields> &holder() const { return m_holder; }
    void setHolder(const data::HolderFields &holder) { m_holder = holder; }
    // The claim number of the record a merge filled this window from.
    QString claimNumber() const { return m_claimNumber; }
    void setClaimNumber(const QString &numero) { m_claimNumber = numero; }

    // The menus the main window's menu bar shows while this window is
    // current, and the items and submenus by name ("guardaritem",
    // "mnueditar"...).
    const QList<QAction *> &menuBarActions() const { return m_menuBarActions; }
    QAction *item(const QString &name) const;
    // The "Editar" menu, which the right button also opens in the text.
    QMenu *mnueditar() const { return m_mnueditar; }

    // The menu the right button opens at `globalPos`: "Editar", with the
    // suggestions for the underlined word there on top of it.
    QMenu *contextMenuAt(const QPoint &globalPos);
    // Switches the spelling underline ("Revisar ortografía al escribir").
    void setSpellingUnderline(bool on);

    void setRulerVisible(bool visible);
    // Room for a page at 100 % beside the frame's own bars.
    QSize sizeHint() const override { return {900, 700}; }
    // Closes without the close request (the program is ending).
    void closeWithoutPrompt();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void load();
    void alignRuler();
    bool eventFilter(QObject *watched, QEvent *event) override;

    // The menus (mdichildmenu.cpp).
    void createMenus();
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key,
                     std::function<void()> command);
    void addSeparator(QMenu *menu, const QString &name);
    void addChoiceItems(QMenu *menu, const QList<QAction *> &items);
    // The control with the area being edited as its target.
    TXTextControl &editedControl();
    void saliritem_Click();
    void switchBar(QWidget *bar, const QString &item);
    void setZoom(int percent);
    void showZoomMarks(int percent);
    void arrange(int how, const QString &item);
    void switchHeaderFooter(int part);
    void showHeaderFooterMarks();
    void setNumbering(int style);
    void changeLevel(int direction);
    void insertPicture();
    void scanPicture();
    // The "Tabla" menu (mdichildtables.cpp).
    void createTableMenu(QMenu *formato);
    void tablaitem_Click();
    void tabla2item_Click();
    void visibleitem_Click();
    // Spelling (mdichildspelling.cpp).
    void correctoritem_Click();

    Editor &m_editor;
    TXTextControl m_control;
    TXTextView *m_view = nullptr;
    TXRuler *m_ruler = nullptr;
    QString m_tag;
    std::optional<data::HolderFields> m_holder;
    QString m_claimNumber;
    bool m_closingWithoutPrompt = false;
    QList<QAction *> m_menuBarActions;
    QMenu *m_mnueditar = nullptr;
};

// Sizes the window's control under the ruler and colours the window's
// background grey when it is wider than its control, white otherwise.
void ajustar_ventana(MDIchild &ventana);

}  // namespace frame
