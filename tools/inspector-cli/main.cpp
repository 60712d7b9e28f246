// inspector-cli: diagnostics for developers and support staff.
#include "Command.h"
#include "platform/qt/QtSystem.h"
#include "util/PublicFunctionParameters.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

std::vector<const Command*>& registry() {
    static std::vector<const Command*> commands;
    return commands;
}

const Command* find(const char* name) {
    for (const Command* c : registry())
        if (std::strcmp(name, c->name) == 0) return c;
    return nullptr;
}

// Prints the usage on out and returns status.
int usage(FILE* out, int status) {
    std::fprintf(out, "usage: inspector-cli COMMAND ARGS...\n"
                      "       inspector-cli --help | --version\n");
    std::vector<const Command*> commands = registry();
    std::sort(commands.begin(), commands.end(),
              [](const Command* a, const Command* b) { return std::strcmp(a->name, b->name) < 0; });
    for (const Command* c : commands)
        std::fprintf(out, "  %s %s\n", c->name, c->usage);
    return status;
}

// Runs a command that draws text on an offscreen GUI application.
int runWithGui(const Command& command, int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QTemporaryDir> runtime = providePrivateRuntimeFolder();
    QGuiApplication app(argc, argv);
    return command.run(app.arguments().mid(2));
}

} // namespace

Command::Command(const char* name, const char* usage, Run run, Needs needs)
    : name(name), usage(usage), run(run), needs(needs) {
    registry().push_back(this);
}

int main(int argc, char** argv) {
    const Command* command = argc > 1 ? find(argv[1]) : nullptr;
    if (command && command->needs == Command::Needs::Gui) return runWithGui(*command, argc, argv);
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args == QStringList{"--help"} || args == QStringList{"-h"}) return usage(stdout, 0);
    if (args == QStringList{"--version"}) {
        std::printf("inspector-cli %s\n", qPrintable(appVersion().value_or("(unknown)")));
        return 0;
    }
    if (!command) return usage(stderr, 2);
    return command->run(args.mid(1));
}
