#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <thread>

#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Database.h"
#include "store/Statements.h"
#include "store/StoreTransaction.h"
#include "support/TempStore.h"

namespace corvane::store {
namespace {

constexpr int kVisitorsEach = 150;

// Stores the visitor unless known, as one atomic step. True when it inserted.
bool StoreIfNew(CAdoConnection& connection, const std::string& guest) {
    StoreTransaction transaction(connection);
    if (!transaction.Active()) {
        return false;
    }
    CAdoRecordSet known(&connection);
    if (!known.Open(sql::kFindVisitor, {guest, std::string("shop")}) || !known.IsEOF()) {
        return false;
    }
    known.Close();
    return ExecuteSql(
               connection, sql::kInsertVisitor,
               {guest, std::string("ip"), std::string("shop"), std::string("2010-06-03 14:05:09"),
                std::int64_t{1}, std::string("c"), std::string("u"), std::string("w")}) &&
           transaction.Commit();
}

// Each writer stores its own visitors and the same shared ones.
void WriteVisitors(CAdoConnection& connection, const std::string& prefix) {
    for (int i = 0; i < kVisitorsEach; ++i) {
        StoreIfNew(connection, prefix + std::to_string(i));
        StoreIfNew(connection, "shared" + std::to_string(i));
    }
}

std::multiset<std::string> StoredGuests(CAdoConnection& connection) {
    std::multiset<std::string> guests;
    CAdoRecordSet rows(&connection);
    EXPECT_TRUE(rows.Open(sql::kSelectVisits));
    for (; !rows.IsEOF(); rows.MoveNext()) {
        std::string guest;
        rows.GetFieldText(1, guest);
        guests.insert(guest);
    }
    return guests;
}

void ExpectEachVisitorOnce(const std::multiset<std::string>& guests,
                           const std::vector<std::string>& prefixes) {
    EXPECT_EQ(guests.size(), kVisitorsEach * (prefixes.size() + 1));
    for (int i = 0; i < kVisitorsEach; ++i) {
        EXPECT_EQ(guests.count("shared" + std::to_string(i)), 1u);
        for (const std::string& prefix : prefixes) {
            EXPECT_EQ(guests.count(prefix + std::to_string(i)), 1u);
        }
    }
}

TEST(ConcurrentWriteTest, TwoProcessesOnOneFileLoseAndDuplicateNothing) {
    corvane::testing::TempStore store;
    store.connection.Close();
    std::vector<pid_t> children;
    for (const char* prefix : {"first", "second"}) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            CAdoConnection connection;
            if (!OpenDatabase(connection, store.path())) {
                _exit(3);
            }
            WriteVisitors(connection, prefix);
            _exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ASSERT_TRUE(OpenDatabase(store.connection, store.path()));
    ExpectEachVisitorOnce(StoredGuests(store.connection), {"first", "second"});
}

TEST(ConcurrentWriteTest, ThreadsSharingTheConnectionLoseAndDuplicateNothing) {
    corvane::testing::TempStore store;
    std::thread first([&] { WriteVisitors(store.connection, "first"); });
    std::thread second([&] { WriteVisitors(store.connection, "second"); });
    std::thread reader([&] {
        for (int i = 0; i < 20; ++i) {
            StoredGuests(store.connection);
        }
    });
    first.join();
    second.join();
    reader.join();
    ExpectEachVisitorOnce(StoredGuests(store.connection), {"first", "second"});
}

}  // namespace
}  // namespace corvane::store
