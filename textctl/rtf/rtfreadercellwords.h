#pragma once

// The words of the cell a row definition is stating, kept until its \cellx
// applies them. Rows repeat their cell definitions word for word, so a
// definition seen before comes from a cache keyed by a hash of its words
// instead of being built again.
//
//   CellWords words;
//   words.add({Word::CellShading, "clcbpat", 2, true});
//   CellDef cell = words.define(1440, build);   // build(words) unless cached

#include "textctl/rtf/rtfreadercontent.h"
#include "textctl/rtf/rtfreaderwords.h"

#include <QHash>

#include <functional>
#include <vector>

namespace textctl::rtf {

class CellWords final {
public:
    // Makes the cell from its words (the closing \cellxN among them).
    using Build = std::function<CellDef(const std::vector<RecordedWord> &words)>;

    void add(const RecordedWord &word);
    // Drops the words of a cell that will not be defined.
    void clear();
    // \cellxN: the cell that the words since the last define() or clear()
    // state, ending at `right`. The words are cleared.
    CellDef define(int right, const Build &build);

private:
    struct Cached {
        std::vector<RecordedWord> words;
        CellDef def;
    };
    static constexpr quint64 kHashStart = 14695981039346656037ull;  // FNV-1a
    static constexpr qsizetype kMaxCached = 4096;

    std::vector<RecordedWord> m_words;
    quint64 m_hash = kHashStart;
    QHash<quint64, Cached> m_cache;
};

}  // namespace textctl::rtf
