#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/DesktopAutomation.h"

namespace corvane::testing {

// An in-memory desktop that behaves like the messenger's chat windows: a click or focus on
// an input lets it take keys, Ctrl+V pastes the clipboard into it, Enter, Ctrl+Enter or a
// click of the send button sends what it holds. Everything it sees is recorded. Safe to
// use from the sender thread and the test thread at once.
class ScriptedDesktop final : public platform::DesktopAutomation {
public:
    enum class Layout { FrameHtml, FrameRich, CustomerDialog, StrangerDialog };

    struct Sent {
        std::string visitor;
        std::string account;
        std::string text;
    };

    // Opens a chat window in the layout; a control whose class is `without` is left out.
    platform::WindowHandle AddChat(Layout layout, const std::string& visitor,
                                   const std::string& account, const std::string& without = {});

    std::vector<Sent> SentMessages() const;
    // Key presses and clicks seen, in any window.
    int InputEvents() const;
    std::optional<std::string> Clipboard() const;
    bool IsOpen(platform::WindowHandle window) const;
    platform::ScreenPoint Cursor() const;
    void PlaceCursor(platform::ScreenPoint point);

    platform::WindowHandle FindTopLevelWindow(std::string_view windowClass,
                                              std::string_view title) override;
    platform::WindowHandle FindChildWindow(platform::WindowHandle parent,
                                           platform::WindowHandle after,
                                           std::string_view windowClass,
                                           std::optional<std::string_view> title) override;
    platform::WindowHandle ForegroundWindow() override;
    void BringToFront(platform::WindowHandle window) override;
    void SetFocus(platform::WindowHandle window) override;
    std::optional<platform::ScreenRect> WindowRect(platform::WindowHandle window) override;
    platform::ScreenPoint CursorPosition() override;
    void MoveCursor(platform::ScreenPoint point) override;
    void LeftButton(bool down) override;
    void Key(platform::VirtualKey key, bool down) override;
    bool SetClipboardText(const std::string& utf8) override;
    void CloseWindow(platform::WindowHandle window) override;

private:
    struct Window {
        platform::WindowHandle parent = platform::kNoWindow;
        std::string windowClass;
        std::string title;
        platform::ScreenRect rect;
        bool open = true;
        // Set on a chat's input and send button: the chat's top-level window.
        platform::WindowHandle inputOf = platform::kNoWindow;
        platform::WindowHandle sendButtonOf = platform::kNoWindow;
        std::string typed;
    };
    struct Chat {
        platform::WindowHandle window;
        std::string visitor;
        std::string account;
    };

    platform::WindowHandle Add(platform::WindowHandle parent, std::string windowClass,
                               std::string title, platform::ScreenRect rect);
    Window& At(platform::WindowHandle handle) { return windows_[handle - 1]; }
    bool Exists(platform::WindowHandle handle) const {
        return handle >= 1 && handle <= windows_.size() && windows_[handle - 1].open;
    }
    void SendFrom(platform::WindowHandle input);

    mutable std::mutex mutex_;
    std::vector<Window> windows_;
    std::vector<Chat> chats_;
    std::vector<Sent> sent_;
    std::optional<std::string> clipboard_;
    platform::WindowHandle focus_ = platform::kNoWindow;
    platform::ScreenPoint cursor_{5, 5};
    bool controlDown_ = false;
    int inputEvents_ = 0;
};

}  // namespace corvane::testing
