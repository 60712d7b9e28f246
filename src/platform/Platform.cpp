#include "platform/Platform.h"

#include <QLoggingCategory>
#include <cstdio>
#include <cstdlib>

namespace {
Platform* current = nullptr;
Q_LOGGING_CATEGORY(diagnostics, "inspector.diagnostics", QtInfoMsg)
} // namespace

Platform& platform() {
    if (!current) {
        std::fprintf(stderr, "no platform services installed\n");
        std::abort();
    }
    return *current;
}

PlatformScope::PlatformScope(Platform& services) : previous_(current) {
    current = &services;
}

PlatformScope::~PlatformScope() {
    current = previous_;
}

void logLine(const QString& text) {
    platform().log->line(text);
}

void diagnosticLine(const QString& text) {
    if (diagnostics().isDebugEnabled()) logLine(text);
}
