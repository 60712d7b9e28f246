#pragma once

#include <QStringList>

// One sub-command of inspector-cli. Each command file registers itself with a
// static Command object, so adding a command touches no other file.
struct Command {
    using Run = int (*)(const QStringList& args);
    // Commands that draw text need a GUI application; the others run on a
    // plain core application, which opens no display and needs no runtime folder.
    enum class Needs { Core, Gui };
    Command(const char* name, const char* usage, Run run, Needs needs = Needs::Core);

    const char* name;
    const char* usage;
    Run run;
    Needs needs;
};
