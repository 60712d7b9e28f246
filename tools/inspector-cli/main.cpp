// inspector-cli: diagnostics for developers and support staff.
#include "Command.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::vector<const Command*>& registry() {
    static std::vector<const Command*> commands;
    return commands;
}

int usage() {
    std::fprintf(stderr, "usage: inspector-cli COMMAND ARGS...\n");
    std::vector<const Command*> commands = registry();
    std::sort(commands.begin(), commands.end(),
              [](const Command* a, const Command* b) { return std::strcmp(a->name, b->name) < 0; });
    for (const Command* c : commands)
        std::fprintf(stderr, "  %s %s\n", c->name, c->usage);
    return 2;
}

} // namespace

Command::Command(const char* name, const char* usage, Run run)
    : name(name), usage(usage), run(run) {
    registry().push_back(this);
}

int main(int argc, char** argv) {
    // Drawing text needs a GUI application; no window is ever shown.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage();
    const QString name = args.takeFirst();
    for (const Command* c : registry())
        if (name == QLatin1String(c->name)) return c->run(args);
    return usage();
}
