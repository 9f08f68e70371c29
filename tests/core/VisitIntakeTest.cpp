#include <gtest/gtest.h>

#include <mutex>

#include "core/AppContext.h"
#include "core/FetchVisit.h"
#include "core/MonitorWiring.h"
#include "core/UserNotifier.h"
#include "core/VisitIntake.h"
#include "platform/Clock.h"
#include "store/AdoRecordSet.h"
#include "store/Statements.h"
#include "support/LoopbackIpDatabase.h"
#include "support/LoopbackListener.h"
#include "support/TempStore.h"
#include "support/TrackdProcess.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;

// Records what the owner would see.
struct RecordingFace : UserNotifier, VisitorListBridge {
    void AlertUser(const std::string& text) override {
        std::lock_guard lock(mutex);
        alerts.push_back(text);
    }
    void ShowStatusMessage(const std::string& text) override {
        std::lock_guard lock(mutex);
        statuses.push_back(text);
    }
    void VisitorsChanged() override { ++reloads; }
    void OnlineStatusChanged() override {}

    std::mutex mutex;
    std::vector<std::string> alerts;
    std::vector<std::string> statuses;
    std::atomic<int> reloads{0};
};

struct StoredVisit {
    std::string guest, ip, shop, city, page, webdate;
};

// A real store, a real corvane-trackd and a real IP database that knows the loopback range.
class VisitIntakeTest : public ::testing::Test {
protected:
    VisitIntakeTest()
        : trackd(store.dir / "trackd.db"),
          context(store.connection, clock,
                  net::ServiceEndpoints(net::ResolveServiceHosts({}, trackd.address().c_str()))) {
        corvane::testing::WriteLoopbackIpDatabase(store.dir / "QQWry.Dat");
        context.ipDatabase.Open(store.dir / "QQWry.Dat");
        context.settings.clienttip = 1;
        context.greetingSenderRunning = [this] { return senderRunning.load(); };
    }

    VisitIntake Intake() {
        return VisitIntake(store.connection, context.settings, context.greetingSenderRunning, clock,
                           face, face, RealIntakeServices(context));
    }

    std::string Page(int id) const { return trackd.Url("/item.htm?id=" + std::to_string(id)); }

    std::vector<StoredVisit> Visits() {
        std::vector<StoredVisit> visits;
        store::CAdoRecordSet rows(&store.connection);
        EXPECT_TRUE(rows.Open(store::sql::kSelectVisits));
        for (; !rows.IsEOF(); rows.MoveNext()) {
            StoredVisit visit;
            rows.GetFieldText(1, visit.guest);
            rows.GetFieldText(2, visit.ip);
            rows.GetFieldText(3, visit.shop);
            rows.GetFieldText(6, visit.city);
            rows.GetFieldText(7, visit.page);
            rows.GetFieldText(8, visit.webdate);
            visits.insert(visits.begin(), visit);
        }
        return visits;
    }

    std::vector<std::pair<std::string, std::string>> Jobs() {
        std::vector<std::pair<std::string, std::string>> jobs;
        store::CAdoRecordSet rows(&store.connection);
        EXPECT_TRUE(rows.Open(store::sql::kSelectGreetingJobs));
        for (; !rows.IsEOF(); rows.MoveNext()) {
            std::string visitor, account;
            rows.GetFieldText(0, visitor);
            rows.GetFieldText(1, account);
            jobs.emplace_back(visitor, account);
        }
        return jobs;
    }

    corvane::testing::TempStore store;
    corvane::testing::TrackdProcess trackd;
    ManualClock clock{std::chrono::system_clock::now()};
    AppContext context;
    RecordingFace face;
    std::atomic<bool> senderRunning{false};
};

