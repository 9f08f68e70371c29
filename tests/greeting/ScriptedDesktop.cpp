#include "greeting/ScriptedDesktop.h"

#include "greeting/ChatWindows.h"

namespace corvane::testing {

using platform::kNoWindow;
using platform::ScreenPoint;
using platform::ScreenRect;
using platform::WindowHandle;

WindowHandle ScriptedDesktop::Add(WindowHandle parent, std::string windowClass, std::string title,
                                  ScreenRect rect) {
    Window window;
    window.parent = parent;
    window.windowClass = std::move(windowClass);
    window.title = std::move(title);
    window.rect = rect;
    windows_.push_back(std::move(window));
    return windows_.size();
}

WindowHandle ScriptedDesktop::AddChat(Layout layout, const std::string& visitor,
                                      const std::string& account, const std::string& without) {
    std::lock_guard lock(mutex_);
    // Each chat gets its own strip of the screen so that clicks never reach another one.
    const int top = static_cast<int>(chats_.size()) * 400;
    auto wanted = [&](const char* windowClass) { return without != windowClass; };
    WindowHandle window = kNoWindow;
    WindowHandle input = kNoWindow;
    WindowHandle button = kNoWindow;
    if (layout == Layout::FrameHtml || layout == Layout::FrameRich) {
        window = Add(kNoWindow, "StandardFrame", greeting::FrameTitle(visitor, account),
                     {0, top, 400, top + 300});
        if (wanted("SplitterBar")) {
            const WindowHandle splitter = Add(window, "SplitterBar", "", {0, top, 400, top + 250});
            if (wanted("StandardWindow")) {
                Add(splitter, "StandardWindow", "history", {0, top, 400, top + 150});
                const WindowHandle pane =
                    Add(splitter, "StandardWindow", "", {0, top + 150, 400, top + 250});
                if (layout == Layout::FrameRich) {
                    if (wanted("RichEditComponent")) {
                        input = Add(pane, "RichEditComponent", "", {0, top + 150, 400, top + 250});
                    }
                } else if (wanted("HtmlEditor")) {
                    const WindowHandle host =
                        Add(pane, "HtmlEditor", "", {0, top + 150, 400, top + 250});
                    if (wanted("Internet Explorer_Server")) {
                        input = Add(host, "Internet Explorer_Server", "",
                                    {0, top + 150, 400, top + 250});
                    }
                }
            }
        }
        Add(window, "StandardButton", "关闭", {200, top + 260, 290, top + 290});
        if (wanted("StandardButton")) {
            button = Add(window, "StandardButton", "发送", {300, top + 260, 390, top + 290});
        }
    } else {
        const std::string title = layout == Layout::CustomerDialog
                                      ? greeting::CustomerDialogTitle(visitor, account)
                                      : greeting::StrangerDialogTitle(visitor, account);
        window = Add(kNoWindow, "#32770", title, {0, top, 400, top + 300});
        Add(window, "Button", "表情", {10, top + 10, 90, top + 40});
        if (wanted("RichEdit20A")) {
            input = Add(window, "RichEdit20A", "", {0, top + 50, 400, top + 200});
        }
        if (wanted("Button")) {
            button = Add(window, "Button", "发送", {300, top + 260, 390, top + 290});
        }
    }
    if (input != kNoWindow) {
        At(input).inputOf = window;
    }
    if (button != kNoWindow) {
        At(button).sendButtonOf = window;
    }
    chats_.push_back({window, visitor, account});
    return window;
}

std::vector<ScriptedDesktop::Sent> ScriptedDesktop::SentMessages() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

int ScriptedDesktop::InputEvents() const {
    std::lock_guard lock(mutex_);
    return inputEvents_;
}

std::optional<std::string> ScriptedDesktop::Clipboard() const {
    std::lock_guard lock(mutex_);
    return clipboard_;
}

bool ScriptedDesktop::IsOpen(WindowHandle window) const {
    std::lock_guard lock(mutex_);
    return Exists(window);
}

ScreenPoint ScriptedDesktop::Cursor() const {
    std::lock_guard lock(mutex_);
    return cursor_;
}

void ScriptedDesktop::PlaceCursor(ScreenPoint point) {
    std::lock_guard lock(mutex_);
    cursor_ = point;
}

WindowHandle ScriptedDesktop::FindTopLevelWindow(std::string_view windowClass,
                                                 std::string_view title) {
    std::lock_guard lock(mutex_);
    for (WindowHandle handle = 1; handle <= windows_.size(); ++handle) {
        const Window& window = windows_[handle - 1];
        if (window.open && window.parent == kNoWindow && window.windowClass == windowClass &&
            window.title == title) {
            return handle;
        }
    }
    return kNoWindow;
}

WindowHandle ScriptedDesktop::FindChildWindow(WindowHandle parent, WindowHandle after,
                                              std::string_view windowClass,
                                              std::optional<std::string_view> title) {
    std::lock_guard lock(mutex_);
    for (WindowHandle handle = after + 1; handle <= windows_.size(); ++handle) {
        const Window& window = windows_[handle - 1];
        if (window.open && window.parent == parent && window.windowClass == windowClass &&
            (!title || window.title == *title)) {
            return handle;
        }
    }
    return kNoWindow;
}

WindowHandle ScriptedDesktop::ForegroundWindow() {
    std::lock_guard lock(mutex_);
    return focus_;
}

void ScriptedDesktop::BringToFront(WindowHandle window) {
    std::lock_guard lock(mutex_);
    focus_ = Exists(window) ? window : focus_;
}

void ScriptedDesktop::SetFocus(WindowHandle window) {
    std::lock_guard lock(mutex_);
    focus_ = Exists(window) ? window : focus_;
}

std::optional<ScreenRect> ScriptedDesktop::WindowRect(WindowHandle window) {
    std::lock_guard lock(mutex_);
    if (!Exists(window)) {
        return std::nullopt;
    }
    return At(window).rect;
}

ScreenPoint ScriptedDesktop::CursorPosition() {
    std::lock_guard lock(mutex_);
    return cursor_;
}

void ScriptedDesktop::MoveCursor(ScreenPoint point) {
    std::lock_guard lock(mutex_);
    cursor_ = point;
}

void ScriptedDesktop::LeftButton(bool down) {
    std::lock_guard lock(mutex_);
    if (!down) {
        return;
    }
    ++inputEvents_;
    // The topmost window under the pointer: the one created last.
    WindowHandle hit = kNoWindow;
    for (WindowHandle handle = 1; handle <= windows_.size(); ++handle) {
        const Window& window = windows_[handle - 1];
        if (window.open && cursor_.x >= window.rect.left && cursor_.x < window.rect.right &&
            cursor_.y >= window.rect.top && cursor_.y < window.rect.bottom) {
            hit = handle;
        }
    }
    if (hit == kNoWindow) {
        return;
    }
    if (At(hit).inputOf != kNoWindow) {
        focus_ = hit;
    } else if (At(hit).sendButtonOf != kNoWindow) {
        for (WindowHandle handle = 1; handle <= windows_.size(); ++handle) {
            if (windows_[handle - 1].inputOf == At(hit).sendButtonOf) {
                SendFrom(handle);
            }
        }
    }
}

void ScriptedDesktop::Key(platform::VirtualKey key, bool down) {
    std::lock_guard lock(mutex_);
    if (key == platform::VirtualKey::Control) {
        controlDown_ = down;
        return;
    }
    if (!down) {
        return;
    }
    ++inputEvents_;
    if (!Exists(focus_) || At(focus_).inputOf == kNoWindow) {
        return;
    }
    if (key == platform::VirtualKey::V && controlDown_ && clipboard_) {
        At(focus_).typed += *clipboard_;
    } else if (key == platform::VirtualKey::Return) {
        SendFrom(focus_);
    }
}

void ScriptedDesktop::SendFrom(WindowHandle input) {
    Window& window = At(input);
    if (window.typed.empty()) {
        return;
    }
    for (const Chat& chat : chats_) {
        if (chat.window == window.inputOf) {
            sent_.push_back({chat.visitor, chat.account, window.typed});
        }
    }
    window.typed.clear();
}

bool ScriptedDesktop::SetClipboardText(const std::string& utf8) {
    std::lock_guard lock(mutex_);
    clipboard_ = utf8;
    return true;
}

void ScriptedDesktop::CloseWindow(WindowHandle window) {
    std::lock_guard lock(mutex_);
    if (!Exists(window)) {
        return;
    }
    At(window).open = false;
    // Children go with their window; they always come after it.
    for (WindowHandle handle = window + 1; handle <= windows_.size(); ++handle) {
        Window& child = windows_[handle - 1];
        if (child.parent != kNoWindow && !Exists(child.parent)) {
            child.open = false;
        }
    }
}

}  // namespace corvane::testing
