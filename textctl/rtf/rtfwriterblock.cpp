// Paragraphs: list text, runs, kept fields, links, bookmarks, footnotes and
// the objects (pictures, live fields) inside them.

#include "textctl/rtf/rtfwriter.h"

#include "textctl/model/formatprops.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace textctl {

void RtfWriter::writeParagraph(const QTextBlock &block, End end)
{
    enterDocument(block.document());
    m_out.controls(blockFormatRtf(block));
    if (m_tableDepth > 0) {
        m_out.control("intbl");
        if (m_tableDepth > 1)
            m_out.control("itap", m_tableDepth);
    }
    m_lastCharIndex = -1;
    if (block.textList())
        writeListText(block);
    writeRuns(block);
    if (block.length() <= 1) {
        // An empty paragraph still has a mark whose font sets its height.
        if (m_cellStart) {
            // A cell's first mark carries the cell's format: its shading
            // is the cell's, not the text's.
            QTextCharFormat mark = block.charFormat();
            mark.clearBackground();
            writeCharWords(makeCharFormatRtf(mark));
            m_lastCharIndex = -1;
        } else {
            writeCharWords(charInfo(block.charFormatIndex(), block.charFormat()).rtf);
            m_lastCharIndex = block.charFormatIndex();
        }
    }
    m_cellStart = false;
    writeEnd(end);
}

void RtfWriter::writeListText(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    const QTextListFormat format = list->format();
    const QTextListFormat::Style style = format.style();
    QString text;
    if (RtfWriterListTable::isBullet(style)) {
        text = RtfWriterListTable::bulletText(format);
    } else if (style != QTextListFormat::ListStyleUndefined) {  // else a level without a number
        // Qt's own item text counts from 1 whatever the list's start.
        const int start = format.hasProperty(prop::ListStart) ? format.intProperty(prop::ListStart) : 1;
        text = format.numberPrefix() + RtfWriterListTable::numberText(style, list->itemNumber(block) + start)
            + RtfWriterListTable::numberSuffix(format);
    }
    // A reader without lists shows this text; one with lists skips it.
    m_out.openGroup();
    m_out.control("listtext");
    m_out.control("pard");
    m_out.controls(charInfo(block.charFormatIndex(), block.charFormat()).rtf);
    m_out.text(text);
    if (!text.isEmpty())
        m_out.control("tab");
    m_out.closeGroup();
}

void RtfWriter::writeCharWords(const QByteArray &words)
{
    const bool shifted = words.contains("\\super") || words.contains("\\sub");
    if (m_shifted && !shifted)
        m_out.control("nosupersub");
    m_out.controls(words);
    m_shifted = shifted;
}

bool RtfWriter::sameCharWords(int lastIndex, const QByteArray &words) const
{
    if (lastIndex < 0 || size_t(lastIndex) >= m_charCache.size())
        return false;
    const CharInfo &last = m_charCache[size_t(lastIndex)];
    return last.ready && !last.object && last.rtf == words;
}

