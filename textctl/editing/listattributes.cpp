#include "textctl/editing/listattributes.h"

#include "textctl/editing/selectionwalk.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace textctl {

namespace {

constexpr int kLevels = 9;  // as the files hold them
const QString kKeptName = QStringLiteral("textctl-list-attributes");

// The attributes a document keeps for its next list of each kind: state of
// the editing, not of the text, so not part of undo or of the files.
class KeptAttributes final : public QObject {
public:
    explicit KeptAttributes(QObject *parent) : QObject(parent) { setObjectName(kKeptName); }
    ListAttributes bullets;
    ListAttributes numbers;

    static KeptAttributes *of(QTextDocument *doc)
    {
        auto *kept = doc->findChild<QObject *>(kKeptName, Qt::FindDirectChildrenOnly);
        return kept ? static_cast<KeptAttributes *>(kept) : new KeptAttributes(doc);
    }
    ListAttributes &forKind(ListKind kind) { return kind == ListKind::Bullets ? bullets : numbers; }
};

int levelOf(const QTextBlock &block)
{
    if (block.blockFormat().hasProperty(prop::ListLevel))
        return std::clamp(block.blockFormat().intProperty(prop::ListLevel), 0, kLevels - 1);
    const QTextList *list = block.textList();
    return list ? std::clamp(list->format().indent() - 1, 0, kLevels - 1) : 0;
}

int numberStyleOf(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListUpperAlpha: return NumbersCapitals;
    case QTextListFormat::ListLowerAlpha: return NumbersSmallLetters;
    case QTextListFormat::ListUpperRoman:
    case QTextListFormat::ListLowerRoman: return NumbersRoman;
    default: return NumbersDigits;
    }
}

QTextListFormat::Style listStyleOf(int numberStyle)
{
    switch (numberStyle) {
    case NumbersCapitals: return QTextListFormat::ListUpperAlpha;
    case NumbersSmallLetters: return QTextListFormat::ListLowerAlpha;
    case NumbersRoman: return QTextListFormat::ListUpperRoman;
    default: return QTextListFormat::ListDecimal;
    }
}

QString bulletTextOf(const QTextListFormat &format)
{
    const QString label = format.stringProperty(prop::ListLabelText);
    if (!label.isEmpty())
        return label;
    switch (format.style()) {
    case QTextListFormat::ListCircle: return QString(QChar(0x25CB));
    case QTextListFormat::ListSquare: return QString(QChar(0x25AA));
    default: return QString(QChar(0x2022));
    }
}

// The bullet's text as a list style, with the text kept when no style
// draws it.
void setBullet(QTextListFormat *format, const QString &text)
{
    format->clearProperty(prop::ListLabelText);
    if (text == QString(QChar(0x25CB))) {
        format->setStyle(QTextListFormat::ListCircle);
    } else if (text == QString(QChar(0x25AA))) {
        format->setStyle(QTextListFormat::ListSquare);
    } else {
        format->setStyle(QTextListFormat::ListDisc);
        if (!text.isEmpty() && text != QString(QChar(0x2022)))
            format->setProperty(prop::ListLabelText, text);
    }
}

ListAttributes attributesOf(const QTextBlock &block)
{
    ListAttributes a;
    const QTextBlockFormat format = block.blockFormat();
    const QTextListFormat list = block.textList()->format();
    a.level = levelOf(block) + 1;
    a.textPosition = indentToTwips(format.leftMargin());
    a.labelPosition = a.textPosition + indentToTwips(firstLineIndent(format));
    a.numberStyle = numberStyleOf(list.style());
    a.bullet = bulletTextOf(list);
    a.start = list.hasProperty(prop::ListStart) ? list.intProperty(prop::ListStart) : 1;
    return a;
}

ListAttributes clamped(ListAttributes a)
{
    a.level = std::clamp(a.level, 1, kLevels);
    a.labelPosition = std::max(0, a.labelPosition);
    a.textPosition = std::max(0, a.textPosition);
    if (a.numberStyle < NumbersDigits || a.numberStyle > NumbersRoman)
        a.numberStyle = NumbersDigits;
    return a;
}

