#include "platform/x11/X11DesktopAutomation.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>

namespace corvane::platform::x11 {
namespace {

Window ToWindow(WindowHandle handle) {
    return static_cast<Window>(handle);
}

KeySym KeySymOf(VirtualKey key) {
    switch (key) {
        case VirtualKey::Return:
            return XK_Return;
        case VirtualKey::Control:
            return XK_Control_L;
        case VirtualKey::V:
            return XK_v;
    }
    return NoSymbol;
}

// Reparenting window managers put each program's window inside a frame; the program's own
// window is the first one below the frame that carries WM_CLASS.
constexpr int kFrameDepth = 3;

}  // namespace

std::unique_ptr<X11DesktopAutomation> X11DesktopAutomation::Open(const char* displayName) {
    DisplayPtr display = OpenQuietDisplay(displayName);
    if (!display) {
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) {
        return nullptr;
    }
    std::unique_ptr<X11Clipboard> clipboard = X11Clipboard::Open(displayName);
    if (!clipboard) {
        return nullptr;
    }
    return std::unique_ptr<X11DesktopAutomation>(
        new X11DesktopAutomation(std::move(display), std::move(clipboard)));
}

X11DesktopAutomation::X11DesktopAutomation(DisplayPtr display,
                                           std::unique_ptr<X11Clipboard> clipboard)
    : display_(std::move(display)),
      clipboard_(std::move(clipboard)),
      root_(DefaultRootWindow(display_.get())) {}

std::vector<Window> X11DesktopAutomation::Children(Window window) const {
    Window rootReturn = 0;
    Window parentReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display_.get(), window, &rootReturn, &parentReturn, &children, &count) != 0) {
        result.assign(children, children + count);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return result;
}

std::vector<Window> X11DesktopAutomation::ClientWindows() const {
    std::vector<Window> clients;
    std::vector<std::pair<Window, int>> pending;
    for (Window child : Children(root_)) {
        pending.emplace_back(child, 1);
    }
    for (std::size_t next = 0; next < pending.size(); ++next) {
        const auto [window, depth] = pending[next];
        XClassHint hint{};
        if (XGetClassHint(display_.get(), window, &hint) != 0) {
            XFree(hint.res_name);
            XFree(hint.res_class);
            clients.push_back(window);
        } else if (depth < kFrameDepth) {
            for (Window child : Children(window)) {
                pending.emplace_back(child, depth + 1);
            }
        }
    }
    return clients;
}

bool X11DesktopAutomation::HasClass(Window window, std::string_view windowClass) const {
    XClassHint hint{};
    if (XGetClassHint(display_.get(), window, &hint) == 0) {
        return false;
    }
    const bool matches = hint.res_class != nullptr && windowClass == hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return matches;
}

std::string X11DesktopAutomation::Title(Window window) const {
    Display* dpy = display_.get();
    const Atom netWmName = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, netWmName, 0, 4096, False, utf8, &type, &format, &count,
                           &remaining, &data) == Success &&
        type == utf8 && format == 8 && data != nullptr) {
        std::string title(reinterpret_cast<const char*>(data), count);
        XFree(data);
        return title;
    }
    if (data != nullptr) {
        XFree(data);
    }
    XTextProperty property{};
    if (XGetWMName(dpy, window, &property) == 0) {
        return {};
    }
    std::string title;
    char** list = nullptr;
    int items = 0;
    if (Xutf8TextPropertyToTextList(dpy, &property, &list, &items) >= Success && list != nullptr) {
        for (int i = 0; i < items; ++i) {
            title += list[i];
        }
        XFreeStringList(list);
    }
    XFree(property.value);
    return title;
}

Window X11DesktopAutomation::TopLevelOf(Window window) const {
    for (;;) {
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display_.get(), window, &rootReturn, &parent, &children, &count) == 0) {
            return window;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (parent == rootReturn || parent == None) {
            return window;
        }
        window = parent;
    }
}

