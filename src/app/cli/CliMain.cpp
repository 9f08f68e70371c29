// corvane-cli: the headless face of the client.

#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/cli/Commands.h"

namespace {

struct Command {
    std::string_view name;
    std::string_view summary;
    int (*run)(int argc, char** argv);
};

constexpr Command kCommands[] = {
    {"monitor", "poll the tracking service and print every status text and alert",
     corvane::cli::RunMonitor},
    {"account", "register an account: account add NAME PASSWORD [--greet TEMPLATE]",
     corvane::cli::RunAccount},
    {"lookup", "print the location of each IP address given, or of each line read",
     corvane::cli::RunLookup},
};

void PrintUsage() {
    std::fprintf(stderr, "usage: corvane-cli COMMAND [ARGS]\n\ncommands:\n");
    for (const Command& command : kCommands) {
        std::fprintf(stderr, "  %-10.*s %.*s\n", static_cast<int>(command.name.size()),
                     command.name.data(), static_cast<int>(command.summary.size()),
                     command.summary.data());
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        PrintUsage();
        return 2;
    }
    for (const Command& command : kCommands) {
        if (command.name == argv[1]) {
            return command.run(argc - 2, argv + 2);
        }
    }
    std::fprintf(stderr, "corvane-cli: unknown command '%s'\n", argv[1]);
    PrintUsage();
    return 2;
}