// Lists of one file list share its override number, one QTextList a level
// (as the reader makes them); a list made here joins that scheme on its
// first change of attributes.
int newListFamily(const QTextDocument *doc)
{
    int highest = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().hasProperty(prop::ListOverride))
            highest = std::max(highest, block.blockFormat().intProperty(prop::ListOverride));
    }
    return highest + 1;
}

int familyOf(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    if (format.hasProperty(prop::ListOverride))
        return format.intProperty(prop::ListOverride);
    const int family = newListFamily(block.document());
    QTextList *list = block.textList();
    for (int i = 0; i < list->count(); ++i) {
        const QTextBlock item = list->item(i);
        QTextBlockFormat itemFormat = item.blockFormat();
        itemFormat.setProperty(prop::ListOverride, family);
        itemFormat.setProperty(prop::ListLevel, levelOf(item));
        QTextCursor(item).setBlockFormat(itemFormat);
    }
    return family;
}

QTextList *levelList(const QTextDocument *doc, int family, int level, ListKind kind)
{
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (block.textList() && listKindOf(block) == kind && format.hasProperty(prop::ListOverride)
            && format.intProperty(prop::ListOverride) == family && levelOf(block) == level)
            return block.textList();
    }
    return nullptr;
}

QTextListFormat listFormatFor(QTextListFormat format, ListKind kind, const ListAttributes &a)
{
    format.setIndent(0);
    if (kind == ListKind::Bullets) {
        setBullet(&format, a.bullet);
    } else {
        format.clearProperty(prop::ListLabelText);
        format.setStyle(listStyleOf(a.numberStyle));
        if (!format.hasProperty(QTextFormat::ListNumberSuffix))
            format.setNumberSuffix(QStringLiteral("."));
        if (a.start != 1)
            format.setProperty(prop::ListStart, a.start);
        else
            format.clearProperty(prop::ListStart);
    }
    return format;
}

void takeOutOfList(const QTextBlock &block)
{
    if (!block.textList())
        return;
    QTextBlockFormat format = block.blockFormat();
    format.setObjectIndex(-1);
    format.setLeftMargin(0);
    setFirstLineIndent(&format, 0);
    format.clearProperty(prop::ListOverride);
    format.clearProperty(prop::ListLevel);
    QTextCursor(block).setBlockFormat(format);
}

void putInList(const QTextBlock &block, QTextList *list, int family, const ListAttributes &a)
{
    QTextBlockFormat format = block.blockFormat();
    format.setObjectIndex(list->objectIndex());
    format.setLeftMargin(twipsToIndent(a.textPosition));
    const double firstLine = twipsToIndent(a.labelPosition - a.textPosition);
    setFirstLineIndent(&format, firstLine);
    // The own indent too: the keeper makes the text indent a layout value.
    format.setProperty(prop::OwnTextIndent, firstLine);
    format.setProperty(prop::ListOverride, family);
    format.setProperty(prop::ListLevel, a.level - 1);
    QTextCursor(block).setBlockFormat(format);
}

void apply(const QTextCursor &cursor, ListKind kind, const ListAttributes &a, bool onlyOfKind)
{
    const QList<QTextBlock> blocks = selectedBlocks(cursor);
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    if (kind == ListKind::None) {
        for (const QTextBlock &block : blocks)
            takeOutOfList(block);
        edit.endEditBlock();
        return;
    }
    KeptAttributes::of(cursor.document())->forKind(kind) = a;
    // The paragraph whose list the others join: the first one, or when only
    // lists of the kind change, the first of those.
    QTextBlock first = blocks.first();
    if (onlyOfKind) {
        const auto ofKind = std::ranges::find_if(blocks, [kind](const QTextBlock &b) { return listKindOf(b) == kind; });
        if (ofKind != blocks.end())
            first = *ofKind;
    }
    QTextDocument *doc = cursor.document();
    const int family = listKindOf(first) == kind ? familyOf(first) : newListFamily(doc);
    QTextList *list = levelList(doc, family, a.level - 1, kind);
    QTextListFormat base;
    if (list)
        base = list->format();
    else if (listKindOf(first) == kind)
        base = first.textList()->format();
    const QTextListFormat format = listFormatFor(base, kind, a);
    for (const QTextBlock &block : blocks) {
        if (onlyOfKind && listKindOf(block) != kind)
            continue;
        if (!list) {
            list = QTextCursor(block).createList(format);
        }
        putInList(block, list, family, a);
    }
    if (list && list->format() != format)
        list->setFormat(format);
    edit.endEditBlock();
}

