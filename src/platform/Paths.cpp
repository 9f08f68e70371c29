#include "platform/Paths.h"

#include <cstdlib>
#include <system_error>

namespace corvane::paths {
namespace {

std::filesystem::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::filesystem::path(value)
                                              : std::filesystem::path();
}

}  // namespace

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path DataDirectory() {
    std::filesystem::path directory = FromEnvironment("CORVANE_HOME");
    if (directory.empty()) {
        std::filesystem::path programDirectory = ExecutableDirectory();
        std::error_code error;
        if (!programDirectory.empty() &&
            std::filesystem::exists(DatabasePath(programDirectory), error)) {
            directory = programDirectory;
        }
    }
    if (directory.empty()) {
        std::filesystem::path xdg = FromEnvironment("XDG_DATA_HOME");
        if (xdg.empty()) {
            xdg = FromEnvironment("HOME") / ".local" / "share";
        }
        directory = xdg / "corvane";
    }
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    return directory;
}

std::filesystem::path DatabasePath(const std::filesystem::path& dataDirectory) {
    return dataDirectory / "Info.db";
}

std::filesystem::path IpDatabasePath(const std::filesystem::path& dataDirectory) {
    return dataDirectory / "QQWry.Dat";
}

}  // namespace corvane::paths
