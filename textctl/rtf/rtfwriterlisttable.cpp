#include "textctl/rtf/rtfwriterlisttable.h"

#include "textctl/model/formatprops.h"
#include "textctl/rtf/rtfwriterbuffer.h"

namespace textctl {

namespace {

// List ids only have to be unique within the file.
constexpr int kFirstListId = 1001;

int numberFormat(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDecimal: return 0;
    case QTextListFormat::ListUpperRoman: return 1;
    case QTextListFormat::ListLowerRoman: return 2;
    case QTextListFormat::ListUpperAlpha: return 3;
    case QTextListFormat::ListLowerAlpha: return 4;
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare: return 23;
    default: return 255;
    }
}

// Level texts count their characters in a leading \'NN byte; a ';' would
// end the text early.
QString levelPart(const QString &text)
{
    QString part = text;
    part.remove(u';');
    return part;
}

void appendCountByte(RtfWriterBuffer &out, int count)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const char bytes[4] = {'\\', '\'', kHex[(count >> 4) & 15], kHex[count & 15]};
    out.raw(QByteArrayView(bytes, 4));
}

}  // namespace

bool RtfWriterListTable::isBullet(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

QString RtfWriterListTable::bulletText(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle: return QString(QChar(0x25CB));
    case QTextListFormat::ListSquare: return QString(QChar(0x25AA));
    default: return QString(QChar(0x2022));
    }
}

QString RtfWriterListTable::bulletText(const QTextListFormat &format)
{
    const QString label = format.stringProperty(prop::ListLabelText);
    return label.isEmpty() ? bulletText(format.style()) : label;
}

QString RtfWriterListTable::numberSuffix(const QTextListFormat &format)
{
    return format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix() : QStringLiteral(".");
}

QString RtfWriterListTable::numberText(QTextListFormat::Style style, int number)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha: {
        // a..z, aa..zz, ...
        QString letters;
        for (int n = qMax(1, number); n > 0; n = (n - 1) / 26)
            letters.prepend(QChar(u'a' + (n - 1) % 26));
        return style == QTextListFormat::ListUpperAlpha ? letters.toUpper() : letters;
    }
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman: {
        static const struct {
            int value;
            const char *digits;
        } kRoman[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"},
                      {50, "l"},   {40, "xl"},  {10, "x"},  {9, "ix"},   {5, "v"},   {4, "iv"}, {1, "i"}};
        if (number < 1 || number > 3999)
            return QString::number(number);
        QString roman;
        for (const auto &step : kRoman) {
            for (; number >= step.value; number -= step.value)
                roman += QLatin1String(step.digits);
        }
        return style == QTextListFormat::ListUpperRoman ? roman.toUpper() : roman;
    }
    default:
        return QString::number(number);
    }
}

int RtfWriterListTable::listNumber(const Key &key)
{
    const auto found = m_numbers.constFind(key);
    if (found != m_numbers.constEnd())
        return *found;
    m_lists.append(List{});
    const int number = int(m_lists.size());
    m_numbers.insert(key, number);
    return number;
}

void RtfWriterListTable::defineLevel(int ls, int level, const Level &definition)
{
    if (ls < 1 || ls > m_lists.size() || level < 0 || level >= kLevels)
        return;
    List &list = m_lists[ls - 1];
    if (list.defined[level])
        return;
    list.levels[level] = definition;
    list.defined[level] = true;
}

QByteArray RtfWriterListTable::levelRtf(const List &list, int level) const
{
    Level def;
    if (list.defined[level]) {
        def = list.levels[level];
    } else {
        // An unused level follows the kind of the list's first used level.
        for (int i = 0; i < kLevels; ++i) {
            if (list.defined[i]) {
                def.style = isBullet(list.levels[i].style) ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal;
                break;
            }
        }
        def.suffix = isBullet(def.style) ? QString() : QStringLiteral(".");
        def.leftTwips = 720 * (level + 1);
        def.firstTwips = -360;
    }
    const int nfc = numberFormat(def.style);
    RtfWriterBuffer out;
    out.openGroup();
    out.control("listlevel");
    out.control("levelnfc", nfc);
    out.control("levelnfcn", nfc);
    out.control("leveljc", 0);
    out.control("leveljcn", 0);
    // Nothing follows an empty number; a tab follows every other.
    out.control("levelfollow", def.style == QTextListFormat::ListStyleUndefined ? 2 : 0);
    out.control("levelstartat", def.start);
    out.control("levelspace", 0);
    out.control("levelindent", 0);
    out.openGroup();
    out.control("leveltext");
    if (isBullet(def.style)) {
        const QString text = def.label.isEmpty() ? bulletText(def.style) : levelPart(def.label);
        appendCountByte(out, int(text.size()));
        out.text(text);
        out.raw(";");
        out.closeGroup();
        out.openGroup();
        out.control("levelnumbers");
        out.raw(";");
    } else if (def.style == QTextListFormat::ListStyleUndefined) {
        // A level without a number: an empty text.
        appendCountByte(out, 0);
        out.raw(";");
        out.closeGroup();
        out.openGroup();
        out.control("levelnumbers");
        out.raw(";");
    } else {
        const QString prefix = levelPart(def.prefix);
        const QString suffix = levelPart(def.suffix);
        appendCountByte(out, int(prefix.size() + 1 + suffix.size()));
        out.text(prefix);
        appendCountByte(out, level);
        out.text(suffix);
        out.raw(";");
        out.closeGroup();
        out.openGroup();
        out.control("levelnumbers");
        appendCountByte(out, int(prefix.size() + 1));
        out.raw(";");
    }
    out.closeGroup();
    out.control("fi", def.firstTwips);
    out.control("li", def.leftTwips);
    out.control("lin", def.leftTwips);
    out.closeGroup();
    return out.take();
}

QByteArray RtfWriterListTable::toRtf() const
{
    if (m_lists.isEmpty())
        return {};
    RtfWriterBuffer out;
    out.destination("listtable");
    for (int i = 0; i < m_lists.size(); ++i) {
        out.newline();
        out.openGroup();
        out.control("list");
        out.control("listtemplateid", kFirstListId + i);
        for (int level = 0; level < kLevels; ++level) {
            out.newline();
            out.raw(levelRtf(m_lists.at(i), level));
        }
        out.openGroup();
        out.control("listname");
        out.raw(";");
        out.closeGroup();
        out.control("listid", kFirstListId + i);
        out.closeGroup();
    }
    out.closeGroup();
    out.newline();
    out.destination("listoverridetable");
    for (int i = 0; i < m_lists.size(); ++i) {
        out.openGroup();
        out.control("listoverride");
        out.control("listid", kFirstListId + i);
        out.control("listoverridecount", 0);
        out.control("ls", i + 1);
        out.closeGroup();
        out.softBreak();
    }
    out.closeGroup();
    return out.take();
}

}  // namespace textctl
