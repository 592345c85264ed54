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
