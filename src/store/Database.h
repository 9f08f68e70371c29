#pragma once

#include <filesystem>
#include <string_view>

#include "store/SqlValue.h"

namespace corvane::store {

class CAdoConnection;

// Opens the database file on the shared connection; false when it cannot be opened.
bool OpenDatabase(CAdoConnection& connection, const std::filesystem::path& path);

// Runs a statement that returns no rows on the shared connection; false on any failure.
bool ExecuteSql(CAdoConnection& connection, std::string_view sql, const SqlParams& params = {});

}  // namespace corvane::store
