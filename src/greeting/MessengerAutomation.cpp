#include "greeting/MessengerAutomation.h"

#include <utility>

#include "greeting/GreetingTemplate.h"
#include "greeting/MessengerUrl.h"
#include "greeting/RandomCode.h"

namespace corvane::greeting {

using platform::VirtualKey;
using platform::WindowHandle;

MessengerAutomation::MessengerAutomation(platform::DesktopAutomation& desktop, Clock& clock,
                                         const accounts::SystemSettings& settings,
                                         platform::UrlOpener openUrl)
    : desktop_(desktop), clock_(clock), settings_(settings), openUrl_(std::move(openUrl)) {}

void MessengerAutomation::OpenMessengerUrl(const std::string& visitor, const std::string& account) {
    if (openUrl_) {
        openUrl_(MessengerUrl(settings_.wangwangedition.load(), visitor, account));
    }
}

bool MessengerAutomation::OpenChat(const std::string& visitor, const std::string& account) {
    OpenMessengerUrl(visitor, account);
    for (int look = 0; look < kLooks; ++look) {
        clock_.SleepFor(kLookInterval);
        if (FindChatWindow(desktop_, visitor, account) != platform::kNoWindow) {
            return true;
        }
    }
    return false;
}

bool MessengerAutomation::SendGreeting(const std::string& visitor, const std::string& account,
                                       const std::string& greetingTemplate) {
    const std::string greeting = ExpandGreeting(greetingTemplate, visitor, MakeRandomCode());
    const std::optional<ChatControls> chat = FindChatControls(desktop_, visitor, account);
    if (!chat) {
        return false;
    }
    RunSendSequence(*chat, greeting);
    return true;
}

void MessengerAutomation::OpenChatFromList(const std::string& account, const std::string& visitor) {
    OpenMessengerUrl(visitor, account);
}

void MessengerAutomation::RunSendSequence(const ChatControls& chat, const std::string& greeting) {
    PutOnClipboard(greeting);
    if (desktop_.ForegroundWindow() != chat.input) {
        desktop_.BringToFront(chat.input);
    }
    desktop_.SetFocus(chat.input);
    clock_.SleepFor(kSettleDelay);
    ClickCentreOf(chat.input);
    // The messenger sends with Enter or with Ctrl+Enter, as its owner set it; press both.
    PressChord({VirtualKey::Control, VirtualKey::V});
    PressChord({VirtualKey::Return});
    PressChord({VirtualKey::Control, VirtualKey::Return});
    clock_.SleepFor(kSettleDelay);
    desktop_.SetFocus(chat.sendButton);
    ClickCentreOf(chat.sendButton);
    clock_.SleepFor(kCloseDelay);
    desktop_.CloseWindow(chat.window);
}

void MessengerAutomation::PutOnClipboard(const std::string& greeting) {
    if (greeting.empty()) {
        return;
    }
    desktop_.SetClipboardText(FitForMessenger(greeting));
}

void MessengerAutomation::ClickCentreOf(WindowHandle window) {
    const std::optional<platform::ScreenRect> rect = desktop_.WindowRect(window);
    if (!rect) {
        return;  // the window went away meanwhile; a click would land on whatever is there
    }
    const platform::ScreenPoint centre{(rect->left + rect->right) / 2,
                                       (rect->top + rect->bottom) / 2};
    const platform::ScreenPoint saved = desktop_.CursorPosition();
    desktop_.MoveCursor(centre);
    desktop_.LeftButton(true);
    desktop_.LeftButton(false);
    desktop_.MoveCursor(saved);
}

void MessengerAutomation::PressChord(std::initializer_list<VirtualKey> keys) {
    for (VirtualKey key : keys) {
        desktop_.Key(key, true);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        desktop_.Key(*key, false);
    }
}

}  // namespace corvane::greeting
