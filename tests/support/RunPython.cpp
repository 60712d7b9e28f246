#include "support/RunPython.h"

#include <QElapsedTimer>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kCapMs = 60000;

struct Pipe {
    int read = -1;
    int write = -1;
    bool open() {
        int ends[2];
        if (pipe(ends) != 0) return false;
        read = ends[0];
        write = ends[1];
        return true;
    }
};

// Reads both pipes until the other end has closed them or the time is up
// (false); a pipe read to its end is closed and marked so.
bool drain(std::array<Pipe, 2>& pipes, std::array<QByteArray, 2>& into) {
    QElapsedTimer clock;
    clock.start();
    std::array<pollfd, 2> fds{pollfd{pipes[0].read, POLLIN, 0}, pollfd{pipes[1].read, POLLIN, 0}};
    while (pipes[0].read >= 0 || pipes[1].read >= 0) {
        const qint64 left = kCapMs - clock.elapsed();
        if (left <= 0) return false;
        if (poll(fds.data(), fds.size(), int(left)) < 0 && errno != EINTR) return false;
        for (size_t i = 0; i < fds.size(); ++i) {
            if (pipes[i].read < 0 || fds[i].revents == 0) continue;
            char buffer[65536];
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                into[i].append(buffer, got);
            } else if (got == 0 || errno != EINTR) {
                close(pipes[i].read);
                pipes[i].read = fds[i].fd = -1; // poll skips a negative descriptor
            }
        }
    }
    return true;
}

} // namespace

QByteArray runPython(const char* script, const QStringList& args) {
    std::vector<std::string> words{"python3", "-c", script};
    for (const QString& arg : args)
        words.push_back(arg.toStdString());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    std::array<Pipe, 2> pipes; // stdout, stderr
    if (!pipes[0].open() || !pipes[1].open()) {
        ADD_FAILURE() << "no pipe for python3";
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int i = 0; i < 2; ++i) {
        posix_spawn_file_actions_adddup2(&actions, pipes[i].write, 1 + i);
        posix_spawn_file_actions_addclose(&actions, pipes[i].read);
        posix_spawn_file_actions_addclose(&actions, pipes[i].write);
    }
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, "python3", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    for (Pipe& p : pipes)
        close(p.write);
    std::array<QByteArray, 2> printed;
    const bool drained = error == 0 && drain(pipes, printed);
    for (const Pipe& p : pipes)
        if (p.read >= 0) close(p.read);
    if (error != 0) {
        ADD_FAILURE() << "python3 did not start: " << strerror(error);
        return {};
    }
    if (!drained) kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    EXPECT_TRUE(drained) << "python3 still ran after " << kCapMs / 1000 << " s";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << printed[1].toStdString();
    return printed[0];
}
