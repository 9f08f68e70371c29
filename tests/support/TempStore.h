#pragma once

#include "core/StoreStartup.h"
#include "store/AdoConnection.h"
#include "support/TempDir.h"

namespace corvane::testing {

// A real Info.db in a fresh folder, prepared as start-up prepares it, on an open connection.
class TempStore {
public:
    TempStore() { PrepareStore(connection, path()); }

    std::filesystem::path path() const { return dir / "Info.db"; }

    TempDir dir;
    store::CAdoConnection connection;
};

}  // namespace corvane::testing