TEST_F(VisitIntakeTest, NewVisitorIsStoredAlertedOnceAndThenKnown) {
    const std::string webId = trackd.AddAccount("shop", "pw");
    ASSERT_EQ(trackd.Visit(webId, "张三丰", Page(6)), 200);
    ASSERT_EQ(trackd.Visit(webId, "张三丰", Page(7)), 200);
    VisitIntake intake = Intake();
    intake.PollAccount(webId, "shop", "hi", false);
    intake.PollAccount(webId, "shop", "hi", false);

    const std::vector<StoredVisit> visits = Visits();
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].guest, "张三丰");
    EXPECT_EQ(visits[0].ip, "127.0.0.1");
    EXPECT_EQ(visits[0].shop, "shop");
    EXPECT_EQ(visits[0].city, "本机 回环");
    EXPECT_EQ(visits[0].page, Page(6));
    ASSERT_EQ(face.alerts.size(), 1u);
    EXPECT_EQ(face.alerts[0],
              "新客户[张三丰]\r\n来自:本机 回环\r\n访问[shop]的网店:纯棉短袖T恤女款");
    EXPECT_EQ(face.reloads, 1);
    EXPECT_NE(trackd.AccessLog().find("GET /item.htm?id=6"), std::string::npos);
    ASSERT_EQ(face.statuses.size(), 4u);
    EXPECT_EQ(face.statuses[0], "正在刷新[shop]的店铺......");
    EXPECT_EQ(face.statuses[1], "顾客[张三丰]在 " + visits[0].webdate + " 访问了[shop]的网店!");
    EXPECT_NE(face.statuses[3].find(" [shop]的网店无新登陆客户!"), std::string::npos);
    EXPECT_EQ(face.statuses[3].size(),
              std::string("2010-06-03 14:05:09 [shop]的网店无新登陆客户!").size());

    // An empty feed changes nothing and leaves the refresh text standing.
    intake.PollAccount(webId, "shop", "hi", false);
    EXPECT_EQ(face.statuses.back(), "正在刷新[shop]的店铺......");
    EXPECT_EQ(Visits().size(), 1u);
}

TEST_F(VisitIntakeTest, OneNameOnTwoAccountsGivesTwoRowsAndApostrophesAreKept) {
    const std::string first = trackd.AddAccount("first", "pw");
    const std::string second = trackd.AddAccount("second", "pw");
    ASSERT_EQ(trackd.Visit(first, "O'Brien", Page(1)), 200);
    ASSERT_EQ(trackd.Visit(second, "O'Brien", Page(1)), 200);
    VisitIntake intake = Intake();
    intake.PollAccount(first, "first", "", false);
    intake.PollAccount(second, "second", "", false);
    const std::vector<StoredVisit> visits = Visits();
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[0].guest, "O'Brien");
    EXPECT_EQ(visits[1].guest, "O'Brien");
    EXPECT_EQ(visits[1].shop, "second");
    EXPECT_EQ(face.alerts.size(), 2u);
}

TEST_F(VisitIntakeTest, WithoutAlertsNoTitleIsFetchedButTheRowAndReloadHappen) {
    context.settings.clienttip = 0;
    const std::string webId = trackd.AddAccount("shop", "pw");
    ASSERT_EQ(trackd.Visit(webId, "visitor", Page(3)), 200);
    Intake().PollAccount(webId, "shop", "", false);
    EXPECT_EQ(Visits().size(), 1u);
    EXPECT_TRUE(face.alerts.empty());
    EXPECT_EQ(face.reloads, 1);
    EXPECT_EQ(trackd.AccessLog().find("GET /item.htm"), std::string::npos);
}

