#include "textctl/rtf/rtfreadercolortable.h"

#include <algorithm>

namespace textctl::rtf {

void ReaderColorTable::start()
{
    m_colors.clear();
    m_entry = QColor(0, 0, 0);
    m_entryStated = false;
}

void ReaderColorTable::applyWord(Word word, int param)
{
    const int value = std::clamp(param, 0, 255);
    switch (word) {
    case Word::Red: m_entry.setRed(value); break;
    case Word::Green: m_entry.setGreen(value); break;
    case Word::Blue: m_entry.setBlue(value); break;
    default: return;
    }
    m_entryStated = true;
}

void ReaderColorTable::appendText(QStringView text)
{
    for (QChar c : text) {
        if (c != u';')
            continue;
        m_colors.append(m_entryStated ? m_entry : QColor());
        m_entry = QColor(0, 0, 0);
        m_entryStated = false;
    }
}

void ReaderColorTable::finish()
{
    if (m_entryStated)
        appendText(u";");
}

QColor ReaderColorTable::color(int index) const
{
    if (index <= 0 || index >= m_colors.size())
        return {};
    return m_colors.at(index);
}

}  // namespace textctl::rtf
