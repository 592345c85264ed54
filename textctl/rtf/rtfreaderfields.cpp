#include "textctl/rtf/rtfreaderfields.h"

#include "platform/codepage.h"
#include "textctl/model/formatprops.h"

namespace textctl::rtf {

namespace {

QString firstWord(const QString &instruction)
{
    const QString trimmed = instruction.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && !trimmed.at(end).isSpace() && trimmed.at(end) != u'\\')
        ++end;
    return trimmed.left(end).toUpper();
}

// Arguments of a field instruction: quoted strings or blank-separated words.
QStringList fieldArguments(const QString &instruction)
{
    QStringList args;
    qsizetype i = 0;
    const qsizetype n = instruction.size();
    while (i < n) {
        while (i < n && instruction.at(i).isSpace())
            ++i;
        if (i >= n)
            break;
        QString arg;
        if (instruction.at(i) == u'"') {
            ++i;
            while (i < n && instruction.at(i) != u'"')
                arg += instruction.at(i++);
            ++i;
        } else {
            while (i < n && !instruction.at(i).isSpace())
                arg += instruction.at(i++);
        }
        args.append(arg);
    }
    return args;
}

// The instruction as the file had it, blanks around it included: LibreOffice
// reads "REF \\* Upper" without its leading blank as a different field.
QString keptInstruction(const QString &instruction)
{
    return instruction.trimmed().isEmpty() ? QString() : instruction;
}

QTextCharFormat liveFieldFormat(const QTextCharFormat &base, const FieldData &field)
{
    QTextCharFormat format = base;
    format.setObjectType(prop::FieldObjectType);
    format.setProperty(prop::LiveFieldKind, field.liveKind);
    format.setProperty(prop::FieldInstruction, keptInstruction(field.instruction));
    return format;
}

// Splits the last character of the paragraph off into a run of its own
// and returns it (nullptr for an empty paragraph).
Run *lastCharacterRun(Paragraph &paragraph)
{
    if (paragraph.runs.empty())
        return nullptr;
    Run &last = paragraph.runs.back();
    if (last.object || last.text.size() <= 1)
        return &last;
    qsizetype cut = last.text.size() - 1;
    if (last.text.at(cut).isLowSurrogate() && cut > 0 && last.text.at(cut - 1).isHighSurrogate())
        --cut;
    if (cut == 0)
        return &last;
    Run tail{last.text.mid(cut), last.format};
    last.text.truncate(cut);
    paragraph.runs.push_back(std::move(tail));
    return &paragraph.runs.back();
}

}  // namespace

QString hyperlinkTarget(const QString &instruction)
{
    const QStringList args = fieldArguments(instruction);
    QString target;
    bool local = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == u"\\l" && i + 1 < args.size()) {
            local = true;
            target = args.at(++i);
            break;
        }
        if (arg.startsWith(u'\\')) {
            if (arg.size() == 2 && arg != u"\\h" && arg != u"\\n")
                ++i;  // a switch with an argument: \o "tip", \t "frame"
            continue;
        }
        if (target.isEmpty())
            target = arg;
    }
    // Word doubles the backslashes of a path inside the quotes.
    target.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return local ? u'#' + target : target;
}

void classifyField(ReaderContext &ctx, int field)
{
    if (field < 0)
        return;
    FieldData &f = ctx.fields[field];
    const QString word = firstWord(f.instruction);
    if (word == u"PAGE" || word == u"NUMPAGES") {
        f.kind = FieldData::Kind::Live;
        f.liveKind = word;
    } else if (word == u"SHAPE") {
        f.kind = FieldData::Kind::Shape;
    } else if (word == u"HYPERLINK") {
        f.kind = FieldData::Kind::Link;
    } else {
        f.kind = FieldData::Kind::Other;
        if (word == u"TOC" && ctx.tocEndPending && ctx.top().story == &ctx.mainStory) {
            ctx.endParagraph();  // the paragraph is not part of this field's result
            f.resultHasParagraph = false;
        }
    }
}

void enterFieldResult(ReaderContext &ctx)
{
    GroupState &g = ctx.top();
    if (g.field < 0)
        return;
    FieldData &f = ctx.fields[g.field];
    switch (f.kind) {
    case FieldData::Kind::Live: g.destination = Destination::LiveFieldResult; return;
    case FieldData::Kind::Shape: g.destination = Destination::Text; return;
    case FieldData::Kind::Link:
    case FieldData::Kind::Other: break;
    }
    g.destination = Destination::Text;
    if (f.id == 0)
        f.id = ctx.nextFieldId++;
    QTextCharFormat props;
    props.setProperty(prop::FieldInstruction, keptInstruction(f.instruction));
    props.setProperty(prop::FieldId, f.id);
    if (f.kind == FieldData::Kind::Link) {
        props.setAnchor(true);
        props.setAnchorHref(hyperlinkTarget(f.instruction));
    }
    g.chr.format.merge(props);
    g.chr.sticky.merge(props);
}

