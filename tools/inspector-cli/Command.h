#pragma once

#include <QStringList>

// One sub-command of inspector-cli. Each command file registers itself with a
// static Command object, so adding a command touches no other file.
struct Command {
    using Run = int (*)(const QStringList& args);
    Command(const char* name, const char* usage, Run run);

    const char* name;
    const char* usage;
    Run run;
};