bool X11DesktopAutomation::IsShown(Window window) const {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_.get(), window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

WindowHandle X11DesktopAutomation::FindTopLevelWindow(std::string_view windowClass,
                                                      std::string_view title) {
    std::lock_guard lock(mutex_);
    for (Window window : ClientWindows()) {
        if (HasClass(window, windowClass) && Title(window) == title) {
            return window;
        }
    }
    return kNoWindow;
}

WindowHandle X11DesktopAutomation::FindChildWindow(WindowHandle parent, WindowHandle after,
                                                   std::string_view windowClass,
                                                   std::optional<std::string_view> title) {
    std::lock_guard lock(mutex_);
    const std::vector<Window> children = Children(ToWindow(parent));
    auto from = children.begin();
    if (after != kNoWindow) {
        from = std::find(children.begin(), children.end(), ToWindow(after));
        if (from == children.end()) {
            return kNoWindow;
        }
        ++from;
    }
    for (auto it = from; it != children.end(); ++it) {
        if (HasClass(*it, windowClass) && (!title || Title(*it) == *title)) {
            return *it;
        }
    }
    return kNoWindow;
}

WindowHandle X11DesktopAutomation::ForegroundWindow() {
    std::lock_guard lock(mutex_);
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display_.get(), &focus, &revertTo);
    return focus == None || focus == PointerRoot ? kNoWindow : focus;
}

void X11DesktopAutomation::BringToFront(WindowHandle window) {
    std::lock_guard lock(mutex_);
    Display* dpy = display_.get();
    const Window top = TopLevelOf(ToWindow(window));
    // Mapping again restores a minimised window; a window manager is asked to activate it.
    XMapRaised(dpy, top);
    XEvent activate{};
    activate.xclient.type = ClientMessage;
    activate.xclient.window = top;
    activate.xclient.message_type = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    activate.xclient.format = 32;
    activate.xclient.data.l[0] = 2;  // a request from a pager-like tool: always honoured
    activate.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &activate);
    XSync(dpy, False);
    if (IsShown(ToWindow(window))) {
        XSetInputFocus(dpy, ToWindow(window), RevertToParent, CurrentTime);
    }
    XSync(dpy, False);
}

void X11DesktopAutomation::SetFocus(WindowHandle window) {
    std::lock_guard lock(mutex_);
    if (IsShown(ToWindow(window))) {
        XSetInputFocus(display_.get(), ToWindow(window), RevertToParent, CurrentTime);
    }
    XSync(display_.get(), False);
}

std::optional<ScreenRect> X11DesktopAutomation::WindowRect(WindowHandle window) {
    std::lock_guard lock(mutex_);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_.get(), ToWindow(window), &attributes) == 0) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = None;
    if (!XTranslateCoordinates(display_.get(), ToWindow(window), root_, 0, 0, &x, &y, &child)) {
        return std::nullopt;
    }
    return ScreenRect{x, y, x + attributes.width, y + attributes.height};
}

ScreenPoint X11DesktopAutomation::CursorPosition() {
    std::lock_guard lock(mutex_);
    Window rootReturn = None;
    Window child = None;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int mask = 0;
    XQueryPointer(display_.get(), root_, &rootReturn, &child, &rootX, &rootY, &windowX, &windowY,
                  &mask);
    return {rootX, rootY};
}

void X11DesktopAutomation::MoveCursor(ScreenPoint point) {
    std::lock_guard lock(mutex_);
    XTestFakeMotionEvent(display_.get(), -1, point.x, point.y, CurrentTime);
    XSync(display_.get(), False);
}

void X11DesktopAutomation::LeftButton(bool down) {
    std::lock_guard lock(mutex_);
    XTestFakeButtonEvent(display_.get(), Button1, down ? True : False, CurrentTime);
    XSync(display_.get(), False);
}

void X11DesktopAutomation::Key(VirtualKey key, bool down) {
    std::lock_guard lock(mutex_);
    const KeyCode code = XKeysymToKeycode(display_.get(), KeySymOf(key));
    if (code == 0) {
        return;
    }
    XTestFakeKeyEvent(display_.get(), code, down ? True : False, CurrentTime);
    XSync(display_.get(), False);
}

bool X11DesktopAutomation::SetClipboardText(const std::string& utf8) {
    // The clipboard has its own connection and thread; no need to hold the lock.
    return clipboard_->Offer(utf8);
}

void X11DesktopAutomation::CloseWindow(WindowHandle window) {
    std::lock_guard lock(mutex_);
    Display* dpy = display_.get();
    // Only ever a request: destroying another program's window would break that program.
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = ToWindow(window);
    close.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, ToWindow(window), False, NoEventMask, &close);
    XSync(dpy, False);
}

}  // namespace corvane::platform::x11
