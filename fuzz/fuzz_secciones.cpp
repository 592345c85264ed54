// libFuzzer harness of the section file reader: a file that ends before a
// required header gives no blocks at all, and every block is whole lines,
// each ended by LF then CR.
#include "merge/secciones.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    merge::SectionBlocks blocks;
    const bool read = merge::readSections(QByteArrayView(bytes, qsizetype(size)), &blocks);
    qsizetype total = 0;
    for (const QString &block : blocks) {
        if (!read && !block.isEmpty())
            std::abort();
        if (!block.isEmpty() && !block.endsWith(u"\n\r"))
            std::abort();
        total += block.size();
    }
    // A byte is one character, a line adds two.
    if (total > 3 * qsizetype(size))
        std::abort();
    return 0;
}
