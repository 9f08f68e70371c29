#pragma once

#include <filesystem>

namespace corvane {

namespace store {
class CAdoConnection;
}

// Start-up's work on the store: create Info.db from the carried schema when it is missing,
// open it on the shared connection, drop greeting jobs left by the previous run and bring
// the schema up to date. A store that cannot be opened does not stop start-up: the answer
// is false and every later statement fails quietly.
bool PrepareStore(store::CAdoConnection& connection, const std::filesystem::path& databasePath);

}  // namespace corvane
