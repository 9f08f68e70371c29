#include "platform/x11/X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "platform/TextCodec.h"

namespace corvane::platform::x11 {
namespace {

// The serving thread answers within a round trip to the X server; this only guards against
// a server that stopped answering.
constexpr std::chrono::seconds kAnswerTimeout{5};

}  // namespace

std::unique_ptr<X11Clipboard> X11Clipboard::Open(const char* displayName) {
    DisplayPtr display = OpenQuietDisplay(displayName);
    if (!display) {
        return nullptr;
    }
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return nullptr;
    }
    return std::unique_ptr<X11Clipboard>(
        new X11Clipboard(std::move(display), pipeEnds[0], pipeEnds[1]));
}

X11Clipboard::X11Clipboard(DisplayPtr display, int wakeRead, int wakeWrite)
    : display_(std::move(display)), wakeRead_(wakeRead), wakeWrite_(wakeWrite) {
    Display* dpy = display_.get();
    window_ = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    clipboardAtom_ = XInternAtom(dpy, "CLIPBOARD", False);
    targetsAtom_ = XInternAtom(dpy, "TARGETS", False);
    utf8Atom_ = XInternAtom(dpy, "UTF8_STRING", False);
    textAtom_ = XInternAtom(dpy, "TEXT", False);
    XFlush(dpy);
    server_ = std::thread([this] { Serve(); });
}

X11Clipboard::~X11Clipboard() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    Wake();
    server_.join();
    XDestroyWindow(display_.get(), window_);
    close(wakeRead_);
    close(wakeWrite_);
}

bool X11Clipboard::Offer(const std::string& utf8) {
    std::unique_lock lock(mutex_);
    text_ = utf8;
    offerPending_ = true;
    return AskServer(lock);
}

bool X11Clipboard::Owned() {
    std::unique_lock lock(mutex_);
    return AskServer(lock);
}

bool X11Clipboard::AskServer(std::unique_lock<std::mutex>& lock) {
    const std::uint64_t request = ++requestsMade_;
    Wake();
    answered_.wait_for(lock, kAnswerTimeout, [&] { return requestsDone_ >= request; });
    return requestsDone_ >= request && owned_;
}

void X11Clipboard::Wake() {
    const char byte = 1;
    [[maybe_unused]] ssize_t written = write(wakeWrite_, &byte, 1);
}

void X11Clipboard::Serve() {
    Display* dpy = display_.get();
    pollfd watched[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    for (;;) {
        while (XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            Answer(event);
        }
        {
            std::lock_guard lock(mutex_);
            if (quit_) {
                return;
            }
        }
        if (poll(watched, 2, -1) < 0) {
            continue;
        }
        if ((watched[1].revents & POLLIN) != 0) {
            char drained[64];
            while (read(wakeRead_, drained, sizeof drained) > 0) {
            }
            HandleRequests();
        }
    }
}

void X11Clipboard::HandleRequests() {
    Display* dpy = display_.get();
    std::lock_guard lock(mutex_);
    if (requestsDone_ == requestsMade_) {
        return;
    }
    if (offerPending_) {
        XSetSelectionOwner(dpy, clipboardAtom_, window_, CurrentTime);
        offerPending_ = false;
    }
    owned_ = XGetSelectionOwner(dpy, clipboardAtom_) == window_;
    requestsDone_ = requestsMade_;
    answered_.notify_all();
}

void X11Clipboard::Answer(const XEvent& event) {
    Display* dpy = display_.get();
    if (event.type == SelectionClear) {
        // A notice of a loss that came before our latest offer is no longer true. The text
        // stays: an offer made meanwhile takes the clipboard back with it.
        if (XGetSelectionOwner(dpy, clipboardAtom_) != window_) {
            std::lock_guard lock(mutex_);
            owned_ = false;
        }
        return;
    }
    if (event.type != SelectionRequest) {
        return;
    }
    const XSelectionRequestEvent& request = event.xselectionrequest;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = dpy;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    // Clients of the old protocol name no property and expect the target's name.
    const Atom property = request.property != None ? request.property : request.target;
    reply.property = None;

    std::string text;
    bool owned = false;
    {
        std::lock_guard lock(mutex_);
        text = text_;
        owned = owned_;
    }
    if (owned && request.selection == clipboardAtom_) {
        if (request.target == targetsAtom_) {
            const Atom offered[] = {targetsAtom_, utf8Atom_, XA_STRING, textAtom_};
            XChangeProperty(dpy, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 4);
            reply.property = property;
        } else if (request.target == utf8Atom_ || request.target == textAtom_ ||
                   request.target == XA_STRING) {
            // STRING is Latin-1 by convention; what it cannot hold becomes '?'.
            const std::string data =
                request.target == XA_STRING
                    ? text::ConvertCharset(text, "UTF-8", "ISO-8859-1").value_or(std::string())
                    : text;
            const Atom type = request.target == XA_STRING ? XA_STRING : utf8Atom_;
            XChangeProperty(dpy, request.requestor, property, type, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(data.data()),
                            static_cast<int>(data.size()));
            reply.property = property;
        }
    }
    XEvent notify{};
    notify.xselection = reply;
    XSendEvent(dpy, request.requestor, False, NoEventMask, &notify);
    XFlush(dpy);
}

}  // namespace corvane::platform::x11
