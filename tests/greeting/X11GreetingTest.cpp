// The greeting against real chat windows of fake-messenger on an X server (Xvfb in CI).

#include <gtest/gtest.h>

#include <memory>

#include "greeting/AutoSendMsgThread.h"
#include "greeting/FakeMessengers.h"
#include "greeting/MessengerAutomation.h"
#include "greeting/PasteClipboard.h"
#include "greeting/SenderHarness.h"
#include "greeting/SteppingClock.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11DesktopAutomation.h"
#include "support/TempStore.h"

namespace corvane::greeting {
namespace {

using namespace std::chrono_literals;
using platform::x11::X11Clipboard;
using platform::x11::X11DesktopAutomation;

class X11GreetingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(desktop, nullptr) << "needs an X display with XTest; run under xvfb-run";
        // Before each look for a chat, a messenger that shows its chat at once has done so.
        clock.afterSleep = [this] {
            fakes.WaitForShownChats();
            if (stopWhen && stopWhen()) {
                sender.RequestStop();
            }
        };
    }

    // Lines of the transcript that begin with `event`, without the event name.
    std::vector<std::string> Events(const std::string& visitor, const std::string& event) {
        std::vector<std::string> texts;
        for (const std::string& line : fakes.Transcript(visitor)) {
            if (line.starts_with(event + "\t")) {
                texts.push_back(line.substr(event.size() + 1));
            } else if (line == event) {
                texts.emplace_back();
            }
        }
        return texts;
    }

    testing::TempStore store;
    std::unique_ptr<X11DesktopAutomation> desktop = X11DesktopAutomation::Open();
    testing::SteppingClock clock;
    accounts::SystemSettings settings;
    testing::FakeMessengers fakes{store.dir.path()};
    MessengerAutomation messenger{*desktop, clock, settings,
                                  [this](const std::string& url) { fakes.Open(url); }};
    CAutoSendMsgThread sender{store.connection, settings, messenger, clock};
    std::function<bool()> stopWhen;
};

