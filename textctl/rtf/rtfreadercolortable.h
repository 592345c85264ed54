#pragma once

// The colour table of the file being read, filled as its group is read:
// \red, \green and \blue set the entry being read and ';' ends it. An entry
// that states none of them is the "auto" colour, no colour at all; entry 0
// usually is one.
//
//   ReaderColorTable colors;
//   colors.start();
//   colors.appendText(u";");   // entry 0: auto
//   colors.applyWord(Word::Red, 255);
//   colors.finish();           // entry 1, without its ';'
//   colors.color(1);           // red

#include "textctl/rtf/rtfreaderwords.h"

#include <QColor>
#include <QList>
#include <QStringView>

namespace textctl::rtf {

class ReaderColorTable final {
public:
    // A \colortbl group: it replaces any table read before.
    void start();
    // \redN, \greenN, \blueN (clamped to 0-255); other words do nothing.
    void applyWord(Word word, int param);
    // Text of the table group: each ';' ends an entry.
    void appendText(QStringView text);
    // The table's end: a last entry without its ';' still counts.
    void finish();

    // Entry `index`; invalid for entry 0, an auto entry or a number the
    // table does not have.
    QColor color(int index) const;

private:
    QList<QColor> m_colors;
    QColor m_entry{0, 0, 0};
    bool m_entryStated = false;
};

}  // namespace textctl::rtf
