#include "merge/secciones.h"

#include "data/datafile.h"
#include "data/linereader.h"
#include "merge/mergedata.h"
#include "platform/codepage.h"
#include "textctl/txtextcontrol.h"

namespace merge {

namespace {

// Reads the section file line by line the way the sections are defined:
// the current line, whether the file has ended, and the block being filled.
class SectionScanner final {
public:
    explicit SectionScanner(QByteArrayView bytes) : m_reader(bytes) {}

    bool read()
    {
        QByteArrayView line;
        if (!m_reader.next(&line))
            return false;
        m_line = line;
        return true;
    }
    bool atEnd() const { return m_reader.atEnd(); }
    bool isHeader(int section) const
    {
        return platform::decodeWindows1252(data::trimSpaces(m_line)) == kSections[section].header;
    }
    void appendTo(QString &block) const
    {
        block += platform::decodeWindows1252(m_line);
        block += u"\n\r";
    }

private:
    data::LineReader m_reader;
    QByteArrayView m_line;
};

}  // namespace

bool readSections(QByteArrayView bytes, SectionBlocks *blocks)
{
    *blocks = {};
    SectionScanner scan(bytes);
    // Lines before the first header belong to no block.
    do {
        if (!scan.read())
            return false;
    } while (!scan.isHeader(0));
    // The required headers: reading past the end is a failure.
    for (int section = 1; section < kRequiredSections; ++section) {
        while (true) {
            if (!scan.read()) {
                *blocks = {};
                return false;
            }
            if (scan.isHeader(section))
                break;
            scan.appendTo((*blocks)[section - 1]);
        }
    }
    // The optional headers: a missing one lets the section before it run to
    // the end of the file, later headers included.
    for (int section = kRequiredSections; section < kSectionCount; ++section) {
        while (!scan.isHeader(section) && !scan.atEnd()) {
            scan.read();
            if (!scan.isHeader(section))
                scan.appendTo((*blocks)[section - 1]);
        }
    }
    while (!scan.atEnd()) {
        scan.read();
        scan.appendTo((*blocks)[kSectionCount - 1]);
    }
    return true;
}

void placeBlocks(TXTextControl &control, const SectionBlocks &blocks)
{
    control.setHeaderFooterSelect(textctl::MainText);
    for (int section = 0; section < kSectionCount; ++section) {
        if (control.Find(kSections[section].marker.toString(), 0, 16) >= 0)
            control.setSelText(blocks[section]);
    }
}

void insertar_secciones(TXTextControl &control, const MergeData &mergeData, const QString &numero)
{
    SectionBlocks blocks;
    QByteArray bytes;
    const QString path = data::resolvePath(mergeData.programDir, numero + QStringLiteral(".txt"));
    if (!data::readDataFile(path, &bytes) || !readSections(bytes, &blocks))
        blocks = {};
    placeBlocks(control, blocks);
}

}  // namespace merge
