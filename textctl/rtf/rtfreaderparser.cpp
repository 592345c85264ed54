#include "textctl/rtf/rtfreaderparser.h"

#include "platform/codepage.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreaderchar.h"
#include "textctl/rtf/rtfreaderdestinations.h"
#include "textctl/rtf/rtfreaderdoctables.h"
#include "textctl/rtf/rtfreaderfields.h"
#include "textctl/rtf/rtfreaderlists.h"
#include "textctl/rtf/rtfreaderpara.h"
#include "textctl/rtf/rtfreaderpicture.h"
#include "textctl/rtf/rtfreadertable.h"

#include <algorithm>

namespace textctl::rtf {

namespace {

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QString decode(const QByteArray &bytes, int codePage)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (codePage != 1252 && codePage != 0) {
        const QString text = platform::decodeCodePage(bytes, codePage);
        if (!text.isNull())
            return text;
    }
    // Windows-1252, and the fallback for a code page iconv does not know.
    return platform::decodeWindows1252(bytes);
}

// Destinations whose text the reader keeps in some form.
bool takesText(Destination d)
{
    switch (d) {
    case Destination::Skip:
    case Destination::Picture:
    case Destination::StyleSheet:
    case Destination::ListTable:
    case Destination::List:
    case Destination::ListLevel:
    case Destination::ListOverrideTable:
    case Destination::ListOverride:
    case Destination::Shape:
    case Destination::ShapeInst:
    case Destination::ShapeProperty:
    case Destination::Field:
    case Destination::LegacyList:
    case Destination::UnicodeAlternate: return false;
    default: return true;
    }
}

// Words that end a structure never count as a \uN fallback character.
bool isStructural(QByteArrayView name)
{
    return name == "par" || name == "cell" || name == "row" || name == "nestcell"
           || name == "nestrow" || name == "sect" || name == "page";
}

}  // namespace

RtfReaderParser::RtfReaderParser(QByteArrayView rtf)
    : m_ctx(rtf)
    , m_tokens(rtf)
{
}

ReadResult RtfReaderParser::parse()
{
    for (RtfToken t = m_tokens.next(); t.type != RtfToken::End && !m_ended; t = m_tokens.next()) {
        if (m_fallback > 0 && skipFallback(t))
            continue;
        if (t.type != RtfToken::ControlWord && t.type != RtfToken::Text)
            m_star = m_star && t.type == RtfToken::ControlSymbol && t.symbol == '*';
        switch (t.type) {
        case RtfToken::GroupOpen: openGroup(t.offset); break;
        case RtfToken::GroupClose: closeGroup(t.offset); break;
        case RtfToken::Text: handleText(t.text); break;
        case RtfToken::HexByte: {
            const char byte = static_cast<char>(t.byte);
            handleText(QByteArrayView(&byte, 1));
            break;
        }
        case RtfToken::Binary: handleBinary(t.text); break;
        case RtfToken::ControlSymbol: handleSymbol(t.symbol); break;
        case RtfToken::ControlWord: handleWord(t); break;
        case RtfToken::BadHex:
        case RtfToken::End: break;
        }
    }
    finish();
    return std::move(m_ctx.result);
}

// Skips the characters that follow \uN for readers without Unicode. True
// when the token has been used up.
bool RtfReaderParser::skipFallback(const RtfToken &token)
{
    switch (token.type) {
    case RtfToken::GroupOpen:
    case RtfToken::GroupClose:
    case RtfToken::End:
        m_fallback = 0;
        return false;
    case RtfToken::Text:
        if (token.text.size() <= m_fallback) {
            m_fallback -= static_cast<int>(token.text.size());
            return true;
        }
        handleText(token.text.sliced(m_fallback));
        m_fallback = 0;
        return true;
    case RtfToken::ControlWord:
        if (isStructural(token.text)) {
            m_fallback = 0;
            return false;
        }
        --m_fallback;
        return true;
    default:
        --m_fallback;
        return true;
    }
}

void RtfReaderParser::handleText(QByteArrayView bytes)
{
    if (!bytes.trimmed().isEmpty())
        m_star = false;  // "\* \word" still marks the word
    const Destination d = m_ctx.top().destination;
    if (d == Destination::Picture) {
        appendPictureHex(m_ctx, bytes);
        // A photo's data is thousands of lines: the rest of it at once.
        if (m_fallback == 0)
            appendPictureHex(m_ctx, m_tokens.readData());
        return;
    }
    if (!takesText(d))
        return;
    // Blanks after the document's closing brace are the file's end, not text.
    if (m_ctx.parent() == nullptr && bytes.trimmed().isEmpty())
        return;
    const int codePage = m_ctx.codePage();
    if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
        flushText();
    m_bytesCodePage = codePage;
    m_bytes.append(bytes);
}

void RtfReaderParser::handleBinary(QByteArrayView bytes)
{
    flushText();
    if (m_ctx.top().destination == Destination::Picture)
        appendPictureBinary(m_ctx, bytes);
}

