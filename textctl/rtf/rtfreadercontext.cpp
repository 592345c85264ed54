#include "textctl/rtf/rtfreadercontext.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/rtf/rtfreaderdoctables.h"
#include "textctl/rtf/rtfreaderfields.h"
#include "textctl/rtf/rtfreaderlists.h"
#include "textctl/rtf/rtfreaderpara.h"

#include <algorithm>

namespace textctl::rtf {

ReaderContext::ReaderContext(QByteArrayView rtf)
    : m_rtf(rtf)
{
    m_groups.reserve(64);
    m_groups.emplace_back();
    m_groups.back().story = &mainStory;
}

void ReaderContext::pushGroup(qsizetype offset)
{
    if (static_cast<int>(m_groups.size()) >= kMaxDepth) {
        ++m_overflow;
        return;
    }
    GroupState state = m_groups.back();
    state.openOffset = offset;
    state.verbatim = GroupState::Verbatim::None;
    state.document = false;
    state.text.clear();
    m_groups.push_back(std::move(state));
}

bool ReaderContext::popGroup(GroupState &closed)
{
    if (m_overflow > 0) {
        --m_overflow;
        return false;
    }
    if (m_groups.size() <= 1)
        return false;  // a stray closing brace
    closed = std::move(m_groups.back());
    m_groups.pop_back();
    return true;
}

RowDef &ReaderContext::rowDef(int level)
{
    level = std::clamp(level, 1, 64);
    if (static_cast<int>(m_rowDefs.size()) < level)
        m_rowDefs.resize(level);
    return m_rowDefs[level - 1];
}

int ReaderContext::codePage() const
{
    const int cp = top().chr.codePage;
    return cp != 0 ? cp : documentCodePage;
}

void ReaderContext::resolveSectionBreak()
{
    if (!sectionBreakPending)
        return;
    sectionBreakPending = false;
    if (!sectionBreakNone)
        mainStory.requestPageBreak();
}

void ReaderContext::appendToStory(const QString &text)
{
    if (top().story == &mainStory)
        resolveSectionBreak();
    if (top().field >= 0)
        fields[top().field].resultHasText = true;
    Paragraph &paragraph = top().story->current();
    if (paragraph.isEmpty()) {
        const ParaState &p = top().para;
        m_firstTextList = {&paragraph, p.listOverride, p.listLevel, p.legacy};
    }
    if (pendingBookmarkStarts.isEmpty()) {
        paragraph.appendText(text, top().chr.format);
        return;
    }
    // Bookmarks that start here mark the first character on its own.
    QTextCharFormat marked = top().chr.format;
    marked.setProperty(prop::BookmarkStarts, pendingBookmarkStarts);
    if (!pendingBookmarkEnds.isEmpty())
        marked.setProperty(prop::BookmarkEnds, pendingBookmarkEnds);
    pendingBookmarkStarts.clear();
    pendingBookmarkEnds.clear();
    const int first = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    paragraph.runs.push_back({text.left(first), marked});
    if (text.size() > first)
        paragraph.appendText(text.mid(first), top().chr.format);
}

void ReaderContext::insertText(const QString &text)
{
    if (text.isEmpty())
        return;
    GroupState &g = top();
    switch (g.destination) {
    case Destination::Text:
    case Destination::TableProps:
        appendToStory(text);
        g.chr.superText |= g.chr.superRun;
        break;
    case Destination::LiveFieldResult: insertLiveField(*this); break;
    case Destination::FieldInstruction:
        if (g.field >= 0)
            fields[g.field].instruction += text;
        break;
    case Destination::FontTable:
        appendFontTableText(*this, text);
        break;
    case Destination::ColorTable:
        colors.appendText(text);
        break;
    case Destination::StyleEntry:
    case Destination::LevelText:
    case Destination::BookmarkStart:
    case Destination::BookmarkEnd:
    case Destination::ShapePropertyName:
    case Destination::ShapePropertyValue:
    case Destination::LegacyListBefore:
    case Destination::LegacyListAfter:
        g.text += text;
        break;
    default:
        break;
    }
}

void ReaderContext::insertObject(const QTextCharFormat &format, int picture)
{
    insertObjectInto(top(), format, picture);
}

void ReaderContext::insertTextInto(GroupState &g, const QString &text, const QTextCharFormat &format)
{
    if (g.destination != Destination::Text || text.isEmpty())
        return;
    if (g.story == &mainStory)
        resolveSectionBreak();
    g.story->current().appendText(text, format);
}

void ReaderContext::insertObjectInto(GroupState &g, const QTextCharFormat &format, int picture)
{
    const Destination d = g.destination;
    if (d != Destination::Text && d != Destination::LiveFieldResult)
        return;
    if (g.story == &mainStory)
        resolveSectionBreak();
    g.story->current().appendObject(format, picture);
}

int ReaderContext::tableLevel() const
{
    const ParaState &p = top().para;
    int level = p.nesting > 0 ? p.nesting : (p.inTable ? 1 : 0);
    // Some writers leave \intbl out: text between a row's cells is still
    // in the row.
    if (level == 0 && top().story->rowInProgress(1))
        level = 1;
    return level;
}

const ParaState &ReaderContext::paragraphState(ParaState &scratch) const
{
    const ParaState &para = top().para;
    const FirstTextList &first = m_firstTextList;
    const bool listNow = para.listOverride >= 0 || para.legacy.level > 0;
    const bool listThen = first.listOverride >= 0 || first.legacy.level > 0;
    if (listNow || !listThen || first.paragraph != &top().story->current() || top().story->current().isEmpty())
        return para;
    scratch = para;
    scratch.listOverride = first.listOverride;
    scratch.listLevel = first.listLevel;
    scratch.legacy = first.legacy;
    return scratch;
}

void ReaderContext::endParagraph()
{
    if (top().story == &mainStory) {
        resolveSectionBreak();
        tocEndPending = false;
        sectionHasParagraph |= tableLevel() == 0;
    }
    if (top().field >= 0)
        fields[top().field].resultHasParagraph = true;
    ParaState scratch;
    const ParaState &para = paragraphState(scratch);
    QTextBlockFormat format = blockFormat(para);
    const ListRef list = listFor(*this, para, format);
    m_firstTextList = {};
    top().story->endParagraph(tableLevel(), format, top().chr.format, list);
}

QTextBlockFormat ReaderContext::blockFormat(const ParaState &para) const
{
    QTextBlockFormat format = finishedBlockFormat(para);
    if (!widowControl && !para.widowSet)
        setWidowControl(&format, false);
    return format;
}

void ReaderContext::endCell(int level)
{
    const ParaState &para = top().para;
    QTextBlockFormat format = blockFormat(para);
    const ListRef list = listFor(*this, para, format);
    m_firstTextList = {};
    top().story->endCell(level, format, top().chr.format, list);
}

void ReaderContext::endRow(int level)
{
    top().story->endRow(level, rowDef(level));
}

}  // namespace textctl::rtf
