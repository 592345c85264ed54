#include "textctl/rtf/rtfreadercellwords.h"

#include <algorithm>

namespace textctl::rtf {

namespace {

void hashInto(quint64 &hash, const RecordedWord &w)
{
    const auto mix = [&hash](unsigned char byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (char c : w.name)
        mix(static_cast<unsigned char>(c));
    for (int shift = 0; shift < 32; shift += 8)
        mix(static_cast<unsigned char>(static_cast<unsigned>(w.param) >> shift));
    mix(w.hasParam ? 1 : 2);
}

bool sameWords(const std::vector<RecordedWord> &a, const std::vector<RecordedWord> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const RecordedWord &x, const RecordedWord &y) {
        return x.word == y.word && x.param == y.param && x.hasParam == y.hasParam && x.name == y.name;
    });
}

}  // namespace

void CellWords::add(const RecordedWord &word)
{
    m_words.push_back(word);
    hashInto(m_hash, word);
}

void CellWords::clear()
{
    m_words.clear();
    m_hash = kHashStart;
}

CellDef CellWords::define(int right, const Build &build)
{
    add({Word::CellX, "cellx", right, true});
    auto cached = m_cache.find(m_hash);
    if (cached == m_cache.end() || !sameWords(cached->words, m_words)) {
        if (m_cache.size() > kMaxCached)
            m_cache.clear();
        cached = m_cache.insert(m_hash, {m_words, build(m_words)});
    }
    CellDef def = cached->def;
    clear();
    return def;
}

}  // namespace textctl::rtf
