#include <gtest/gtest.h>

#include "store/AdoRecordSet.h"
#include "store/Database.h"
#include "store/Statements.h"
#include "store/StoreNotice.h"
#include "support/TempStore.h"

namespace corvane::store {
namespace {

class RecordSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetNoticeHandler(
            [this](std::string_view, std::string_view text) { notices.emplace_back(text); });
    }
    void TearDown() override { SetNoticeHandler(nullptr); }

    void InsertVisit(const std::string& guest, const std::string& shop, const std::string& time) {
        ASSERT_TRUE(ExecuteSql(
            store.connection, sql::kInsertVisitor,
            {guest, std::string("1.2.3.4"), shop, time, std::int64_t{1}, std::string("北京市"),
             std::string("http://item/1"), std::string("2010-06-03 14:00:00")}));
    }

    std::vector<std::string> GuestsOf(std::string_view query, SqlParams params) {
        CAdoRecordSet rows(&store.connection);
        std::vector<std::string> guests;
        EXPECT_TRUE(rows.Open(query, std::move(params)));
        for (; !rows.IsEOF(); rows.MoveNext()) {
            std::string guest;
            EXPECT_TRUE(rows.GetFieldText(1, guest));
            guests.push_back(guest);
        }
        return guests;
    }

    corvane::testing::TempStore store;
    std::vector<std::string> notices;
};

TEST_F(RecordSetTest, ReadsColumnsWithTheirDeclaredTypes) {
    InsertVisit("张三", "shop", "2010-06-03 14:05:09");
    CAdoRecordSet rows(&store.connection);
    ASSERT_TRUE(rows.Open(sql::kSelectVisits));
    ASSERT_FALSE(rows.IsEOF());
    ASSERT_EQ(rows.GetFieldCount(), 9);

    std::string text;
    ASSERT_TRUE(rows.GetFieldText(4, text));
    EXPECT_EQ(text, "2010-06-03 14:05:09");
    ASSERT_TRUE(rows.GetFieldText(1, text));
    EXPECT_EQ(text, "张三");
    int count = 0;
    ASSERT_TRUE(rows.GetFieldInt(5, count));
    EXPECT_EQ(count, 1);
    bool flag = true;
    ASSERT_TRUE(rows.GetFieldBool(5, flag));
    EXPECT_FALSE(flag) << "an integer 1 is no yes/no value";
}

TEST_F(RecordSetTest, YesNoColumnReadsAsBoolean) {
    CAdoRecordSet settings(&store.connection);
    ASSERT_TRUE(settings.Open(sql::kSelectSettings));
    std::string text;
    bool playsound = false;
    ASSERT_TRUE(settings.GetFieldText(8, text));
    ASSERT_TRUE(settings.GetFieldBool(8, playsound));
    EXPECT_EQ(text, "TRUE");
    EXPECT_TRUE(playsound);
    ASSERT_TRUE(settings.GetFieldText(1, text));
    EXPECT_EQ(text, "FALSE");
}

TEST_F(RecordSetTest, OutOfRangeAndPastTheEndGiveFalseWithoutNotice) {
    InsertVisit("a", "shop", "2010-06-03 14:05:09");
    CAdoRecordSet rows(&store.connection);
    ASSERT_TRUE(rows.Open(sql::kSelectVisits));
    std::string text = "unchanged";
    EXPECT_FALSE(rows.GetFieldText(rows.GetFieldCount(), text));
    EXPECT_FALSE(rows.GetFieldText(-1, text));
    EXPECT_TRUE(rows.MoveNext());
    EXPECT_TRUE(rows.IsEOF());
    EXPECT_FALSE(rows.GetFieldText(0, text));
    int number = 7;
    EXPECT_FALSE(rows.GetFieldInt(0, number));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(text, "unchanged");
    EXPECT_TRUE(notices.empty());
}

TEST_F(RecordSetTest, ReadingAClosedRecordSetAsksForTheDisconnectedNotice) {
    CAdoRecordSet rows(&store.connection);
    ASSERT_TRUE(rows.Open(sql::kSelectSettings));
    rows.Close();
    std::string text;
    EXPECT_FALSE(rows.GetFieldText(0, text));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "数据库可能已经断开,\r\n请重新连接、然后重试.");
    EXPECT_TRUE(rows.IsEOF()) << "a closed record set ends every read loop";
}

