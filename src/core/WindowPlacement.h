#pragma once

namespace corvane {

struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const WindowRect&) const = default;
};

inline constexpr int kMainWindowWidth = 800;
inline constexpr int kMainWindowHeight = 580;

// The main window's rectangle, centred on a desktop of the given size. Halves truncate
// toward zero, so an odd width leaves the extra pixel on the right.
constexpr WindowRect CentredMainWindow(int desktopWidth, int desktopHeight) {
    const int dx = desktopWidth / 2 - kMainWindowWidth / 2;
    const int dy = desktopHeight / 2 - kMainWindowHeight / 2;
    return {dx, dy, dx + kMainWindowWidth, dy + kMainWindowHeight};
}

}  // namespace corvane
