#include <cstdio>
#include <cstring>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli/Commands.h"
#include "geo/SEU_QQwry.h"
#include "platform/Paths.h"

namespace corvane::cli {
namespace {

constexpr const char* kUsage = "usage: corvane-cli lookup [--qqwry FILE] [IP ...]\n";

void PrintLocation(geo::SEU_QQwry& reader, std::string_view address) {
    const std::string location = reader.Lookup(address);
    std::fwrite(location.data(), 1, location.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int RunLookup(int argc, char** argv) {
    std::filesystem::path databasePath;
    std::vector<std::string_view> addresses;
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--qqwry") {
            if (i + 1 >= argc) {
                std::fputs(kUsage, stderr);
                return 2;
            }
            databasePath = argv[++i];
        } else if (argument.starts_with("--qqwry=") && argument.size() > std::strlen("--qqwry=")) {
            databasePath = argument.substr(std::strlen("--qqwry="));
        } else if (argument.starts_with("--")) {
            std::fprintf(stderr, "corvane-cli lookup: unknown option '%s'\n%s", argv[i], kUsage);
            return 2;
        } else {
            addresses.push_back(argument);
        }
    }
    if (databasePath.empty()) {
        databasePath = paths::IpDatabasePath(paths::DataDirectory());
    }

    geo::SEU_QQwry reader;
    if (!reader.Open(databasePath)) {
        std::fprintf(stderr, "corvane-cli lookup: cannot open the IP database %s\n",
                     databasePath.c_str());
        return 1;
    }
    if (!addresses.empty()) {
        for (std::string_view address : addresses) {
            PrintLocation(reader, address);
        }
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            PrintLocation(reader, line);
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace corvane::cli