void RtfReaderParser::flushText()
{
    if (m_bytes.isEmpty())
        return;
    const QString text = decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    m_ctx.insertText(text);
}

void RtfReaderParser::handleSymbol(char symbol)
{
    flushText();
    switch (symbol) {
    case '*': m_star = true; return;
    case '~': m_ctx.insertText(QString(QChar(0x00A0))); return;
    case '-': m_ctx.insertText(QString(QChar(0x00AD))); return;
    case '_': m_ctx.insertText(QString(QChar(0x2011))); return;
    case '{':
    case '}':
    case '\\': handleText(QByteArrayView(&symbol, 1)); return;
    default: return;  // \: \| and unknown symbols
    }
}

void RtfReaderParser::handleWord(const RtfToken &token)
{
    flushText();
    const Word word = lookupWord(token.text);
    if (m_star) {
        m_star = false;
        if (wordGroup(word) != WordGroup::Destination) {
            m_ctx.top().destination = Destination::Skip;
            return;
        }
    }
    if (m_ctx.top().destination == Destination::Skip)
        return;
    if (word != Word::BorderAttribute)
        m_ctx.borderTarget = BorderTarget::None;
    dispatchWord(word, token);
}

void RtfReaderParser::dispatchWord(Word word, const RtfToken &t)
{
    GroupState &g = m_ctx.top();
    const WordGroup group = wordGroup(word);
    if (word == Word::Unicode) {
        handleUnicode(t.param);
        return;
    }
    if (word == Word::UnicodeSkip) {
        g.chr.skip = std::clamp(t.param, 0, 10);
        return;
    }
    if (group == WordGroup::Destination && word != Word::CharStyle) {
        enterDestination(m_ctx, word, t.param);
        return;
    }
    switch (g.destination) {
    case Destination::Text:
    case Destination::LiveFieldResult:
    case Destination::TableProps: break;
    case Destination::FontTable: applyFontTableWord(m_ctx, word, t.param); return;
    case Destination::ColorTable: m_ctx.colors.applyWord(word, t.param); return;
    case Destination::StyleEntry: applyStyleEntryWord(m_ctx, word, t.text, t.param, t.hasParam); return;
    case Destination::List:
    case Destination::ListLevel:
    case Destination::ListOverride: applyListTableWord(m_ctx, word, t.param); return;
    case Destination::LegacyList: applyLegacyListWord(m_ctx, word, t.param); return;
    case Destination::Picture:
    case Destination::Shape:
    case Destination::ShapeInst: applyPictureWord(m_ctx, word, t.param); return;
    default: return;
    }
    switch (group) {
    case WordGroup::Character: applyCharacterWord(m_ctx, word, t.param, t.hasParam); break;
    case WordGroup::Paragraph:
        if (word == Word::BorderAttribute && m_ctx.borderTarget != BorderTarget::Paragraph)
            applyTableWord(m_ctx, word, t.text, t.param, t.hasParam);
        else
            applyParagraphWord(m_ctx, word, t.text, t.param, t.hasParam);
        break;
    case WordGroup::Table: applyTableWord(m_ctx, word, t.text, t.param, t.hasParam); break;
    case WordGroup::Special: handleSpecialWord(word); break;
    case WordGroup::Document: applyDocumentWord(m_ctx, word, t.text, t.param, t.hasParam); break;
    case WordGroup::Destination:  // \csN in the text
        applyStyle(m_ctx, t.param);
        break;
    default: break;
    }
}

void RtfReaderParser::handleUnicode(int param)
{
    m_fallback = m_ctx.top().chr.skip;
    if (param < -32768 || param > 0x10FFFF)
        return;
    const char32_t code = param < 0 ? static_cast<char32_t>(param + 65536) : static_cast<char32_t>(param);
    if (code == 0)
        return;
    // Not QString::fromUcs4: it takes a U+FEFF for a byte order mark and
    // drops it, and turns a lone surrogate into U+FFFD. A lone surrogate
    // stays as it is: written back unchanged, other readers show it as the
    // original shows; the plain text gives U+FFFD for it.
    if (QChar::requiresSurrogates(code))
        m_ctx.insertText(QString(QChar(QChar::highSurrogate(code))) + QChar(QChar::lowSurrogate(code)));
    else
        m_ctx.insertText(QString(QChar(char16_t(code))));
}

