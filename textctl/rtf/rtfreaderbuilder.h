#pragma once

// Puts what the RTF reader collected into a QTextDocument through a
// cursor: one insertText per run, one insertTable per table (on the grid
// of all its rows), lists joined per document, pictures added as
// resources named "pict:<n>" that the document does not use yet.

#include "textctl/rtf/rtfreadercontext.h"

#include <QHash>

class QTextCursor;
class QTextDocument;
class QTextList;

namespace textctl::rtf {

class RtfReaderBuilder final {
public:
    RtfReaderBuilder(QTextDocument *document, const std::vector<PictureResource> &pictures);
    Q_DISABLE_COPY_MOVE(RtfReaderBuilder)

    // How the first paragraph meets the cursor's block.
    enum class Start {
        Replace,  // an empty block: it takes the paragraph's formats
        Merge,    // text already there: the runs join it, its format stays
        Cell,     // a cell's first block: its char format is the cell's
        Append,   // the paragraphs follow the cursor's block
    };

    void insertBlocks(QTextCursor &cursor, const std::vector<Block> &blocks, Start start);

private:
    void insertRuns(QTextCursor &cursor, const Paragraph &paragraph);
    void joinList(QTextCursor &cursor, const ListRef &list);
    void insertTable(QTextCursor &cursor, const Table &table);
    QString pictureName(int picture);

    QTextDocument *m_document;
    const std::vector<PictureResource> &m_pictures;
    QHash<int, QTextList *> m_lists;
    QHash<int, QString> m_pictureNames;
    int m_nextPicture = 1;
};

}  // namespace textctl::rtf
