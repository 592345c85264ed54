#include "data/linereader.h"

#include <cstring>

namespace data {

LineReader::LineReader(QByteArrayView bytes)
    : m_bytes(bytes)
{
}

bool LineReader::next(QByteArrayView *line)
{
    const qsizetype size = m_bytes.size();
    if (m_pos >= size)
        return false;
    const char *begin = m_bytes.data() + m_pos;
    // memchr: the claim data holds tens of megabytes of long records.
    const auto *cr = static_cast<const char *>(std::memchr(begin, '\r', size_t(size - m_pos)));
    const qsizetype end = cr ? qsizetype(cr - m_bytes.data()) : size;
    m_lineOffset = m_pos;
    *line = m_bytes.sliced(m_pos, end - m_pos);
    m_pos = end;
    if (m_pos < size) {
        ++m_pos;  // the CR
        if (m_pos < size && m_bytes[m_pos] == '\n')
            ++m_pos;
    }
    return true;
}

QByteArrayView columnSlice(QByteArrayView line, qsizetype first, qsizetype count)
{
    if (first < 1 || count < 0 || first > line.size())
        return {};
    return line.sliced(first - 1, qMin(count, line.size() - (first - 1)));
}

QByteArrayView trimSpaces(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    return text.sliced(begin, end - begin);
}

}  // namespace data
