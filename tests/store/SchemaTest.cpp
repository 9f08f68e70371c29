#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>

#include "core/StoreStartup.h"
#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/Statements.h"
#include "support/TempDir.h"

namespace corvane::store {
namespace {

void RunScript(const std::filesystem::path& path, const char* script) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, script, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

std::vector<std::string> SettingsColumns(CAdoConnection& connection) {
    CAdoRecordSet settings(&connection);
    EXPECT_TRUE(settings.Open(sql::kSelectSettings));
    return settings.GetFields();
}

// A store as an older release left it: no [AddRandom], a greeting still queued.
constexpr const char* kOlderStore = R"sql(
CREATE TABLE [sysseting] ([id] INTEGER, [autorun] YESNO, [clienttip] YESNO,
    [reflashtime] INTEGER, [sendsteptime] INTEGER, [autosendname] TEXT,
    [wangwangedition] INTEGER, [guesttip] YESNO, [playsound] YESNO);
INSERT INTO [sysseting] VALUES (1, 0, 1, 45, 9, 'NULL', 1, 0, 0);
CREATE TABLE [AutoSend] ([ClientName] TEXT, [UserName] TEXT, [Message] TEXT);
INSERT INTO [AutoSend] VALUES ('visitor', 'shop', 'hello');
CREATE TABLE [client] ([id] INTEGER PRIMARY KEY AUTOINCREMENT, [guestname] TEXT, [ip] TEXT,
    [shopname] TEXT, [lasttime] DATETIME, [count] INTEGER, [city] TEXT, [shopurl] TEXT,
    [webdate] TEXT);
)sql";

TEST(SchemaTest, MissingStoreIsCreatedWithTheShippedSettings) {
    corvane::testing::TempDir dir;
    CAdoConnection connection;
    ASSERT_TRUE(PrepareStore(connection, dir / "Info.db"));

    const std::vector<std::string> expected = {
        "id",           "autorun",         "clienttip", "reflashtime", "sendsteptime",
        "autosendname", "wangwangedition", "guesttip",  "playsound",   "AddRandom"};
    EXPECT_EQ(SettingsColumns(connection), expected);

    CAdoRecordSet settings(&connection);
    ASSERT_TRUE(settings.Open(sql::kSelectSettings));
    int reflash = 0, step = 0;
    bool clienttip = false;
    ASSERT_TRUE(settings.GetFieldInt(3, reflash));
    ASSERT_TRUE(settings.GetFieldInt(4, step));
    ASSERT_TRUE(settings.GetFieldBool(2, clienttip));
    EXPECT_EQ(reflash, 30);
    EXPECT_EQ(step, 6);
    EXPECT_TRUE(clienttip);

    for (std::string_view table : {"[user]", "[client]", "[AutoSend]"}) {
        CAdoRecordSet rows(&connection);
        EXPECT_TRUE(rows.Open("select * from " + std::string(table))) << table;
    }
}

TEST(SchemaTest, UpgradeAddsTheColumnOnceAndEmptiesTheQueue) {
    corvane::testing::TempDir dir;
    RunScript(dir / "Info.db", kOlderStore);
    for (int start = 0; start < 2; ++start) {
        CAdoConnection connection;
        ASSERT_TRUE(PrepareStore(connection, dir / "Info.db"));
        const std::vector<std::string> columns = SettingsColumns(connection);
        ASSERT_EQ(columns.size(), 10u) << "start " << start;
        EXPECT_EQ(columns.back(), "AddRandom");

        CAdoRecordSet queue(&connection);
        ASSERT_TRUE(queue.Open(sql::kSelectGreetingJobs));
        EXPECT_TRUE(queue.IsEOF());

        CAdoRecordSet settings(&connection);
        ASSERT_TRUE(settings.Open(sql::kSelectSettings));
        int reflash = 0;
        ASSERT_TRUE(settings.GetFieldInt(3, reflash));
        EXPECT_EQ(reflash, 45) << "the stored settings stay as they were";
    }
}

TEST(SchemaTest, ColumnInSmallLettersCountsAsPresent) {
    corvane::testing::TempDir dir;
    RunScript(dir / "Info.db", kOlderStore);
    RunScript(dir / "Info.db", "ALTER TABLE [sysseting] ADD COLUMN [addrandom] YESNO;");
    CAdoConnection connection;
    ASSERT_TRUE(PrepareStore(connection, dir / "Info.db"));
    const std::vector<std::string> columns = SettingsColumns(connection);
    ASSERT_EQ(columns.size(), 10u);
    EXPECT_EQ(columns.back(), "addrandom");
}

TEST(SchemaTest, UnreadableStoreDoesNotStopStartUp) {
    corvane::testing::TempDir dir;
    std::ofstream(dir / "Info.db") << "this is not a database, but it is long enough to tell";
    CAdoConnection connection;
    EXPECT_FALSE(PrepareStore(connection, dir / "Info.db"));
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_FALSE(ExecuteSql(connection, sql::kDeleteGreetingJobs));
}

}  // namespace
}  // namespace corvane::store
