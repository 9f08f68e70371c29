#include "platform/x11/QuietDisplay.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace corvane::platform::x11 {
namespace {

std::mutex quietMutex;
std::vector<Display*> quietDisplays;
XErrorHandler previousHandler = nullptr;

int QuietErrorHandler(Display* display, XErrorEvent* error) {
    XErrorHandler forward = nullptr;
    {
        std::lock_guard lock(quietMutex);
        if (std::find(quietDisplays.begin(), quietDisplays.end(), display) != quietDisplays.end()) {
            return 0;
        }
        forward = previousHandler;
    }
    return forward != nullptr ? forward(display, error) : 0;
}

}  // namespace

void DisplayCloser::operator()(Display* display) const {
    {
        std::lock_guard lock(quietMutex);
        std::erase(quietDisplays, display);
    }
    XCloseDisplay(display);
}

DisplayPtr OpenQuietDisplay(const char* name) {
    // Several threads use Xlib (the sender's connection, the clipboard's): Xlib's own state
    // must be made thread-safe before the first connection.
    static const Status threadsReady = XInitThreads();
    (void)threadsReady;
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return nullptr;
    }
    static std::once_flag installed;
    std::call_once(installed, [] {
        std::lock_guard lock(quietMutex);
        previousHandler = XSetErrorHandler(QuietErrorHandler);
    });
    std::lock_guard lock(quietMutex);
    quietDisplays.push_back(display);
    return DisplayPtr(display);
}

}  // namespace corvane::platform::x11
