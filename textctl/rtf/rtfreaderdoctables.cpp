#include "textctl/rtf/rtfreaderdoctables.h"

#include "platform/codepage.h"
#include "textctl/rtf/rtfreaderchar.h"
#include "textctl/rtf/rtfreaderpara.h"
#include "textctl/rtf/rtftokenizer.h"

namespace textctl::rtf {

namespace {

constexpr int kMaxStyleDepth = 8;

// Page values: document words fill documentPage, section words of the
// first section fill result.page; a section value wins at the end.
void setPageValue(ReaderContext &ctx, std::optional<int> StatedPage::*field, int value,
                  bool sectionWord)
{
    if (value < 0 || value > 1000000)
        return;
    if (!sectionWord)
        ctx.documentPage.*field = value;
    else if (!ctx.firstSectionDone)
        ctx.result.page.*field = value;
}

// Adds \name (with its number) to the kept document words, once: a word
// the file states again replaces the first.
void keepDocumentWord(QByteArray &words, QByteArrayView name, int param, bool hasParam)
{
    QByteArray word = '\\' + name.toByteArray();
    if (hasParam)
        word += QByteArray::number(param);
    RtfTokenizer tokens(words);
    for (RtfToken token = tokens.next(); token.type != RtfToken::End; token = tokens.next()) {
        if (token.type == RtfToken::ControlWord && token.text == name) {
            words.replace(token.offset, tokens.position() - token.offset, word);
            return;
        }
    }
    words += word;
}

}  // namespace

void applyFontTableWord(ReaderContext &ctx, Word word, int param)
{
    switch (word) {
    case Word::Font:
        finishFontEntry(ctx);
        ctx.fontInProgress = param;
        ctx.fonts[param] = FontEntry();
        ctx.top().text.clear();
        ctx.top().chr.codePage = 0;
        break;
    case Word::FontCharset:
        if (ctx.fontInProgress >= 0) {
            FontEntry &font = ctx.fonts[ctx.fontInProgress];
            font.symbol = param == 2;
            font.codePage = platform::codePageForCharset(param);
            ctx.top().chr.codePage = font.codePage;
        }
        break;
    case Word::FontCodePage:
        if (ctx.fontInProgress >= 0 && param > 0) {
            ctx.fonts[ctx.fontInProgress].codePage = param;
            ctx.top().chr.codePage = param;
        }
        break;
    default: break;
    }
}

void appendFontTableText(ReaderContext &ctx, const QString &text)
{
    if (ctx.fontInProgress < 0)
        return;
    const qsizetype end = text.indexOf(u';');
    ctx.top().text += end < 0 ? text : text.left(end);
    if (end >= 0)
        finishFontEntry(ctx);
}

void finishFontEntry(ReaderContext &ctx)
{
    if (ctx.fontInProgress < 0)
        return;
    FontEntry &font = ctx.fonts[ctx.fontInProgress];
    font.name = ctx.top().text.trimmed();
    if (!font.name.isEmpty())
        font.families = QStringList{font.name};
    ctx.top().text.clear();
    ctx.fontInProgress = -1;
}

void applyStyleEntryWord(ReaderContext &ctx, Word word, QByteArrayView name, int param, bool hasParam)
{
    switch (word) {
    case Word::Style:
    case Word::CharStyle:
        ctx.styleInProgress = param;
        ctx.styles[param] = StyleDef();
        return;
    case Word::SectionStyle:
    case Word::TableStyle:
        ctx.styleInProgress = -1;
        return;
    case Word::BasedOn:
        if (ctx.styleInProgress == kImplicitStyle)
            ctx.styleInProgress = 0;
        if (ctx.styleInProgress >= 0)
            ctx.styles[ctx.styleInProgress].basedOn = param;
        return;
    default: break;
    }
    const WordGroup group = wordGroup(word);
    if (ctx.styleInProgress == -1 || (group != WordGroup::Character && group != WordGroup::Paragraph))
        return;
    if (word == Word::Pard || word == Word::Plain || word == Word::InTable || word == Word::Itap)
        return;
    if (ctx.styleInProgress == kImplicitStyle) {
        ctx.styleInProgress = 0;
        ctx.styles[0] = StyleDef();
    }
    ctx.styles[ctx.styleInProgress].words.push_back({word, name, param, hasParam});
}

void applyStyle(ReaderContext &ctx, int index, int depth)
{
    const auto it = ctx.styles.find(index);
    if (it == ctx.styles.end() || depth > kMaxStyleDepth)
        return;
    // Replaying never changes the style table, so the entry stays put.
    const StyleDef &style = *it;
    if (style.basedOn >= 0 && style.basedOn != index)
        applyStyle(ctx, style.basedOn, depth + 1);
    for (const RecordedWord &w : style.words) {
        if (wordGroup(w.word) == WordGroup::Character)
            applyCharacterWord(ctx, w.word, w.param, w.hasParam);
        else if (w.word != Word::Style)
            applyParagraphWord(ctx, w.word, w.name, w.param, w.hasParam);
    }
}

void applyParagraphStyle(ReaderContext &ctx, int index)
{
    GroupState &g = ctx.top();
    const auto it = ctx.styles.find(index);
    const bool fresh = g.charFresh && g.paraFresh && g.chr.sticky.isEmpty();
    if (it != ctx.styles.end() && fresh && it->cached) {
        g.chr.format = it->chr.format;
        g.chr.font = it->chr.font;
        g.chr.codePage = it->chr.codePage;
        g.para = it->para;
    } else {
        applyStyle(ctx, index);
        if (it != ctx.styles.end() && fresh) {
            it->cached = true;
            it->chr = g.chr;
            it->para = g.para;
        }
    }
    g.charFresh = false;
    g.paraFresh = false;
}

void applyDocumentWord(ReaderContext &ctx, Word word, QByteArrayView name, int param, bool hasParam)
{
    using P = StatedPage;
    switch (word) {
    case Word::Ansi: ctx.documentCodePage = 1252; break;
    case Word::Mac: ctx.documentCodePage = 10000; break;
    case Word::Pc: ctx.documentCodePage = 437; break;
    case Word::Pca: ctx.documentCodePage = 850; break;
    case Word::AnsiCodePage:
        if (param > 0)
            ctx.documentCodePage = param;
        break;
    case Word::DefaultFont:
        if (hasParam)
            ctx.defaultFont = param;
        break;
    case Word::StshfLoch:
    case Word::StshfHich:
    case Word::StshfDbch:
    case Word::StshfBi:
        if (hasParam)
            ctx.styleSheetFonts[int(word) - int(Word::StshfLoch)] = param;
        break;
    case Word::DntBlnSbDb:
    case Word::HtmlAutoSpacing: keepDocumentWord(ctx.result.documentWords, name, param, false); break;
    case Word::NoteNumbering:
        if (ctx.top().story == &ctx.mainStory)
            keepDocumentWord(ctx.result.documentWords, name, param, hasParam);
        break;
    case Word::WidowCtrl: ctx.widowControl = !hasParam || param != 0; break;
    case Word::PaperW: setPageValue(ctx, &P::width, param, false); break;
    case Word::PaperH: setPageValue(ctx, &P::height, param, false); break;
    case Word::MargL: setPageValue(ctx, &P::marginLeft, param, false); break;
    case Word::MargR: setPageValue(ctx, &P::marginRight, param, false); break;
    case Word::MargT: setPageValue(ctx, &P::marginTop, param, false); break;
    case Word::MargB: setPageValue(ctx, &P::marginBottom, param, false); break;
    case Word::PgWSxn: setPageValue(ctx, &P::width, param, true); break;
    case Word::PgHSxn: setPageValue(ctx, &P::height, param, true); break;
    case Word::MargLSxn: setPageValue(ctx, &P::marginLeft, param, true); break;
    case Word::MargRSxn: setPageValue(ctx, &P::marginRight, param, true); break;
    case Word::MargTSxn: setPageValue(ctx, &P::marginTop, param, true); break;
    case Word::MargBSxn: setPageValue(ctx, &P::marginBottom, param, true); break;
    case Word::HeaderY: setPageValue(ctx, &P::headerY, param, true); break;
    case Word::FooterY: setPageValue(ctx, &P::footerY, param, true); break;
    case Word::TitlePg:
        if (!ctx.firstSectionDone)
            ctx.titlePage = !hasParam || param != 0;
        break;
    case Word::Sectd:
    case Word::SbkPage:
    case Word::SbkEven:
    case Word::SbkOdd: ctx.sectionBreakNone = false; break;
    case Word::SbkNone:
    case Word::SbkColumn: ctx.sectionBreakNone = true; break;
    default: break;
    }
}

}  // namespace textctl::rtf