TEST_F(VisitIntakeTest, GreetingIsQueuedOnlyWhenTheSenderRunsAndTheAccountGreets) {
    const std::string webId = trackd.AddAccount("shop", "pw");
    VisitIntake intake = Intake();
    const auto visitAndPoll = [&](const std::string& nick, bool greet) {
        ASSERT_EQ(trackd.Visit(webId, nick, Page(1)), 200);
        intake.PollAccount(webId, "shop", "hello [username]", greet);
    };
    visitAndPoll("stopped-sender", true);
    senderRunning = true;
    visitAndPoll("no-greeting", false);
    visitAndPoll("greeted", true);
    visitAndPoll("greeted", true);
    EXPECT_EQ(Jobs(), (std::vector<std::pair<std::string, std::string>>{{"greeted", "shop"}}));

    // A job still queued for a visitor whose row was removed is not queued again.
    ASSERT_TRUE(store.connection.Execute(store::sql::kDeleteVisit, {std::int64_t{3}}));
    visitAndPoll("greeted", true);
    EXPECT_EQ(Jobs().size(), 1u);
    EXPECT_EQ(Visits().size(), 3u);
}

TEST_F(VisitIntakeTest, ShortAddressesAreStoredWithAnUnknownLocation) {
    // A five-character IP, and a page address of 20 characters: neither is looked up.
    const std::string bodies[] = {"127.0#||#http://127.0.0.1/item.htm#||#12:00#||#short-ip|##|",
                                  "127.0.0.1#||#http://127.0.0.1/abc#||#12:00#||#short-page|##|"};
    for (const std::string& body : bodies) {
        corvane::testing::LoopbackListener feed(
            "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body);
        const net::ServiceEndpoints service(
            net::ResolveServiceHosts({}, ("127.0.0.1:" + std::to_string(feed.port())).c_str()));
        VisitIntake::Services services = RealIntakeServices(context);
        services.fetchVisit = [&service](const std::string& webId) {
            return FetchVisit(service, webId);
        };
        VisitIntake(store.connection, context.settings, context.greetingSenderRunning, clock, face,
                    face, services)
            .PollAccount("1", "shop", "", false);
    }
    const std::vector<StoredVisit> visits = Visits();
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[0].ip, "127.0");
    EXPECT_EQ(visits[0].city, "未知区域");
    EXPECT_EQ(visits[1].page, "http://127.0.0.1/abc");
    EXPECT_EQ(visits[1].city, "未知区域");
    EXPECT_EQ(face.alerts.size(), 2u);
}

// Feed bodies the service could answer, served raw over loopback.
TEST(FetchVisitTest, ReadsTheRecordOfARawFeedBody) {
    struct Case {
        std::string body;
        bool valid;
        std::string name;
    };
    const Case cases[] = {
        {"1.2.3#||#http://a.b/c#||#12:00#||#abc|##|tail", true, "abc"},
        {"1.2.3.4#||#http://a.b/c#||#12:00#||#a#||#b|##|", true, "a#||#b"},
        {"1.2.3.4#||#http://a.b/c#||#12:00#||#abc", false, ""},
        {"1.2.3.4#||#http://a.b/c#||#12:00#||#ab|##|", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        corvane::testing::LoopbackListener feed(
            "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(c.body.size()) +
            "\r\nConnection: close\r\n\r\n" + c.body);
        const net::ServiceEndpoints service(
            net::ResolveServiceHosts({}, ("127.0.0.1:" + std::to_string(feed.port())).c_str()));
        const std::optional<FeedRecord> record = FetchVisit(service, "7");
        ASSERT_EQ(record.has_value(), c.valid) << c.body;
        if (record) {
            EXPECT_EQ(record->visitorName, c.name);
        }
        EXPECT_EQ(feed.requests(), 1) << c.body;
    }
}

TEST(FetchVisitTest, AFailingFeedIsAskedThreeTimes) {
    corvane::testing::LoopbackListener feed(
        "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    const net::ServiceEndpoints service(
        net::ResolveServiceHosts({}, ("127.0.0.1:" + std::to_string(feed.port())).c_str()));
    EXPECT_FALSE(FetchVisit(service, "7").has_value());
    EXPECT_EQ(feed.requests(), 3);
}

}  // namespace
}  // namespace corvane
