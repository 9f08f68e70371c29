#pragma once

#include <filesystem>

namespace corvane::paths {

// The folder of the running program; empty when it cannot be found.
std::filesystem::path ExecutableDirectory();

// Where Info.db and QQWry.Dat live: $CORVANE_HOME when set; else the program's folder when
// an Info.db lies there (a portable install); else $XDG_DATA_HOME/corvane, falling back to
// ~/.local/share/corvane. The folder is created when missing.
std::filesystem::path DataDirectory();

std::filesystem::path DatabasePath(const std::filesystem::path& dataDirectory);
std::filesystem::path IpDatabasePath(const std::filesystem::path& dataDirectory);

}  // namespace corvane::paths