TEST_F(X11GreetingTest, AQueuedJobBecomesOneMessageInEveryLayout) {
    struct Case {
        std::string visitor;
        std::string layout;
        std::string input;
        std::string sendButton;
    };
    const Case cases[] = {
        {"买家甲", "a-html", "Internet Explorer_Server/", "StandardButton/发送"},
        {"buyer b", "a-rich", "RichEditComponent/", "StandardButton/发送"},
        {"买家丙", "b-customer", "RichEdit20A/", "Button/发送"},
        {"buyer-d", "b-stranger", "RichEdit20A/", "Button/发送"},
    };
    settings.wangwangedition = 1;
    for (const Case& c : cases) {
        fakes.options[c.visitor].layout = c.layout;
        ASSERT_TRUE(testing::QueueGreeting(store.connection, c.visitor, "小店",
                                           "[username]您好！[randomcode]|[randomcode]"));
    }
    desktop->MoveCursor({3, 700});
    stopWhen = [&] { return testing::QueuedVisitors(store.connection).empty(); };

    sender.Run();

    EXPECT_EQ(desktop->CursorPosition(), (platform::ScreenPoint{3, 700}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        EXPECT_TRUE(fakes.WaitForExit(c.visitor)) << "the chat window was not closed";
        const std::vector<std::string> sent = Events(c.visitor, "sent");
        ASSERT_EQ(sent.size(), 1u) << ::testing::PrintToString(fakes.Transcript(c.visitor));
        const std::string prefix = c.visitor + "您好！";
        ASSERT_EQ(sent[0].size(), prefix.size() + 32 + 1 + 32) << sent[0];
        EXPECT_TRUE(sent[0].starts_with(prefix)) << sent[0];
        const std::string code = sent[0].substr(prefix.size(), 32);
        EXPECT_EQ(code.find_first_not_of("0123456789ABCDEF"), std::string::npos) << code;
        EXPECT_EQ(sent[0].substr(prefix.size() + 32), "|" + code);
        EXPECT_EQ(Events(c.visitor, "click"), (std::vector<std::string>{c.input, c.sendButton}));
        EXPECT_EQ(Events(c.visitor, "closed").size(), 1u);
    }
}

TEST_F(X11GreetingTest, AChatThatNeverAppearsIsDroppedAndThePauseFollows) {
    settings.sendsteptime = 5;
    fakes.options["ghost"].show = "never";
    fakes.options["guest"].layout = "a-rich";
    ASSERT_TRUE(testing::QueueGreeting(store.connection, "ghost", "shop", "hi [username]"));
    ASSERT_TRUE(testing::QueueGreeting(store.connection, "guest", "shop", "hi [username]"));
    Clock::Duration guestOpenedAt{};
    stopWhen = [&] {
        if (guestOpenedAt == Clock::Duration{} && fakes.Started("guest")) {
            guestOpenedAt = clock.Elapsed() - MessengerAutomation::kLookInterval;
        }
        return testing::QueuedVisitors(store.connection).empty();
    };

    sender.Run();

    // Ten looks of half a second, then the five-second pause.
    EXPECT_EQ(guestOpenedAt, 10s);
    EXPECT_FALSE(fakes.HasEvent("ghost", "opened"));
    EXPECT_TRUE(fakes.WaitForExit("guest"));
    EXPECT_EQ(Events("guest", "sent"), (std::vector<std::string>{"hi guest"}));
}

TEST_F(X11GreetingTest, AChatThatAppearsLateIsFoundAtTheNextLook) {
    fakes.options["visitor"].show = "signal";
    clock.afterSleep = [&] {
        if (clock.Sleeps() == 3) {
            fakes.ShowNow("visitor");
        }
        fakes.WaitForShownChats();
    };

    ASSERT_TRUE(messenger.OpenChat("visitor", "shop"));
    EXPECT_EQ(clock.Elapsed(), 3 * MessengerAutomation::kLookInterval);
    ASSERT_TRUE(messenger.SendGreeting("visitor", "shop", "hi [username]"));
    EXPECT_TRUE(fakes.WaitForExit("visitor"));
    EXPECT_EQ(Events("visitor", "sent"), (std::vector<std::string>{"hi visitor"}));
}

TEST_F(X11GreetingTest, AChatMissingAControlIsLeftAlone) {
    settings.wangwangedition = 0;
    fakes.options["visitor"].without = "Internet Explorer_Server";
    std::unique_ptr<X11Clipboard> otherProgram = X11Clipboard::Open(nullptr);
    ASSERT_TRUE(otherProgram->Offer("what the owner copied"));

    ASSERT_TRUE(messenger.OpenChat("visitor", "shop"));
    EXPECT_FALSE(messenger.SendGreeting("visitor", "shop", "hello"));

    EXPECT_TRUE(otherProgram->Owned());
    EXPECT_EQ(testing::PasteClipboard(), "what the owner copied");
    EXPECT_NE(FindChatWindow(*desktop, "visitor", "shop"), platform::kNoWindow);
    EXPECT_EQ(Events("visitor", "opened"), (std::vector<std::string>{"visitor - shop"}));
    for (const char* event : {"click", "paste", "sent", "closed"}) {
        EXPECT_FALSE(fakes.HasEvent("visitor", event)) << event;
    }
}

TEST_F(X11GreetingTest, TheClipboardIsServedUntilAnotherProgramTakesIt) {
    ASSERT_TRUE(desktop->SetClipboardText("第一 first"));
    EXPECT_EQ(testing::PasteClipboard(), "第一 first");
    EXPECT_EQ(testing::PasteClipboard(), "第一 first");

    std::unique_ptr<X11Clipboard> otherProgram = X11Clipboard::Open(nullptr);
    ASSERT_TRUE(otherProgram->Offer("other"));
    EXPECT_EQ(testing::PasteClipboard(), "other");

    ASSERT_TRUE(desktop->SetClipboardText("again"));
    EXPECT_EQ(testing::PasteClipboard(), "again");
    EXPECT_FALSE(otherProgram->Owned());
}

}  // namespace
}  // namespace corvane::greeting