void RtfWriter::writeRuns(const QTextBlock &block)
{
    const QString text = block.text();
    const QTextDocument *doc = block.document();
    const int base = block.position();
    m_lastFootnote.clear();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const int index = fragment.charFormatIndex();
        CharInfo &info = charSlot(index);
        if (!info.ready)
            info = makeCharInfo(fragment.charFormat());
        const QStringView piece = QStringView(text).mid(fragment.position() - base, fragment.length());
        switchFields(info.link, info.field);
        for (const QString &name : info.bookmarkStarts)
            writeBookmark("bkmkstart", name);
        const bool newFootnote = !info.footnote.isEmpty() && info.footnote != m_lastFootnote;
        // A mark that shows the next number is an automatic one; any other
        // text is the footnote's own mark and takes no number.
        const bool numbered = newFootnote && !info.object && piece == QString::number(m_footnotes + 1);
        if (index != m_lastCharIndex) {
            // Raised text that runs on into a footnote is taken for the
            // footnote's own mark: a numbered mark ends the raise first,
            // and an own mark starts one (its words' \plain keeps it on).
            const bool endRaise = numbered && m_shifted;
            if (endRaise) {
                m_out.control("nosupersub");
                m_shifted = false;
            }
            if (newFootnote && !numbered && !info.object) {
                if (!m_shifted)
                    m_out.control("super");
                if (!m_shifted || !sameCharWords(m_lastCharIndex, info.rtf))
                    m_out.controls(info.rtf);
                m_shifted = true;
            } else if (endRaise || info.object || !sameCharWords(m_lastCharIndex, info.rtf)) {
                // Text runs that differ only in what the words do not carry
                // (a bookmark, a footnote) go on without repeating them: a
                // reader splits the text at every control word, and some show
                // blanks split so differently from blanks in one piece. An
                // object and the text after it keep their own words.
                writeCharWords(info.rtf);
            }
            m_lastCharIndex = index;
        }
        if (info.object)
            writeObjects(*doc, piece, fragment.charFormat());
        else if (numbered)
            m_out.control("chftn");  // the automatic number it shows
        else
            m_out.text(piece);
        if (numbered)
            ++m_footnotes;
        if (newFootnote)
            m_out.verbatim(info.footnote);
        m_lastFootnote = info.footnote;
        for (const QString &name : info.bookmarkEnds)
            writeBookmark("bkmkend", name);
        m_out.softBreak();
    }
    switchFields({}, {});
}

void RtfWriter::writeObjects(const QTextDocument &doc, QStringView text, const QTextCharFormat &format)
{
    for (QChar ch : text) {
        if (ch != QChar::ObjectReplacementCharacter)
            m_out.text(QStringView(&ch, 1));
        else if (format.isImageFormat())
            writePicture(doc, format.toImageFormat());
        else if (format.objectType() == prop::FieldObjectType)
            writeLiveField(format);
        else if (format.objectType() == prop::EmptyFieldObjectType)
            writeEmptyField(format);
    }
}

void RtfWriter::writeBookmark(const char *word, const QString &name)
{
    m_out.destination(word);
    m_out.text(name);
    m_out.closeGroup();
}

void RtfWriter::openField(const QString &instruction)
{
    m_out.openGroup();
    m_out.control("field");
    m_out.destination("fldinst");
    m_out.text(instruction);
    m_out.closeGroup();
    m_out.openGroup();
    m_out.control("fldrslt");
    m_lastCharIndex = -1;
    m_shiftedOutside.push_back(m_shifted);
}

void RtfWriter::closeField()
{
    m_out.closeGroup();  // \fldrslt
    m_out.closeGroup();  // \field
    m_lastCharIndex = -1;
    if (!m_shiftedOutside.empty()) {
        m_shifted = m_shiftedOutside.back();  // the group's end restores it
        m_shiftedOutside.pop_back();
    }
}

void RtfWriter::switchFields(const FieldKey &link, const FieldKey &field)
{
    const bool linkChanges = !(link == m_link);
    const bool fieldChanges = linkChanges || !(field == m_field);
    if (fieldChanges && m_field.isField())
        closeField();
    if (linkChanges && m_link.isField())
        closeField();
    if (linkChanges && link.isField())
        openField(link.instruction);
    if (fieldChanges && field.isField())
        openField(field.instruction);
    m_link = link;
    m_field = field;
}

void RtfWriter::writeLiveField(const QTextCharFormat &format)
{
    QString kind = format.stringProperty(prop::LiveFieldKind);
    if (kind.isEmpty())
        kind = QStringLiteral("PAGE");
    QString instruction = format.stringProperty(prop::FieldInstruction);
    if (instruction.trimmed().isEmpty())
        instruction = kind;
    // The result a reader that does not compute fields shows.
    writeFieldGroup(instruction, u"1");
}

void RtfWriter::writeEmptyField(const QTextCharFormat &format)
{
    writeFieldGroup(format.stringProperty(prop::FieldInstruction), {});
}

void RtfWriter::writeFieldGroup(const QString &instruction, QStringView result)
{
    m_out.openGroup();
    m_out.control("field");
    m_out.destination("fldinst");
    m_out.text(instruction);
    m_out.closeGroup();
    m_out.openGroup();
    m_out.control("fldrslt");
    if (!result.isEmpty())
        m_out.text(result);
    m_out.closeGroup();
    m_out.closeGroup();
}

}  // namespace textctl
