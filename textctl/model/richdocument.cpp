#include "textctl/model/richdocument.h"

#include "textctl/model/layoutformats.h"

#include <QFont>
#include <QTextDocument>
#include <QTextOption>

namespace textctl {

RichDocument::RichDocument()
{
    m_texts[areaIndex(MainText)] = makeTextDocument();
}

RichDocument::~RichDocument() = default;

std::unique_ptr<QTextDocument> RichDocument::makeTextDocument()
{
    auto doc = std::make_unique<QTextDocument>();
    QFont font(kDefaultFont);
    font.setPointSizeF(kDefaultFontHalfPoints / 2.0);
    // No ligatures, as word processors set text by default: a PDF of the
    // page then gives back its words letter for letter ("ti" is no glyph
    // of its own that text extraction turns into a blank). Qt sets none in
    // text with a letter spacing, and 100 % changes no width; the text is
    // still shaped, so that pair kerning works where the text asks for it.
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    // No pair kerning unless the text asks for it (\kerning), as word
    // processors set it: lines then hold the words theirs hold.
    font.setKerning(false);
    doc->setDefaultFont(font);
    QTextOption option = doc->defaultTextOption();
    option.setTabStopDistance(twipsToPixels(kDefaultTabTwips));
    // Left to right unless a paragraph says otherwise: the layout then need
    // not scan every paragraph's text for its direction on every edit.
    option.setTextDirection(Qt::LeftToRight);
    doc->setDefaultTextOption(option);
    doc->setDocumentMargin(0);
    doc->setUseDesignMetrics(true);  // as every device lays it out
    doc->setUndoRedoEnabled(true);
    new LayoutFormatKeeper(doc.get());
    return doc;
}

QTextDocument *RichDocument::area(int code) const
{
    const int index = areaIndex(code);
    return index < 0 ? nullptr : m_texts[index].get();
}

QTextDocument *RichDocument::ensureArea(int code)
{
    const int index = areaIndex(code);
    if (index < 0)
        return nullptr;
    if (!m_texts[index]) {
        m_texts[index] = makeTextDocument();
        m_texts[index]->setDefaultFont(main()->defaultFont());
    }
    return m_texts[index].get();
}

void RichDocument::removeArea(int code)
{
    if (code != MainText && areaIndex(code) >= 0)
        m_texts[areaIndex(code)].reset();
}

std::unique_ptr<QTextDocument> RichDocument::takeArea(int code)
{
    if (code == MainText || areaIndex(code) < 0)
        return nullptr;
    return std::move(m_texts[areaIndex(code)]);
}

void RichDocument::putArea(int code, std::unique_ptr<QTextDocument> text)
{
    if (code != MainText && areaIndex(code) >= 0 && text)
        m_texts[areaIndex(code)] = std::move(text);
}

QList<QTextDocument *> RichDocument::texts() const
{
    QList<QTextDocument *> out;
    for (const auto &text : m_texts)
        if (text)
            out.append(text.get());
    return out;
}

int RichDocument::headerFooterSet() const
{
    int set = 0;
    for (int code : kHeaderFooterAreas)
        if (area(code))
            set += code;
    return set;
}

void RichDocument::setHeaderFooterSet(int set)
{
    for (int code : kHeaderFooterAreas) {
        if (set & code)
            ensureArea(code);
        else
            removeArea(code);
    }
}

void RichDocument::clear()
{
    main()->clear();
    for (int code : kHeaderFooterAreas)
        removeArea(code);
    leftHeaderRtf.clear();
    leftFooterRtf.clear();
    keptGroups.clear();
}

}  // namespace textctl
