#pragma once

// The memory of this process, from /proc/self.
#include <QFile>
#include <QRegularExpression>
#include <QString>

// A kB figure of this process from /proc/self/status ("VmHWM", "VmRSS").
inline long statusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const QRegularExpression line(QStringLiteral("^%1:\\s*(\\d+) kB").arg(field),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(text);
    return match.hasMatch() ? match.captured(1).toLong() : -1;
}

// Brings the peak ("VmHWM") down to the memory in use now, so that the next
// peak is that of what follows; false where the system does not allow it.
inline bool resetPeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}
