#pragma once

// What the benchmarks read of their own process: CPU time and resident
// memory (Linux).

#include <QByteArray>
#include <QFile>

#include <ctime>

namespace bench {

// CPU time of the whole process, in milliseconds.
inline double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// A line of /proc/self/status in KiB ("VmRSS:", "VmHWM:"), 0 when /proc
// cannot be read.
inline long statusKiB(const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Resident memory, in KiB.
inline long residentKiB()
{
    return statusKiB("VmRSS:");
}

// The process's own peak of resident memory, in KiB: unlike getrusage's,
// it starts again at exec, so it leaves out the parent's memory at the fork.
inline long peakKiB()
{
    return statusKiB("VmHWM:");
}

}  // namespace bench
