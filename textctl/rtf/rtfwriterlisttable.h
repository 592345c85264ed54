#pragma once

// The list table of a file being written (\listtable and
// \listoverridetable). Each list in use gets an override number \lsN the
// first time one of its paragraphs is written, and its definition takes the
// style, number text and indents of the first paragraph written at each level;
// levels no paragraph uses get a plain default so that every list has the
// nine levels word processors expect.
//
//   RtfWriterListTable lists;
//   const int ls = lists.listNumber(key);          // 1
//   lists.defineLevel(ls, 0, level);
//   lists.toRtf();   // {\*\listtable{\list...}}{\*\listoverridetable{...\ls1}}

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextListFormat>

#include <array>

namespace textctl {

class RtfWriterListTable final {
public:
    static constexpr int kLevels = 9;

    struct Level {
        QTextListFormat::Style style = QTextListFormat::ListDisc;
        QString prefix;
        QString suffix;
        int leftTwips = 0;
        int firstTwips = 0;
        int start = 1;  // the number of the first item
        QString label;  // a bullet's own text; empty: the style's
    };

    // A list is known by an opaque key: the QTextList, or the document and
    // the override number the reader kept, so that the paragraphs of one RTF
    // list stay one list.
    struct Key {
        const void *owner = nullptr;
        int number = -1;
        friend bool operator==(const Key &, const Key &) = default;
        friend size_t qHash(const Key &key, size_t seed = 0) { return qHashMulti(seed, key.owner, key.number); }
    };

    RtfWriterListTable() = default;

    // The \ls number of a list, registered on first use (1, 2, ...).
    int listNumber(const Key &key);
    // Sets a level of list `ls` unless a paragraph already did.
    void defineLevel(int ls, int level, const Level &definition);
    bool isEmpty() const { return m_lists.isEmpty(); }
    QByteArray toRtf() const;

    // The text a reader without lists shows for a bullet of this style.
    static QString bulletText(QTextListFormat::Style style);
    // A bullet's text: the list's own label, else its style's.
    static QString bulletText(const QTextListFormat &format);
    // The text after a number: Qt shows "." when the format names none.
    static QString numberSuffix(const QTextListFormat &format);
    // Item `number` (1 = "1", "a", "i"...) as the style writes it.
    static QString numberText(QTextListFormat::Style style, int number);
    static bool isBullet(QTextListFormat::Style style);

private:
    struct List {
        std::array<Level, kLevels> levels;
        std::array<bool, kLevels> defined{};
    };

    QByteArray levelRtf(const List &list, int level) const;

    QList<List> m_lists;
    QHash<Key, int> m_numbers;
};

}  // namespace textctl
