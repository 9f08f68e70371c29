#include <gtest/gtest.h>

#include "core/FeedRecord.h"

namespace corvane {
namespace {

struct FeedCase {
    const char* name;
    std::string body;
    std::optional<FeedRecord> expected;
};

FeedRecord Record(std::string ip, std::string page, std::string time, std::string name) {
    return {std::move(ip), std::move(page), std::move(time), std::move(name)};
}

bool operator==(const FeedRecord& a, const FeedRecord& b) {
    return a.visitorIp == b.visitorIp && a.pageAddress == b.pageAddress &&
           a.visitTime == b.visitTime && a.visitorName == b.visitorName;
}

TEST(FeedRecordTest, ReadsTheFirstRecordExactly) {
    const std::string page = "http://item.taobao.com/item.htm?id=1";
    const FeedCase cases[] = {
        {"four fields and the terminator",
         "1.2.3.4#||#" + page + "#||#2010-06-03 14:05#||#张三丰|##|",
         Record("1.2.3.4", page, "2010-06-03 14:05", "张三丰")},
        {"text after the terminator is ignored",
         "1.2.3.4#||#" + page + "#||#12:00#||#abc|##|9.9.9.9#||#x#||#y#||#zzz|##|",
         Record("1.2.3.4", page, "12:00", "abc")},
        {"a separator inside the name stays in it",
         "1.2.3.4#||#" + page + "#||#12:00#||#a#||#b|##|",
         Record("1.2.3.4", page, "12:00", "a#||#b")},
        {"blanks and line ends are kept", " 1.2.3.4#||#" + page + "#||#12:00\r\n#||#abc\n|##|",
         Record(" 1.2.3.4", page, "12:00\r\n", "abc\n")},
        {"minimum lengths are enough", "1.2.3#||#http://a.b#||#12:00#||#名字啊|##|",
         Record("1.2.3", "http://a.b", "12:00", "名字啊")},
        {"no terminator", "1.2.3.4#||#" + page + "#||#12:00#||#abc", std::nullopt},
        {"empty body", "", std::nullopt},
        {"IP of 4 characters", "1.23#||#" + page + "#||#12:00#||#abc|##|", std::nullopt},
        {"page address of 9 characters", "1.2.3.4#||#http://ab#||#12:00#||#abc|##|", std::nullopt},
        {"visit time of 4 characters", "1.2.3.4#||#" + page + "#||#1200#||#abc|##|", std::nullopt},
        {"name of 2 characters", "1.2.3.4#||#" + page + "#||#12:00#||#ab|##|", std::nullopt},
        {"a missing separator", "1.2.3.4#||#" + page + "#||#12:00 abc|##|", std::nullopt},
        {"a terminator inside a field ends the record",
         "1.2.3.4#||#http://x/|##|#||#12:00#||#abc|##|", std::nullopt},
    };
    for (const FeedCase& c : cases) {
        const std::optional<FeedRecord> parsed = ParseFeedRecord(c.body);
        ASSERT_EQ(parsed.has_value(), c.expected.has_value()) << c.name;
        if (parsed) {
            EXPECT_TRUE(*parsed == *c.expected)
                << c.name << ": " << parsed->visitorIp << "|" << parsed->pageAddress << "|"
                << parsed->visitTime << "|" << parsed->visitorName;
        }
    }
}

}  // namespace
}  // namespace corvane
