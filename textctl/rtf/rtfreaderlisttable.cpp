#include "textctl/rtf/rtfreaderlisttable.h"

#include <algorithm>
#include <limits>

namespace textctl::rtf {

void ReaderListTable::startList()
{
    m_lists.emplace_back();
}

void ReaderListTable::setListId(int id)
{
    if (!m_lists.empty())
        m_lists.back().id = id;
}

bool ReaderListTable::startLevel(bool forOverride)
{
    if (forOverride && m_override.ownList < 0) {
        // An id no \listid can give, so that only this override names it.
        m_lists.emplace_back();
        m_lists.back().id = std::numeric_limits<int>::min() + static_cast<int>(m_lists.size());
        m_override.ownList = static_cast<int>(m_lists.size()) - 1;
    }
    if (m_lists.empty())
        return false;
    m_lists.back().levels.emplace_back();
    return true;
}

ListLevelDef *ReaderListTable::currentLevel()
{
    if (m_lists.empty() || m_lists.back().levels.empty())
        return nullptr;
    return &m_lists.back().levels.back();
}

void ReaderListTable::startOverride()
{
    m_override = Override();
}

void ReaderListTable::setOverrideListId(int id)
{
    m_override.listId = id;
}

void ReaderListTable::setOverrideIndex(int index)
{
    m_override.index = index;
}

void ReaderListTable::finishOverride()
{
    if (m_override.index >= 0) {
        const int own = m_override.ownList;
        m_overrides.insert(m_override.index, own >= 0 ? m_lists[own].id : m_override.listId);
    }
    m_override = Override();
}

const ListLevelDef *ReaderListTable::level(int override, int level) const
{
    const auto id = m_overrides.constFind(override);
    if (id == m_overrides.constEnd())
        return nullptr;
    for (const ListDef &list : m_lists) {
        if (list.id != *id || list.levels.empty())
            continue;
        const size_t index = std::min<size_t>(static_cast<size_t>(level), list.levels.size() - 1);
        return &list.levels[index];
    }
    return nullptr;
}

}  // namespace textctl::rtf
