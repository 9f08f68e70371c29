#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/DesktopAutomation.h"
#include "platform/x11/QuietDisplay.h"
#include "platform/x11/X11Clipboard.h"

namespace corvane::platform::x11 {

// The desktop of an X server. A window's class is the class part of its WM_CLASS, its
// title _NET_WM_NAME (else WM_NAME); children are the direct children in stacking order.
// Input is synthesised with XTest; closing sends WM_DELETE_WINDOW. Calls from several
// threads are serialised.
class X11DesktopAutomation final : public DesktopAutomation {
public:
    // Null when the display cannot be opened or lacks the XTest extension.
    static std::unique_ptr<X11DesktopAutomation> Open(const char* displayName = nullptr);

    WindowHandle FindTopLevelWindow(std::string_view windowClass, std::string_view title) override;
    WindowHandle FindChildWindow(WindowHandle parent, WindowHandle after,
                                 std::string_view windowClass,
                                 std::optional<std::string_view> title) override;
    WindowHandle ForegroundWindow() override;
    void BringToFront(WindowHandle window) override;
    void SetFocus(WindowHandle window) override;
    std::optional<ScreenRect> WindowRect(WindowHandle window) override;
    ScreenPoint CursorPosition() override;
    void MoveCursor(ScreenPoint point) override;
    void LeftButton(bool down) override;
    void Key(VirtualKey key, bool down) override;
    bool SetClipboardText(const std::string& utf8) override;
    void CloseWindow(WindowHandle window) override;

private:
    X11DesktopAutomation(DisplayPtr display, std::unique_ptr<X11Clipboard> clipboard);

    std::vector<unsigned long> Children(unsigned long window) const;
    std::vector<unsigned long> ClientWindows() const;
    bool HasClass(unsigned long window, std::string_view windowClass) const;
    std::string Title(unsigned long window) const;
    unsigned long TopLevelOf(unsigned long window) const;
    bool IsShown(unsigned long window) const;

    mutable std::mutex mutex_;
    DisplayPtr display_;
    std::unique_ptr<X11Clipboard> clipboard_;
    unsigned long root_;
};

}  // namespace corvane::platform::x11