int attributeAt(const ListAttributes &a, ListKind kind, int index)
{
    if (kind == ListKind::Bullets) {
        switch (index) {
        case BulletLevel: return a.level;
        case BulletPosition: return a.labelPosition;
        case BulletTextPosition: return a.textPosition;
        default: return 0;
        }
    }
    switch (index) {
    case NumberStyle: return a.numberStyle;
    case NumberLevel: return a.level;
    case NumberPosition: return a.labelPosition;
    case NumberTextPosition: return a.textPosition;
    default: return 0;
    }
}

bool setAttributeAt(ListAttributes *a, ListKind kind, int index, int value)
{
    int *field = nullptr;
    if (kind == ListKind::Bullets) {
        field = index == BulletLevel      ? &a->level
                : index == BulletPosition ? &a->labelPosition
                : index == BulletTextPosition ? &a->textPosition
                                              : nullptr;
    } else {
        field = index == NumberStyle      ? &a->numberStyle
                : index == NumberLevel    ? &a->level
                : index == NumberPosition ? &a->labelPosition
                : index == NumberTextPosition ? &a->textPosition
                                              : nullptr;
    }
    if (!field)
        return false;
    *field = value;
    return true;
}

int readAttribute(const QTextCursor &cursor, ListKind kind, int index)
{
    return cursor.isNull() ? 0 : attributeAt(listAttributes(cursor, kind), kind, index);
}

void writeAttribute(const QTextCursor &cursor, ListKind kind, int index, int value)
{
    if (cursor.isNull())
        return;
    ListAttributes a = listAttributes(cursor, kind);
    if (!setAttributeAt(&a, kind, index, value))
        return;
    a = clamped(a);
    const bool anyOfKind = std::ranges::any_of(selectedBlocks(cursor),
                                               [kind](const QTextBlock &b) { return listKindOf(b) == kind; });
    if (anyOfKind)
        apply(cursor, kind, a, true);
    else
        KeptAttributes::of(cursor.document())->forKind(kind) = a;
}

}  // namespace

ListAttributes listAttributes(const QTextCursor &cursor, ListKind kind)
{
    if (cursor.isNull() || kind == ListKind::None)
        return {};
    const QTextBlock first = cursor.document()->findBlock(cursor.selectionStart());
    if (listKindOf(first) == kind)
        return attributesOf(first);
    return KeptAttributes::of(cursor.document())->forKind(kind);
}

void applyList(const QTextCursor &cursor, ListKind kind, ListAttributes attributes)
{
    if (cursor.isNull())
        return;
    apply(cursor, kind, clamped(attributes), false);
}

void setListKind(const QTextCursor &cursor, ListKind kind)
{
    applyList(cursor, kind, listAttributes(cursor, kind));
}

int bulletAttribute(const QTextCursor &cursor, int index)
{
    return readAttribute(cursor, ListKind::Bullets, index);
}

void setBulletAttribute(const QTextCursor &cursor, int index, int value)
{
    writeAttribute(cursor, ListKind::Bullets, index, value);
}

int numberAttribute(const QTextCursor &cursor, int index)
{
    return readAttribute(cursor, ListKind::Numbers, index);
}

void setNumberAttribute(const QTextCursor &cursor, int index, int value)
{
    writeAttribute(cursor, ListKind::Numbers, index, value);
}

}  // namespace textctl
