#include "textctl/rtf/rtfreaderdestinations.h"

#include "textctl/rtf/rtfreaderdoctables.h"
#include "textctl/rtf/rtfreaderfields.h"
#include "textctl/rtf/rtfreaderlists.h"
#include "textctl/rtf/rtfreaderpicture.h"

#include <algorithm>

namespace textctl::rtf {

namespace {

int areaCode(Word word)
{
    switch (word) {
    case Word::Header:
    case Word::HeaderR: return PageHeader;
    case Word::HeaderF: return FirstPageHeader;
    case Word::Footer:
    case Word::FooterR: return PageFooter;
    case Word::FooterF: return FirstPageFooter;
    default: return MainText;
    }
}

void enterArea(ReaderContext &ctx, int code)
{
    GroupState &g = ctx.top();
    const int slot = areaIndex(code);
    if (g.destination != Destination::Text || g.story != &ctx.mainStory || ctx.areaStories[slot]) {
        g.destination = Destination::Skip;
        return;
    }
    ctx.areaStories[slot] = std::make_unique<Story>();
    g.story = ctx.areaStories[slot].get();
    g.para = ParaState();
    g.picture = g.shape = g.field = -1;
}

void enterVerbatim(GroupState &g, GroupState::Verbatim kind)
{
    g.verbatim = kind;
    g.destination = Destination::Skip;
}

// Destinations of the list, font, colour and style tables.
bool enterTableDestination(ReaderContext &ctx, Word word)
{
    GroupState &g = ctx.top();
    const Destination d = g.destination;
    const auto setIf = [&g](bool allowed, Destination next) {
        g.destination = allowed ? next : Destination::Skip;
    };
    switch (word) {
    case Word::FontTable:
        g.destination = Destination::FontTable;
        ctx.fontInProgress = -1;
        return true;
    case Word::ColorTable:
        g.destination = Destination::ColorTable;
        g.verbatim = GroupState::Verbatim::ColorTable;
        ctx.colors.start();
        return true;
    case Word::StyleSheet: g.destination = Destination::StyleSheet; return true;
    case Word::ListTable: g.destination = Destination::ListTable; return true;
    case Word::List:
        setIf(d == Destination::ListTable, Destination::List);
        if (d == Destination::ListTable)
            ctx.lists.startList();
        return true;
    case Word::ListLevel:
        // A list's level, or one an override redefines (\lfolevel).
        setIf((d == Destination::List || d == Destination::ListOverride)
                  && ctx.lists.startLevel(d == Destination::ListOverride),
              Destination::ListLevel);
        return true;
    case Word::LevelText: setIf(d == Destination::ListLevel, Destination::LevelText); return true;
    case Word::ListOverrideTable: g.destination = Destination::ListOverrideTable; return true;
    case Word::ListOverride:
        setIf(d == Destination::ListOverrideTable, Destination::ListOverride);
        ctx.lists.startOverride();
        return true;
    default: return false;
    }
}

// Pictures, shapes and fields.
bool enterObjectDestination(ReaderContext &ctx, Word word)
{
    GroupState &g = ctx.top();
    const Destination d = g.destination;
    const bool text = d == Destination::Text;
    const auto setIf = [&g](bool allowed, Destination next) {
        g.destination = allowed ? next : Destination::Skip;
    };
    switch (word) {
    case Word::Pict: {
        const bool pib = d == Destination::ShapePropertyValue && g.shape >= 0 && ctx.shapes[g.shape].readingPib;
        setIf(text || pib, Destination::Picture);
        if (text || pib) {
            ctx.pictures.emplace_back();
            g.picture = static_cast<int>(ctx.pictures.size()) - 1;
        }
        return true;
    }
    case Word::Shp:
        setIf(text, Destination::Shape);
        if (text) {
            ctx.shapes.emplace_back();
            ctx.shapes.back().inline_ = g.field >= 0 && ctx.fields[g.field].kind == FieldData::Kind::Shape;
            g.shape = static_cast<int>(ctx.shapes.size()) - 1;
        }
        return true;
    case Word::ShpInst: setIf(d == Destination::Shape, Destination::ShapeInst); return true;
    case Word::Sp: setIf(d == Destination::ShapeInst, Destination::ShapeProperty); return true;
    case Word::Sn: setIf(d == Destination::ShapeProperty, Destination::ShapePropertyName); return true;
    case Word::Sv:
        setIf(d == Destination::ShapeProperty, Destination::ShapePropertyValue);
        if (g.destination == Destination::ShapePropertyValue && g.shape >= 0)
            ctx.shapes[g.shape].readingPib = ctx.shapes[g.shape].propertyName == u"pib";
        return true;
    case Word::ShpRslt:
        setIf(text || (d == Destination::Shape && !ctx.shapes[g.shape].hasResult()), Destination::Text);
        return true;
    case Word::ShpTxt:
        setIf(d == Destination::ShapeInst && !ctx.shapes[g.shape].textBox, Destination::Text);
        if (g.destination == Destination::Text) {
            ctx.shapes[g.shape].textBox = std::make_unique<Story>();
            g.story = ctx.shapes[g.shape].textBox.get();
            g.para = ParaState();
            g.field = g.picture = -1;
        }
        return true;
    case Word::ShpPict: setIf(text, Destination::Text); return true;
    case Word::Field:
        setIf(text, Destination::Field);
        if (text) {
            ctx.fields.emplace_back();
            g.field = static_cast<int>(ctx.fields.size()) - 1;
        }
        return true;
    case Word::FldInst: setIf(d == Destination::Field, Destination::FieldInstruction); return true;
    case Word::FldRslt:
        if (d == Destination::Field)
            enterFieldResult(ctx);
        else
            g.destination = Destination::Skip;
        return true;
    default: return false;
    }
}

// Header and footer areas, footnotes, \info: parts of the document.
bool enterPartDestination(ReaderContext &ctx, Word word)
{
    GroupState &g = ctx.top();
    switch (word) {
    case Word::Info: enterVerbatim(g, GroupState::Verbatim::Info); return true;
    case Word::Header:
    case Word::HeaderR:
    case Word::HeaderF:
    case Word::Footer:
    case Word::FooterR:
    case Word::FooterF: enterArea(ctx, areaCode(word)); return true;
    case Word::HeaderL: enterVerbatim(g, GroupState::Verbatim::LeftHeader); return true;
    case Word::FooterL: enterVerbatim(g, GroupState::Verbatim::LeftFooter); return true;
    case Word::Footnote:
        if (g.destination == Destination::Text)
            enterVerbatim(g, GroupState::Verbatim::Footnote);
        else
            g.destination = Destination::Skip;
        return true;
    default: return false;
    }
}

}  // namespace

void startGroup(ReaderContext &ctx)
{
    GroupState &g = ctx.top();
    if (g.destination == Destination::StyleSheet) {
        g.destination = Destination::StyleEntry;
        ctx.styleInProgress = kImplicitStyle;
    }
}

void enterDestination(ReaderContext &ctx, Word word, int param)
{
    GroupState &g = ctx.top();
    const Destination d = g.destination;
    // The document group itself never changes meaning: a destination word
    // there is a writer's mistake, not a reason to lose the document.
    if (word == Word::Rtf) {
        g.document = true;
        return;
    }
    if (d == Destination::Skip || g.document || ctx.parent() == nullptr)
        return;
    if (enterTableDestination(ctx, word) || enterObjectDestination(ctx, word))
        return;
    if (enterPartDestination(ctx, word))
        return;
    const bool text = d == Destination::Text;
    switch (word) {
    case Word::BkmkStart: g.destination = text ? Destination::BookmarkStart : Destination::Skip; break;
    case Word::BkmkEnd: g.destination = text ? Destination::BookmarkEnd : Destination::Skip; break;
    case Word::Pn:
        g.destination = text ? Destination::LegacyList : Destination::Skip;
        g.para.legacy = LegacyListState();
        break;
    case Word::PnTxtB:
        g.destination = d == Destination::LegacyList ? Destination::LegacyListBefore : Destination::Skip;
        break;
    case Word::PnTxtA:
        g.destination = d == Destination::LegacyList ? Destination::LegacyListAfter : Destination::Skip;
        break;
    case Word::Upr: g.destination = text ? Destination::UnicodeAlternate : Destination::Skip; break;
    case Word::Ud:
        if (d == Destination::UnicodeAlternate)
            g.destination = Destination::Text;
        break;
    case Word::NestTableProps: g.destination = text ? Destination::TableProps : Destination::Skip; break;
    case Word::SectionStyle:
    case Word::TableStyle:  // a style entry's own kind; in the text, nothing
        if (d == Destination::StyleEntry)
            applyStyleEntryWord(ctx, word, {}, param, true);
        break;
    case Word::Object:
    case Word::Result: break;
    default:  // listtext, pntext, nonshppict, shptxt and the known skipped ones
        g.destination = Destination::Skip;
        break;
    }
}

void finishGroup(ReaderContext &ctx, qsizetype closeOffset)
{
    GroupState &g = ctx.top();
    GroupState &parent = *ctx.parent();
    if (g.verbatim != GroupState::Verbatim::None && closeOffset >= 0) {
        const QByteArray bytes = ctx.rtf().sliced(g.openOffset, closeOffset + 1 - g.openOffset).toByteArray();
        switch (g.verbatim) {
        case GroupState::Verbatim::Info:
            // Only a well-formed group goes back verbatim: in "{*\generator"
            // the star was already read as text.
            if (bytes.startsWith("{\\info") || bytes.startsWith("{\\*\\"))
                ctx.result.keptGroups.append(bytes);
            break;
        case GroupState::Verbatim::ColorTable:
            if (std::none_of(ctx.result.keptGroups.cbegin(), ctx.result.keptGroups.cend(),
                             [](const QByteArray &kept) { return kept.startsWith("{\\colortbl"); }))
                ctx.result.keptGroups.append(bytes);
            break;
        case GroupState::Verbatim::LeftHeader:
            if (ctx.result.leftHeaderRtf.isEmpty())
                ctx.result.leftHeaderRtf = bytes;
            break;
        case GroupState::Verbatim::LeftFooter:
            if (ctx.result.leftFooterRtf.isEmpty())
                ctx.result.leftFooterRtf = bytes;
            break;
        case GroupState::Verbatim::Footnote: attachFootnote(ctx, bytes); break;
        case GroupState::Verbatim::None: break;
        }
    }
    switch (g.destination) {
    case Destination::FontTable: finishFontEntry(ctx); break;
    case Destination::ColorTable:
        if (parent.destination != Destination::ColorTable)
            ctx.colors.finish();
        break;
    case Destination::StyleEntry: ctx.styleInProgress = -1; break;
    case Destination::LevelText:
        if (ListLevelDef *level = ctx.lists.currentLevel())
            level->text = g.text;
        break;
    case Destination::ListOverride:
        if (parent.destination != Destination::ListOverride)  // not an inner {\lfolevel ...}
            ctx.lists.finishOverride();
        break;
    case Destination::ShapePropertyName:
        if (g.shape >= 0)
            ctx.shapes[g.shape].propertyName = g.text.trimmed();
        break;
    case Destination::ShapePropertyValue: finishShapeProperty(ctx); break;
    case Destination::FieldInstruction:
        if (parent.destination == Destination::Field)
            classifyField(ctx, g.field);
        break;
    case Destination::BookmarkStart: finishBookmarkStart(ctx, g.text); break;
    case Destination::BookmarkEnd: finishBookmarkEnd(ctx, g.text); break;
    case Destination::LegacyListBefore: parent.para.legacy.before = g.text; break;
    case Destination::LegacyListAfter: parent.para.legacy.after = g.text; break;
    case Destination::LegacyList: parent.para.legacy = g.para.legacy; break;
    default: break;
    }
    if (g.picture >= 0 && parent.picture != g.picture)
        finishPicture(ctx, closeOffset);
    if (g.shape >= 0 && parent.shape != g.shape)
        finishShape(ctx);
    if (g.field >= 0 && parent.field != g.field)
        finishField(ctx);
    // Text after a document group that closes early goes on in its state,
    // and so does a last paragraph without \par: it keeps its formatting.
    if (g.document) {
        parent.para = g.para;
        parent.chr = g.chr;
    }
    if (g.story != parent.story) {
        if (!g.story->current().isEmpty())
            ctx.endParagraph();
        for (size_t slot = 0; slot < ctx.areaStories.size(); ++slot) {
            if (ctx.areaStories[slot].get() == g.story)
                ctx.result.areas[slot] = g.story->finish();
        }
        // A text box's story is finished with its shape.
    }
}

}  // namespace textctl::rtf
