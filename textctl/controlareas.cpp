// Removing a header or footer area as an undoable edit.

#include "textctl/txtextcontrol.h"

#include <QAbstractUndoItem>
#include <QTextDocument>

// An entry of the main text's undo history that holds a removed area: undo
// puts it back, redo takes it out again.
class AreaRemoval final : public QAbstractUndoItem {
public:
    AreaRemoval(TXTextControl &control, int area, std::unique_ptr<QTextDocument> removed)
        : m_control(control),
          m_area(area),
          m_removed(std::move(removed))
    {
    }

    void undo() override { m_control.putArea(m_area, std::move(m_removed)); }
    void redo() override { m_control.takeArea(m_area, &m_removed); }

private:
    TXTextControl &m_control;
    int m_area;
    std::unique_ptr<QTextDocument> m_removed;
};

void TXTextControl::removeHeaderFooter(int area)
{
    if (area == textctl::MainText || !m_doc.area(area))
        return;
    std::unique_ptr<QTextDocument> removed;
    takeArea(area, &removed);
    m_doc.main()->appendUndoItem(new AreaRemoval(*this, area, std::move(removed)));
}

void TXTextControl::takeArea(int area, std::unique_ptr<QTextDocument> *into)
{
    *into = m_doc.takeArea(area);
    m_cursors[textctl::areaIndex(area)] = QTextCursor();
    if (m_active == area)
        m_active = 0;
    emit headerFooterChanged();
    emit Change();
}

void TXTextControl::putArea(int area, std::unique_ptr<QTextDocument> text)
{
    m_doc.putArea(area, std::move(text));
    attachDocuments();
    emit headerFooterChanged();
    emit Change();
}

// The areas a rewrite changed, swapped with the documents they were before:
// undo and redo both exchange them.
class AreaRewrite final : public QAbstractUndoItem {
public:
    AreaRewrite(TXTextControl &control, std::vector<std::pair<int, std::unique_ptr<QTextDocument>>> others)
        : m_control(control),
          m_others(std::move(others))
    {
    }

    void undo() override { swapAll(); }
    void redo() override { swapAll(); }

private:
    void swapAll()
    {
        for (auto &[area, other] : m_others)
            m_control.swapArea(area, other);
    }

    TXTextControl &m_control;
    std::vector<std::pair<int, std::unique_ptr<QTextDocument>>> m_others;
};

QTextDocument *TXTextControl::rewriteArea(int area)
{
    if (area == textctl::MainText || !m_doc.area(area))
        return nullptr;
    for (const auto &[rewritten, original] : m_rewriteOriginals) {
        if (rewritten == area)
            return m_doc.area(area);
    }
    // The copy has no undo history: what the rewrite changes is undone
    // only from the main text, as one step.
    std::unique_ptr<QTextDocument> copy(m_doc.area(area)->clone());
    copy->setUndoRedoEnabled(false);
    swapArea(area, copy);
    m_rewriteOriginals.emplace_back(area, std::move(copy));
    return m_doc.area(area);
}

void TXTextControl::endAreaRewrite(bool joinMainEdit)
{
    if (m_rewriteOriginals.empty())
        return;
    for (const auto &[area, original] : m_rewriteOriginals)
        m_doc.area(area)->setUndoRedoEnabled(true);
    QTextCursor main(m_doc.main());
    if (joinMainEdit)
        main.joinPreviousEditBlock();
    else
        main.beginEditBlock();
    m_doc.main()->appendUndoItem(new AreaRewrite(*this, std::move(m_rewriteOriginals)));
    main.endEditBlock();
    m_rewriteOriginals.clear();
}

// The area's document exchanged with `other`, the area staying active when
// it was.
void TXTextControl::swapArea(int area, std::unique_ptr<QTextDocument> &other)
{
    std::unique_ptr<QTextDocument> current = m_doc.takeArea(area);
    m_doc.putArea(area, std::move(other));
    other = std::move(current);
    m_cursors[textctl::areaIndex(area)] = QTextCursor();
    attachDocuments();
    emit headerFooterChanged();
    emit Change();
}
