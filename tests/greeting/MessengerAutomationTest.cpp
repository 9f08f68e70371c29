#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake-messenger/ChatUrl.h"
#include "greeting/MessengerAutomation.h"
#include "greeting/ScriptedDesktop.h"
#include "greeting/SteppingClock.h"

namespace corvane::greeting {
namespace {

using testing::ScriptedDesktop;
using Layout = ScriptedDesktop::Layout;
using namespace std::chrono_literals;

class MessengerAutomationTest : public ::testing::Test {
protected:
    MessengerAutomation messenger{desktop, clock, settings, [this](const std::string& url) {
                                      urls.push_back(url);
                                      if (onOpen) {
                                          onOpen(*fake::ParseChatUrl(url));
                                      }
                                  }};

    ScriptedDesktop desktop;
    testing::SteppingClock clock;
    accounts::SystemSettings settings;
    std::vector<std::string> urls;
    std::function<void(const fake::ChatParties&)> onOpen;
};

TEST_F(MessengerAutomationTest, SendsOneExpandedGreetingInEveryLayout) {
    const Layout layouts[] = {Layout::FrameHtml, Layout::FrameRich, Layout::CustomerDialog,
                              Layout::StrangerDialog};
    for (Layout layout : layouts) {
        SCOPED_TRACE(static_cast<int>(layout));
        ScriptedDesktop local;
        MessengerAutomation automation(local, clock, settings, [&](const std::string& url) {
            const fake::ChatParties parties = *fake::ParseChatUrl(url);
            local.AddChat(layout, parties.visitor, parties.account);
        });
        local.PlaceCursor({7, 900});

        ASSERT_TRUE(automation.OpenChat("买家1", "店主"));
        const platform::WindowHandle chat = FindChatWindow(local, "买家1", "店主");
        ASSERT_TRUE(automation.SendGreeting("买家1", "店主", "[username]您好 [randomcode]"));

        const std::vector<ScriptedDesktop::Sent> sent = local.SentMessages();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].visitor, "买家1");
        EXPECT_EQ(sent[0].account, "店主");
        ASSERT_EQ(sent[0].text.size(), std::string("买家1您好 ").size() + 32);
        EXPECT_TRUE(sent[0].text.starts_with("买家1您好 "));
        EXPECT_FALSE(local.IsOpen(chat));
        EXPECT_EQ(local.Cursor(), (platform::ScreenPoint{7, 900}));
    }
}

TEST_F(MessengerAutomationTest, AMissingControlLeavesEverythingUntouched) {
    struct Case {
        Layout layout;
        const char* without;
    };
    const Case cases[] = {
        {Layout::FrameHtml, "StandardButton"},           {Layout::FrameHtml, "SplitterBar"},
        {Layout::FrameHtml, "StandardWindow"},           {Layout::FrameHtml, "HtmlEditor"},
        {Layout::FrameHtml, "Internet Explorer_Server"}, {Layout::FrameRich, "RichEditComponent"},
        {Layout::CustomerDialog, "RichEdit20A"},         {Layout::StrangerDialog, "Button"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.without);
        ScriptedDesktop local;
        MessengerAutomation automation(local, clock, settings, nullptr);
        const platform::WindowHandle chat = local.AddChat(c.layout, "v", "a", c.without);

        EXPECT_FALSE(automation.SendGreeting("v", "a", "hello"));
        EXPECT_EQ(local.InputEvents(), 0);
        EXPECT_FALSE(local.Clipboard().has_value());
        EXPECT_TRUE(local.IsOpen(chat));
    }
}

TEST_F(MessengerAutomationTest, TheFrameIsPreferredOverTheDialog) {
    const platform::WindowHandle dialog = desktop.AddChat(Layout::CustomerDialog, "v", "a");
    const platform::WindowHandle frame = desktop.AddChat(Layout::FrameRich, "v", "a");

    ASSERT_TRUE(messenger.SendGreeting("v", "a", "hello"));

    EXPECT_FALSE(desktop.IsOpen(frame));
    EXPECT_TRUE(desktop.IsOpen(dialog));
    EXPECT_EQ(desktop.SentMessages().size(), 1u);
}

TEST_F(MessengerAutomationTest, OpenChatLooksTenTimesEveryHalfSecond) {
    struct Case {
        const char* name;
        int appearsAfterLooks;  // -1: already open; 0: never
        bool found;
        Clock::Duration waited;
    };
    const Case cases[] = {
        {"already open", -1, true, 500ms},
        {"appears late", 4, true, 2000ms},
        {"appears at the last look", 10, true, 5000ms},
        {"never appears", 0, false, 5000ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDesktop local;
        testing::SteppingClock localClock;
        MessengerAutomation automation(local, localClock, settings, nullptr);
        if (c.appearsAfterLooks < 0) {
            local.AddChat(Layout::FrameHtml, "v", "a");
        }
        localClock.afterSleep = [&] {
            if (localClock.Sleeps() == c.appearsAfterLooks) {
                local.AddChat(Layout::StrangerDialog, "v", "a");
            }
        };

        EXPECT_EQ(automation.OpenChat("v", "a"), c.found);
        EXPECT_EQ(localClock.Elapsed(), c.waited);
    }
}

TEST_F(MessengerAutomationTest, AChatWithOtherNamesIsNotTaken) {
    onOpen = [&](const fake::ChatParties& parties) {
        desktop.AddChat(Layout::FrameHtml, parties.visitor + " ", parties.account);
        desktop.AddChat(Layout::CustomerDialog, parties.visitor, "other");
    };
    EXPECT_FALSE(messenger.OpenChat("v", "a"));
    EXPECT_FALSE(messenger.SendGreeting("v", "a", "hello"));
    EXPECT_EQ(desktop.InputEvents(), 0);
}

TEST_F(MessengerAutomationTest, TheEditionChoosesTheUrl) {
    settings.wangwangedition = 0;
    messenger.OpenChatFromList("店主", "买家");
    settings.wangwangedition = 2;
    messenger.OpenChatFromList("店主", "买家");
    EXPECT_EQ(urls, (std::vector<std::string>{"aliim:sendmsg?uid=cntaobao店主&touid=cntaobao买家",
                                              "wangwang:SendIM?uid=买家&suid=店主"}));
    EXPECT_EQ(clock.Elapsed(), 0ms);
}

TEST_F(MessengerAutomationTest, ALongGreetingReachesTheMessengerCut) {
    desktop.AddChat(Layout::FrameRich, "v", "a");
    std::string greeting;
    for (int i = 0; i < 600; ++i) {
        greeting += "好";
    }
    ASSERT_TRUE(messenger.SendGreeting("v", "a", greeting));
    const std::vector<ScriptedDesktop::Sent> sent = desktop.SentMessages();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].text, greeting.substr(0, 511 * std::string("好").size()));
}

}  // namespace
}  // namespace corvane::greeting
