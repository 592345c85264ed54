#include "textctl/model/richdocument.h"

#include <QFont>
#include <QTextDocument>
#include <QTextOption>

namespace textctl {

RichDocument::RichDocument()
    : m_main(makeTextDocument())
{
}

RichDocument::~RichDocument() = default;

std::unique_ptr<QTextDocument> RichDocument::makeTextDocument()
{
    auto doc = std::make_unique<QTextDocument>();
    QFont font(kDefaultFont);
    font.setPointSizeF(kDefaultFontHalfPoints / 2.0);
    doc->setDefaultFont(font);
    QTextOption option = doc->defaultTextOption();
    option.setTabStopDistance(twipsToPixels(kDefaultTabTwips));
    doc->setDefaultTextOption(option);
    doc->setDocumentMargin(0);
    doc->setUndoRedoEnabled(true);
    return doc;
}

int RichDocument::slotOf(int code)
{
    switch (code) {
    case Header: return 0;
    case FirstHeader: return 1;
    case Footer: return 2;
    case FirstFooter: return 3;
    default: return -1;
    }
}

QTextDocument *RichDocument::area(int code) const
{
    if (code == Main)
        return m_main.get();
    const int slot = slotOf(code);
    return slot < 0 ? nullptr : m_areas[slot].get();
}

QTextDocument *RichDocument::ensureArea(int code)
{
    if (code == Main)
        return m_main.get();
    const int slot = slotOf(code);
    if (slot < 0)
        return nullptr;
    if (!m_areas[slot]) {
        m_areas[slot] = makeTextDocument();
        m_areas[slot]->setDefaultFont(m_main->defaultFont());
    }
    return m_areas[slot].get();
}

void RichDocument::removeArea(int code)
{
    const int slot = slotOf(code);
    if (slot >= 0)
        m_areas[slot].reset();
}

int RichDocument::headerFooterSet() const
{
    int set = 0;
    for (int code : kAreaCodes)
        if (area(code))
            set += code;
    return set;
}

void RichDocument::setHeaderFooterSet(int set)
{
    for (int code : kAreaCodes) {
        if (set & code)
            ensureArea(code);
        else
            removeArea(code);
    }
}

void RichDocument::clear()
{
    m_main->clear();
    for (auto &area : m_areas)
        area.reset();
    leftHeaderRtf.clear();
    leftFooterRtf.clear();
    keptGroups.clear();
}

}  // namespace textctl
