#include "greeting/PasteClipboard.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <memory>

namespace corvane::testing {

std::optional<std::string> PasteClipboard() {
    std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    if (!display) {
        return std::nullopt;
    }
    Display* dpy = display.get();
    const Window window = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    const Atom property = XInternAtom(dpy, "PASTED", False);
    XConvertSelection(dpy, XInternAtom(dpy, "CLIPBOARD", False), utf8, property, window,
                      CurrentTime);
    XFlush(dpy);
    pollfd watched{ConnectionNumber(dpy), POLLIN, 0};
    for (int waits = 0; waits < 200; ++waits) {
        XEvent event;
        if (XCheckTypedWindowEvent(dpy, window, SelectionNotify, &event)) {
            if (event.xselection.property == None) {
                return std::nullopt;
            }
            Atom type = None;
            int format = 0;
            unsigned long count = 0;
            unsigned long remaining = 0;
            unsigned char* data = nullptr;
            XGetWindowProperty(dpy, window, property, 0, 1 << 16, True, AnyPropertyType, &type,
                               &format, &count, &remaining, &data);
            std::string text =
                data != nullptr ? std::string(reinterpret_cast<char*>(data), count) : std::string();
            if (data != nullptr) {
                XFree(data);
            }
            return text;
        }
        poll(&watched, 1, 50);
    }
    return std::nullopt;
}

}  // namespace corvane::testing
