#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Database.h"
#include "store/Statements.h"
#include "support/ChildProcess.h"
#include "support/LoopbackIpDatabase.h"
#include "support/LoopbackListener.h"
#include "support/TempDir.h"
#include "support/TrackdProcess.h"

namespace corvane {
namespace {

using corvane::testing::ChildProcess;

// True once some connection to 127.0.0.1:port is established, as the kernel sees it.
bool ConnectionOpenTo(int port) {
    char wanted[16];
    std::snprintf(wanted, sizeof wanted, ":%04X ", port);
    std::ifstream table("/proc/net/tcp");
    std::string line;
    while (std::getline(table, line)) {
        // Columns: slot, local address, remote address, state (01 = established).
        const std::size_t remote = line.find(':', line.find(':', line.find(':') + 1) + 1);
        if (remote != std::string::npos && line.compare(remote, 6, wanted) == 0 &&
            line.find(" 01 ", remote) == remote + 5) {
            return true;
        }
    }
    return false;
}

class CliMonitorTest : public ::testing::Test {
protected:
    CliMonitorTest() : trackd(home / "trackd.db") {
        setenv("CORVANE_HOME", home.path().c_str(), 1);
        setenv("CORVANE_SERVICE_HOST", trackd.address().c_str(), 1);
        corvane::testing::WriteLoopbackIpDatabase(home / "QQWry.Dat");
    }
    ~CliMonitorTest() override {
        unsetenv("CORVANE_HOME");
        unsetenv("CORVANE_SERVICE_HOST");
    }

    // Registers the account through the command line, as an owner would.
    std::string AddAccount(const std::string& name) {
        const std::string webId = trackd.AddAccount(name, "pw");
        const auto [status, output] =
            corvane::testing::RunProgram({CORVANE_CLI_PATH, "account", "add", name, "pw"});
        EXPECT_EQ(status, 0) << output;
        EXPECT_NE(output.find("web id " + webId), std::string::npos) << output;
        return webId;
    }

    corvane::testing::TempDir home;
    corvane::testing::TrackdProcess trackd;
};

TEST_F(CliMonitorTest, AVisitBecomesAStoredRowAndAnAlertWithinOneCycle) {
    const std::string webId = AddAccount("shop");
    const std::string page = trackd.Url("/item.htm?id=6");
    ASSERT_EQ(trackd.Visit(webId, "访客甲乙", page), 200);

    ChildProcess monitor({CORVANE_CLI_PATH, "monitor"});
    ASSERT_TRUE(monitor.Started());
    std::vector<std::string> lines;
    for (auto line = monitor.ReadLine(); line; line = monitor.ReadLine()) {
        lines.push_back(*line);
        if (line->rfind("alert: ", 0) == 0 || line->rfind("status: 顾客", 0) == 0) {
            break;
        }
    }
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(),
              "alert: 新客户[访客甲乙] / 来自:本机 回环 / 访问[shop]的网店:纯棉短袖T恤女款");
    EXPECT_EQ(lines[lines.size() - 2], "status: 正在刷新[shop]的店铺......");

    monitor.Signal(SIGINT);
    const auto rest = monitor.ReadAll();
    EXPECT_EQ(monitor.Wait(), 0);
    EXPECT_NE(rest.find("status: 顾客[访客甲乙]在 "), std::string::npos) << rest;
    EXPECT_NE(rest.find("stopped"), std::string::npos) << rest;

    store::CAdoConnection connection;
    ASSERT_TRUE(store::OpenDatabase(connection, home / "Info.db"));
    store::CAdoRecordSet rows(&connection);
    ASSERT_TRUE(rows.Open(store::sql::kSelectVisits));
    std::string guest, city, storedPage;
    ASSERT_TRUE(rows.GetFieldText(1, guest));
    ASSERT_TRUE(rows.GetFieldText(6, city));
    ASSERT_TRUE(rows.GetFieldText(7, storedPage));
    EXPECT_EQ(guest, "访客甲乙");
    EXPECT_EQ(city, "本机 回环");
    EXPECT_EQ(storedPage, page);
    rows.MoveNext();
    EXPECT_TRUE(rows.IsEOF());
}

TEST_F(CliMonitorTest, StopsCleanlyWhileTheServiceHangs) {
    AddAccount("shop");
    corvane::testing::LoopbackListener silent;
    setenv("CORVANE_SERVICE_HOST", ("127.0.0.1:" + std::to_string(silent.port())).c_str(), 1);
    ChildProcess monitor({CORVANE_CLI_PATH, "monitor"});
    ASSERT_TRUE(monitor.Started());
    const auto first = monitor.ReadLine();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->rfind("monitoring: ", 0), 0u) << *first;
    // Wait (bounded) until the monitor's request is stuck on the silent service.
    for (int tries = 0; tries < 500 && !ConnectionOpenTo(silent.port()); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(ConnectionOpenTo(silent.port()));
    monitor.Signal(SIGTERM);
    EXPECT_EQ(monitor.ReadAll(), "stopped\n");
    EXPECT_EQ(monitor.Wait(), 0);
}

}  // namespace
}  // namespace corvane