void RtfReaderParser::handleSpecialWord(Word word)
{
    static constexpr struct {
        Word word;
        char16_t ch;
    } kChars[] = {
        {Word::Line, 0x2028}, {Word::Tab, u'\t'}, {Word::EmDash, 0x2014}, {Word::EnDash, 0x2013},
        {Word::EmSpace, 0x2003}, {Word::EnSpace, 0x2002}, {Word::QmSpace, 0x2005},
        {Word::Bullet, 0x2022}, {Word::LQuote, 0x2018}, {Word::RQuote, 0x2019},
        {Word::LDblQuote, 0x201C}, {Word::RDblQuote, 0x201D}, {Word::Zwj, 0x200D},
        {Word::Zwnj, 0x200C}, {Word::LtrMark, 0x200E}, {Word::RtlMark, 0x200F},
    };
    for (const auto &c : kChars) {
        if (c.word == word) {
            m_ctx.insertText(QString(QChar(c.ch)));
            return;
        }
    }
    GroupState &g = m_ctx.top();
    // A nested row's properties group is text too: writers put the cells'
    // last paragraphs in it, and every reader shows them.
    if (g.destination != Destination::Text && g.destination != Destination::TableProps)
        return;
    Story &story = *g.story;
    switch (word) {
    case Word::Par: m_ctx.endParagraph(); break;
    case Word::Column:
        // There are no columns here: a column break ends the paragraph, and
        // one before any text leaves the empty paragraph the first column
        // would show.
        if (!story.current().isEmpty() || story.isEmpty())
            m_ctx.endParagraph();
        break;
    case Word::Page:
        if (g.story != &m_ctx.mainStory || m_ctx.tableLevel() > 0)
            break;
        if (!story.current().isEmpty())
            m_ctx.endParagraph();
        story.requestPageBreak();
        break;
    case Word::Sect:
        if (g.story != &m_ctx.mainStory)
            break;
        // The empty paragraph Word writes after a table to carry the break
        // is a paragraph of the document when the table began its section;
        // after other paragraphs of the section other readers drop it.
        if (!story.current().isEmpty()
            || (m_ctx.tableLevel() == 0 && story.tableAwaitingRow() && !m_ctx.sectionHasParagraph))
            m_ctx.endParagraph();
        m_ctx.sectionHasParagraph = false;
        m_ctx.sectionBreakPending = true;
        m_ctx.firstSectionDone = true;
        break;
    case Word::FootnoteMark: insertFootnoteMark(m_ctx); break;
    case Word::PageNumber: insertPageNumber(m_ctx); break;
    default: break;
    }
}

void RtfReaderParser::openGroup(qsizetype offset)
{
    flushText();
    m_ctx.pushGroup(offset);
    if (m_ctx.depth() <= ReaderContext::kMaxDepth)
        startGroup(m_ctx);
}

void RtfReaderParser::closeGroup(qsizetype offset)
{
    flushText();
    if (m_ctx.parent() == nullptr) {
        // A closing brace with no group open: what follows is not part of
        // the document (a file that closes its outer group early and then
        // goes on is still read up to here).
        m_ended = offset >= 0;
        return;
    }
    if (m_ctx.depth() > ReaderContext::kMaxDepth) {
        GroupState ignored;
        m_ctx.popGroup(ignored);  // a counted group
        return;
    }
    finishGroup(m_ctx, offset);
    GroupState closed;
    m_ctx.popGroup(closed);
    // The font table has ended: the text so far starts in the default font.
    if (closed.destination == Destination::FontTable && m_ctx.top().destination != Destination::FontTable
        && m_ctx.defaultFont >= 0)
        setCurrentFont(m_ctx, m_ctx.defaultFont);
}

void RtfReaderParser::finish()
{
    flushText();
    while (m_ctx.parent() != nullptr || m_ctx.depth() > 1)
        closeGroup(-1);
    ReaderContext &ctx = m_ctx;
    if (!ctx.mainStory.current().isEmpty())
        ctx.endParagraph();
    ctx.result.main = ctx.mainStory.finish();
    if (std::any_of(ctx.styleSheetFonts.cbegin(), ctx.styleSheetFonts.cend(), [](int f) { return f >= 0; })) {
        // A default naming no font of the table still counts: it falls back
        // to the document's default font.
        const QString fallback = ctx.fonts.value(ctx.defaultFont, FontEntry{RichDocument::kDefaultFont, {}}).name;
        for (int font : ctx.styleSheetFonts)
            ctx.result.styleSheetFonts << (font < 0 ? QString() : ctx.fonts.value(font, FontEntry{fallback, {}}).name);
    }

    auto &areas = ctx.result.areas;
    if (!ctx.titlePage) {
        // Without \titlepg the first page shows the ordinary header and footer.
        areas[areaIndex(FirstPageHeader)].reset();
        areas[areaIndex(FirstPageFooter)].reset();
    } else if (!areas[areaIndex(FirstPageHeader)] && !areas[areaIndex(FirstPageFooter)]) {
        areas[areaIndex(FirstPageHeader)].emplace();  // page 1 stays blank
    }

    StatedPage &page = ctx.result.page;
    const StatedPage &doc = ctx.documentPage;
    for (auto field : {&StatedPage::width, &StatedPage::height, &StatedPage::marginLeft,
                       &StatedPage::marginTop, &StatedPage::marginRight, &StatedPage::marginBottom,
                       &StatedPage::headerY, &StatedPage::footerY}) {
        if (!(page.*field))
            page.*field = doc.*field;
    }
}

}  // namespace textctl::rtf
