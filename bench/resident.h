// The program's resident size, for the window benchmarks.
#pragma once

#include <QFile>

namespace rivex::bench {

// VmRSS of this process in KiB; 0 when it cannot be read.
inline long ResidentKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ')[0].toLong();
    }
    return 0;
}

}  // namespace rivex::bench
