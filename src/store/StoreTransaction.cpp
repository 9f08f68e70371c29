#include "store/StoreTransaction.h"

#include "store/AdoConnection.h"

namespace corvane::store {

StoreTransaction::StoreTransaction(CAdoConnection& connection)
    : connection_(connection), lock_(connection.Mutex()) {
    active_ = connection_.Execute("BEGIN IMMEDIATE");
}

StoreTransaction::~StoreTransaction() {
    if (active_) {
        connection_.Execute("ROLLBACK");
    }
}

bool StoreTransaction::Commit() {
    if (!active_) {
        return false;
    }
    active_ = false;
    if (connection_.Execute("COMMIT")) {
        return true;
    }
    connection_.Execute("ROLLBACK");
    return false;
}

}  // namespace corvane::store
