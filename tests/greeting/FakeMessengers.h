#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "fake-messenger/ChatUrl.h"

extern char** environ;

namespace corvane::testing {

// Starts fake-messenger for each messenger URL the client opens, as the desktop would start
// the messenger, with the options the test chose for that visitor. Every process started
// is ended with the object.
class FakeMessengers {
public:
    struct Options {
        std::string layout = "a-html";
        std::string without;
        std::string show = "now";
    };

    explicit FakeMessengers(std::filesystem::path folder) : folder_(std::move(folder)) {}
    ~FakeMessengers() {
        for (auto& [visitor, pid] : pids_) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    FakeMessengers(const FakeMessengers&) = delete;
    FakeMessengers& operator=(const FakeMessengers&) = delete;

    std::map<std::string, Options> options;  // by visitor; others get the defaults

    // The URL opener handed to the messenger automation.
    void Open(const std::string& url) {
        const auto parties = fake::ParseChatUrl(url);
        const std::string visitor = parties ? parties->visitor : "unparsed";
        const Options chosen = options[visitor];
        std::vector<std::string> arguments = {CORVANE_BINARY_DIR
                                              "/tools/fake-messenger/fake-messenger",
                                              "--transcript",
                                              TranscriptPath(visitor),
                                              "--layout",
                                              chosen.layout,
                                              "--show",
                                              chosen.show};
        if (!chosen.without.empty()) {
            arguments.insert(arguments.end(), {"--without", chosen.without});
        }
        arguments.push_back(url);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0) {
            pids_[visitor] = pid;
            shows_[visitor] = chosen.show;
        }
    }

    // The transcript's lines: "event" or "event<TAB>text".
    std::vector<std::string> Transcript(const std::string& visitor) const {
        std::vector<std::string> lines;
        std::ifstream file(TranscriptPath(visitor));
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // Blocks (real time, bounded) until every messenger told to show its chat at once has
    // shown it, so that the client's first look can find it.
    void WaitForShownChats() {
        for (const auto& [name, show] : shows_) {
            if (show == "now") {
                const std::string& visitor = name;  // clang 14 cannot capture a binding
                WaitFor([&] { return HasEvent(visitor, "opened") || HasEnded(visitor); });
            }
        }
    }

    // True when the messenger for this visitor ended by itself with status 0.
    bool WaitForExit(const std::string& visitor) {
        const auto found = pids_.find(visitor);
        if (found == pids_.end()) {
            return false;
        }
        int status = -1;
        const bool exited = WaitFor([&] { return waitpid(found->second, &status, WNOHANG) > 0; });
        if (exited) {
            pids_.erase(found);
        }
        return exited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    // Ended, without collecting its exit status.
    bool HasEnded(const std::string& visitor) const {
        const auto found = pids_.find(visitor);
        if (found == pids_.end()) {
            return true;
        }
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(found->second), &info,
                      WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid != 0;
    }

    bool Started(const std::string& visitor) const { return pids_.count(visitor) > 0; }

    // Tells a messenger started with show "signal" to show its chat now.
    void ShowNow(const std::string& visitor) {
        const auto found = pids_.find(visitor);
        if (found != pids_.end() && WaitFor([&] { return HasEvent(visitor, "url"); })) {
            kill(found->second, SIGUSR1);
            shows_[visitor] = "now";
        }
    }

    bool HasEvent(const std::string& visitor, const std::string& event) const {
        for (const std::string& line : Transcript(visitor)) {
            if (line == event || line.starts_with(event + "\t")) {
                return true;
            }
        }
        return false;
    }

private:
    std::string TranscriptPath(const std::string& visitor) const {
        return (folder_ / (visitor + ".log")).string();
    }

    template <typename Condition>
    static bool WaitFor(Condition condition) {
        // The other program runs in real time; this only bounds a wait for it.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    std::filesystem::path folder_;
    std::map<std::string, pid_t> pids_;
    std::map<std::string, std::string> shows_;
};

}  // namespace corvane::testing