TEST_F(RecordSetTest, SecondOpenClosesTheFirstResult) {
    InsertVisit("first", "shop", "2010-06-03 14:05:09");
    CAdoRecordSet rows(&store.connection);
    ASSERT_TRUE(rows.Open(sql::kSelectVisits));
    ASSERT_TRUE(rows.Open(sql::kSelectSettings));
    EXPECT_EQ(rows.GetFieldCount(), 10);
    int id = 0;
    ASSERT_TRUE(rows.GetFieldInt(0, id));
    EXPECT_EQ(id, 1);
    // The first result no longer holds a read lock: another connection can write.
    CAdoConnection other;
    ASSERT_TRUE(OpenDatabase(other, store.path()));
    EXPECT_TRUE(ExecuteSql(other, sql::kDeleteVisit, {std::int64_t{1}}));
}

TEST_F(RecordSetTest, FailuresReadAsFalseOrEmpty) {
    CAdoRecordSet noConnection;
    EXPECT_FALSE(noConnection.Open(sql::kSelectVisits));
    EXPECT_TRUE(noConnection.IsEOF());
    EXPECT_EQ(noConnection.GetFieldCount(), -1);

    CAdoRecordSet badQuery(&store.connection);
    EXPECT_FALSE(badQuery.Open("select * from [nowhere]"));
    EXPECT_TRUE(badQuery.IsEOF());
    EXPECT_FALSE(ExecuteSql(store.connection, "delete from [nowhere]"));

    store.connection.Close();
    CAdoRecordSet afterClose(&store.connection);
    EXPECT_FALSE(afterClose.Open(sql::kSelectVisits));
    EXPECT_FALSE(ExecuteSql(store.connection, sql::kDeleteGreetingJobs));

    CAdoConnection missing;
    EXPECT_FALSE(OpenDatabase(missing, store.dir / "absent.db"));
    EXPECT_FALSE(missing.Open());
}

TEST_F(RecordSetTest, ApostropheIsStoredAndFoundAsTyped) {
    InsertVisit("O'Brien", "shop's", "2010-06-03 14:05:09");
    EXPECT_EQ(GuestsOf(sql::kFindVisitor, {std::string("O'Brien"), std::string("shop's")}),
              std::vector<std::string>{"O'Brien"});
    EXPECT_EQ(GuestsOf(sql::kSelectVisitsByVisitor, {std::string("'Bri")}),
              std::vector<std::string>{"O'Brien"});
}

TEST_F(RecordSetTest, SearchesMatchContainedTextWithoutLetterCase) {
    InsertVisit("xabcx", "shop", "2010-06-03 14:05:09");
    InsertVisit("ABC", "other", "2010-06-03 14:05:10");
    InsertVisit("ab", "shop", "2010-06-03 14:05:11");
    EXPECT_EQ(GuestsOf(sql::kSelectVisitsByVisitor, {std::string("abc")}),
              (std::vector<std::string>{"ABC", "xabcx"}));
    EXPECT_EQ(GuestsOf(sql::kSelectVisitsByAccount, {std::string("oth")}),
              std::vector<std::string>{"ABC"});
}

TEST_F(RecordSetTest, DateRangesIncludeTheWholeLastDay) {
    InsertVisit("before", "s", "2010-06-02 23:59:59");
    InsertVisit("first", "s", "2010-06-03 00:00:00");
    InsertVisit("last", "s", "2010-06-04 23:59:59");
    InsertVisit("after", "s", "2010-06-05 00:00:00");
    const SqlParams range = {sql::FirstSecondOfDay(2010, 6, 3), sql::LastSecondOfDay(2010, 6, 4)};
    EXPECT_EQ(GuestsOf(sql::kSelectVisitsBetween, range),
              (std::vector<std::string>{"last", "first"}));
    ASSERT_TRUE(ExecuteSql(store.connection, sql::kDeleteVisitsBetween, range));
    EXPECT_EQ(GuestsOf(sql::kSelectVisits, {}), (std::vector<std::string>{"after", "before"}));
}

TEST_F(RecordSetTest, NewestVisitsComeFirst) {
    InsertVisit("old", "s", "2009-01-01 00:00:00");
    InsertVisit("new", "s", "2011-01-01 00:00:00");
    InsertVisit("mid", "s", "2010-01-01 00:00:00");
    EXPECT_EQ(GuestsOf(sql::kSelectVisitsNewestFirst, {}),
              (std::vector<std::string>{"new", "mid", "old"}));
}

}  // namespace
}  // namespace corvane::store
