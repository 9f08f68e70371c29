#pragma once

#include <mutex>

namespace corvane::store {

class CAdoConnection;

// An immediate write transaction: it takes the file's write lock at once (other clients on
// the same file wait) and holds the connection's mutex (other threads of this client wait),
// so a check followed by an insert is one step. Rolls back unless committed.
class StoreTransaction {
public:
    explicit StoreTransaction(CAdoConnection& connection);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    // False when the transaction could not begin (store closed, file locked too long).
    bool Active() const { return active_; }
    bool Commit();

private:
    CAdoConnection& connection_;
    std::unique_lock<std::recursive_mutex> lock_;
    bool active_ = false;
};

}  // namespace corvane::store
