// Replaces a file through AtomicFile with `megabytes` MB of one byte value,
// in 64 KB pieces as a report's save writes them; the kill test stops it
// at random points.
//
//   atomicfile_driver PATH MEGABYTES BYTE
#include "platform/atomicfile.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    platform::AtomicFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray piece(64 * 1024, char(std::atoi(argv[3])));
    const int pieces = std::atoi(argv[2]) * 16;
    bool ok = file.open();
    for (int i = 0; ok && i < pieces; ++i)
        ok = file.write(piece);
    if (!ok || !file.commit()) {
        std::fprintf(stderr, "%s\n", qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
