#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace corvane::testing {

// A program started with its standard output on a pipe; ended with SIGTERM and reaped when
// the object goes.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& arguments) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        output_ = pipeEnds[0];
    }
    ~ChildProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            Wait();
        }
        if (output_ >= 0) {
            close(output_);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }

    // Sends a signal (SIGINT, SIGTERM, ...) while it runs.
    void Signal(int signal) const {
        if (pid_ > 0) {
            kill(pid_, signal);
        }
    }

    // One line of its output without the line break; nullopt at the end of the output.
    std::optional<std::string> ReadLine() {
        std::string line;
        char c = 0;
        while (output_ >= 0 && read(output_, &c, 1) == 1) {
            if (c == '\n') {
                return line;
            }
            line += c;
        }
        return line.empty() ? std::nullopt : std::optional<std::string>(line);
    }

    // Everything it writes until it ends.
    std::string ReadAll() {
        std::string all;
        char buffer[4096];
        ssize_t count = 0;
        while (output_ >= 0 && (count = read(output_, buffer, sizeof buffer)) > 0) {
            all.append(buffer, static_cast<std::size_t>(count));
        }
        return all;
    }

    // Its exit status once it has ended; -1 when it did not exit normally.
    int Wait() {
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) {
            return -1;
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// Runs a program to its end: its exit status and its standard output.
inline std::pair<int, std::string> RunProgram(const std::vector<std::string>& arguments) {
    ChildProcess child(arguments);
    std::string output = child.ReadAll();
    return {child.Wait(), output};
}

}  // namespace corvane::testing
