#pragma once

#include <filesystem>

namespace corvane::store {

class CAdoConnection;

// Creates a new Info.db at `path` with the four tables, their indexes and the settings row
// as shipped. False when the file exists already or cannot be written.
bool CreateDatabase(const std::filesystem::path& path);

// Brings an open store up to date: adds the [AddRandom] settings column when no column of
// that name (in any letter case) exists, and the indexes the queries rely on. Changes
// nothing else and reports nothing.
void UpgradeSchema(CAdoConnection& connection);

}  // namespace corvane::store