namespace {

// The character a SYMBOL field stands for ("SYMBOL 174 \f Symbol"): a
// byte of the ANSI code page, or a Unicode value with \u.
QString symbolCharacter(const QString &instruction)
{
    const QStringList args = fieldArguments(instruction);
    if (args.size() < 2)
        return {};
    bool ok = false;
    const QString number = args.at(1);
    const bool hex = number.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive);
    const uint code = hex ? number.mid(2).toUInt(&ok, 16) : number.toUInt(&ok);
    if (!ok || code == 0 || code > 0xFFFF)
        return {};
    if (args.contains(QStringLiteral("\\u"), Qt::CaseInsensitive) || code > 0xFF)
        return QString(QChar(char16_t(code)));
    return QString(QChar(platform::windows1252ToUnicode(static_cast<unsigned char>(code))));
}

}  // namespace

void finishField(ReaderContext &ctx)
{
    FieldData &f = ctx.fields[ctx.top().field];
    GroupState *parent = ctx.parent();
    // Only a table of contents of whole paragraphs: one that ends inside
    // its first paragraph (as a copy writes it) is text like any other.
    if (f.kind == FieldData::Kind::Other && f.resultHasParagraph && parent && parent->story == &ctx.mainStory
        && ctx.tableLevel() == 0 && firstWord(f.instruction) == u"TOC")
        ctx.tocEndPending = true;
    // A SYMBOL field saved without its result still shows its character.
    if (f.kind == FieldData::Kind::Other && !f.resultHasText && parent && firstWord(f.instruction) == u"SYMBOL") {
        f.resultHasText = true;
        ctx.insertTextInto(*parent, symbolCharacter(f.instruction), parent->chr.format);
        return;
    }
    // A field with an empty result has no text to carry its instruction.
    if (f.kind == FieldData::Kind::Other && !f.resultHasText && !f.resultHasParagraph && parent
        && !keptInstruction(f.instruction).isEmpty()) {
        QTextCharFormat format = parent->chr.format;
        format.setObjectType(prop::EmptyFieldObjectType);
        format.setProperty(prop::FieldInstruction, f.instruction);
        format.clearProperty(prop::FieldId);
        ctx.insertObjectInto(*parent, format);
        return;
    }
    if (f.kind != FieldData::Kind::Live || f.objectDone || !parent)
        return;
    f.objectDone = true;
    ctx.insertObjectInto(*parent, liveFieldFormat(ctx.top().chr.format, f));
}

void insertLiveField(ReaderContext &ctx)
{
    const int field = ctx.top().field;
    if (field < 0 || ctx.fields[field].objectDone)
        return;
    ctx.fields[field].objectDone = true;
    ctx.insertObject(liveFieldFormat(ctx.top().chr.format, ctx.fields[field]));
}

void insertPageNumber(ReaderContext &ctx)
{
    FieldData page;
    page.liveKind = QStringLiteral("PAGE");
    page.instruction = QStringLiteral("PAGE");
    ctx.insertObject(liveFieldFormat(ctx.top().chr.format, page));
}

void insertFootnoteMark(ReaderContext &ctx)
{
    if (ctx.top().destination != Destination::Text)
        return;
    QTextCharFormat format = ctx.top().chr.format;
    format.setProperty(prop::FootnoteRtf, QByteArray());  // filled when the footnote ends
    ++ctx.footnoteCount;
    ctx.top().story->current().runs.push_back({QString::number(ctx.footnoteCount), format});
}

void attachFootnote(ReaderContext &ctx, const QByteArray &rtf)
{
    Paragraph &paragraph = ctx.top().story->current();
    for (auto it = paragraph.runs.rbegin(); it != paragraph.runs.rend(); ++it) {
        const QVariant kept = it->format.property(prop::FootnoteRtf);
        if (kept.isValid() && kept.toByteArray().isEmpty()) {
            it->format.setProperty(prop::FootnoteRtf, rtf);
            return;
        }
    }
    // Without \chftn, raised text that runs on into the footnote is its own
    // mark; anywhere else the footnote shows the next number where it stands.
    const CharState &outside = ctx.parent()->chr;
    if (outside.superText) {
        if (Run *mark = lastCharacterRun(paragraph)) {
            mark->format.setProperty(prop::FootnoteRtf, rtf);
            return;
        }
    }
    QTextCharFormat format = outside.format;
    format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    format.setProperty(prop::FootnoteRtf, rtf);
    ++ctx.footnoteCount;
    paragraph.runs.push_back({QString::number(ctx.footnoteCount), format});
}

void finishBookmarkStart(ReaderContext &ctx, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (!trimmed.isEmpty())
        ctx.pendingBookmarkStarts.append(trimmed);
}

void finishBookmarkEnd(ReaderContext &ctx, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return;
    if (ctx.pendingBookmarkStarts.contains(trimmed)) {
        ctx.pendingBookmarkEnds.append(trimmed);  // an empty bookmark: both on the next character
        return;
    }
    Run *run = lastCharacterRun(ctx.top().story->current());
    if (!run)
        return;
    QStringList ends = run->format.property(prop::BookmarkEnds).toStringList();
    ends.append(trimmed);
    run->format.setProperty(prop::BookmarkEnds, ends);
}

}  // namespace textctl::rtf
