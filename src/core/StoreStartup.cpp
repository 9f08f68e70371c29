#include "core/StoreStartup.h"

#include "store/AdoConnection.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/Statements.h"

namespace corvane {

bool PrepareStore(store::CAdoConnection& connection, const std::filesystem::path& databasePath) {
    std::error_code error;
    if (!std::filesystem::exists(databasePath, error)) {
        store::CreateDatabase(databasePath);
    }
    const bool opened = store::OpenDatabase(connection, databasePath);
    store::ExecuteSql(connection, store::sql::kDeleteGreetingJobs);
    store::UpgradeSchema(connection);
    return opened;
}

}  // namespace corvane
