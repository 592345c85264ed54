#pragma once

// The list definitions of the file being read, filled as \listtable and
// \listoverridetable are read: lists with their levels, and the overrides
// that give each \lsN its list. An override may state levels of its own
// (\lfolevel); they make a list that only that override names.
//
//   ReaderListTable lists;
//   lists.startList();  lists.setListId(7);  lists.startLevel(false);
//   lists.startOverride();  lists.setOverrideListId(7);
//   lists.setOverrideIndex(1);  lists.finishOverride();
//   lists.level(1, 0);   // the level list 7 stated

#include <QHash>
#include <QString>

#include <vector>

namespace textctl::rtf {

struct ListLevelDef {
    int numberFormat = 0;  // \levelnfc
    int startAt = 1;
    QString text;          // \leveltext: length, then text with level placeholders
    int left = 0;
    int first = 0;
    bool leftSet = false;
    bool firstSet = false;
};

class ReaderListTable final {
public:
    // {\list: a list whose \listid comes inside it.
    void startList();
    void setListId(int id);
    // {\listlevel of the list being read, or of the override being read
    // (`forOverride`); false when there is no list to take it.
    bool startLevel(bool forOverride);
    // The level being read; nullptr before any.
    ListLevelDef *currentLevel();

    // {\listoverride: its \listid and \lsN, taken by finishOverride().
    void startOverride();
    void setOverrideListId(int id);
    void setOverrideIndex(int index);
    void finishOverride();

    // True when an override gives \ls`index` a list.
    bool hasOverride(int index) const { return m_overrides.contains(index); }
    // Level `level` of the list \ls`override` names (its last level for a
    // deeper one); nullptr when there is none.
    const ListLevelDef *level(int override, int level) const;

private:
    struct ListDef {
        int id = 0;
        std::vector<ListLevelDef> levels;
    };
    // The override being read; ownList indexes m_lists, -1 for none.
    struct Override {
        int index = -1;
        int listId = 0;
        int ownList = -1;
    };

    std::vector<ListDef> m_lists;
    QHash<int, int> m_overrides;  // \ls -> \listid
    Override m_override;
};

}  // namespace textctl::rtf
