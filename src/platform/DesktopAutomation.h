#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform {

// A window of any program on the desktop; 0 is no window.
using WindowHandle = std::uint64_t;
inline constexpr WindowHandle kNoWindow = 0;

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Screen coordinates; right and bottom lie just outside the window.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The keys the messenger automation presses, by their Windows virtual-key codes.
enum class VirtualKey : std::uint8_t { Return = 0x0D, Control = 0x11, V = 0x56 };

// Windows, input and clipboard of the whole desktop, as the messenger automation drives them.
// One implementation talks to the X server; tests may script their own desktop.
class DesktopAutomation {
public:
    virtual ~DesktopAutomation() = default;

    // The top-level window of this class whose title is exactly `title`.
    virtual WindowHandle FindTopLevelWindow(std::string_view windowClass,
                                            std::string_view title) = 0;
    // The first direct child of `parent` after `after` (kNoWindow: from the first child) of
    // this class, with exactly this title unless `title` is empty (any title).
    virtual WindowHandle FindChildWindow(WindowHandle parent, WindowHandle after,
                                         std::string_view windowClass,
                                         std::optional<std::string_view> title) = 0;

    // The window that receives keyboard input now.
    virtual WindowHandle ForegroundWindow() = 0;
    // Raises the window's top-level window (restoring it when minimised) and gives the window
    // the keyboard input.
    virtual void BringToFront(WindowHandle window) = 0;
    virtual void SetFocus(WindowHandle window) = 0;
    virtual std::optional<ScreenRect> WindowRect(WindowHandle window) = 0;

    virtual ScreenPoint CursorPosition() = 0;
    virtual void MoveCursor(ScreenPoint point) = 0;
    // Presses or releases the left mouse button where the cursor is.
    virtual void LeftButton(bool down) = 0;
    virtual void Key(VirtualKey key, bool down) = 0;

    // Offers `utf8` on the clipboard to whoever pastes, until another program takes the
    // clipboard. False when the clipboard could not be taken.
    virtual bool SetClipboardText(const std::string& utf8) = 0;

    // Asks the window to close, as its own close button would.
    virtual void CloseWindow(WindowHandle window) = 0;
};

}  // namespace corvane::platform
