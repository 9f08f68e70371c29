#pragma once

#include <chrono>
#include <initializer_list>
#include <string>

#include "accounts/SystemSettings.h"
#include "greeting/ChatWindows.h"
#include "platform/Clock.h"
#include "platform/DesktopAutomation.h"
#include "platform/ProcessLauncher.h"

namespace corvane::greeting {

// Talks to visitors through the messenger beside the client. The messenger has no
// programming interface: a chat is opened through its URL and the greeting is pasted into
// the chat window and sent with the keys and the mouse.
class MessengerAutomation {
public:
    static constexpr std::chrono::milliseconds kLookInterval{500};
    static constexpr int kLooks = 10;
    static constexpr std::chrono::milliseconds kSettleDelay{200};
    static constexpr std::chrono::milliseconds kCloseDelay{1000};

    // `settings` chooses the messenger edition; `openUrl` hands a URL to the desktop.
    MessengerAutomation(platform::DesktopAutomation& desktop, Clock& clock,
                        const accounts::SystemSettings& settings, platform::UrlOpener openUrl);

    // Opens the chat through the messenger and waits for its window: true once it exists,
    // false after kLooks looks.
    bool OpenChat(const std::string& visitor, const std::string& account);

    // Pastes the expanded greeting into the open chat, sends it and closes the window. False
    // when the chat window or one of its controls is missing: then nothing has been typed,
    // the clipboard is untouched and the window stays open.
    bool SendGreeting(const std::string& visitor, const std::string& account,
                      const std::string& greetingTemplate);

    // Opens the chat and returns at once.
    void OpenChatFromList(const std::string& account, const std::string& visitor);

private:
    void OpenMessengerUrl(const std::string& visitor, const std::string& account);
    void RunSendSequence(const ChatControls& chat, const std::string& greeting);
    void PutOnClipboard(const std::string& greeting);
    // Clicks the centre of the window; the owner's pointer goes back where it was.
    void ClickCentreOf(platform::WindowHandle window);
    // Presses the keys in order and releases them in reverse order.
    void PressChord(std::initializer_list<platform::VirtualKey> keys);

    platform::DesktopAutomation& desktop_;
    Clock& clock_;
    const accounts::SystemSettings& settings_;
    platform::UrlOpener openUrl_;
};

}  // namespace corvane::greeting
