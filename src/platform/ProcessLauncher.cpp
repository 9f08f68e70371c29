#include "platform/ProcessLauncher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

namespace corvane::platform {

bool LaunchDetached(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return false;
    }
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    argv.reserve(copies.size() + 1);
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    // Nobody waits for the opener, yet its exit status must be collected.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}

void OpenUrlWithDesktop(const std::string& url) {
    LaunchDetached({"xdg-open", url});
}

}  // namespace corvane::platform
