#include "store/Database.h"

#include "store/AdoConnection.h"

namespace corvane::store {

bool OpenDatabase(CAdoConnection& connection, const std::filesystem::path& path) {
    return connection.Open(path.string(), -1);
}

bool ExecuteSql(CAdoConnection& connection, std::string_view sql, const SqlParams& params) {
    return connection.Execute(sql, params);
}

}  // namespace corvane::store
