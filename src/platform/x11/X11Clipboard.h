#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/x11/QuietDisplay.h"

union _XEvent;

namespace corvane::platform::x11 {

// Owns the CLIPBOARD selection and serves its text to every program that pastes, until
// another program takes the clipboard. X has no clipboard store: the owner must answer
// each paste itself, so a thread with its own connection does that for as long as this
// object lives.
class X11Clipboard {
public:
    // Null when the display cannot be opened.
    static std::unique_ptr<X11Clipboard> Open(const char* displayName);
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    // Takes the clipboard with this text; false when the X server did not give it to us.
    bool Offer(const std::string& utf8);
    // True while the clipboard is ours, as the X server sees it now.
    bool Owned();

private:
    X11Clipboard(DisplayPtr display, int wakeRead, int wakeWrite);
    void Serve();
    // Hands a request to the serving thread and waits for its answer: whether we own the
    // clipboard.
    bool AskServer(std::unique_lock<std::mutex>& lock);
    void HandleRequests();
    void Answer(const _XEvent& event);
    void Wake();

    DisplayPtr display_;
    unsigned long window_ = 0;
    unsigned long clipboardAtom_ = 0;
    unsigned long targetsAtom_ = 0;
    unsigned long utf8Atom_ = 0;
    unsigned long textAtom_ = 0;
    int wakeRead_;
    int wakeWrite_;

    mutable std::mutex mutex_;
    std::condition_variable answered_;
    std::string text_;
    bool owned_ = false;
    bool offerPending_ = false;
    std::uint64_t requestsMade_ = 0;
    std::uint64_t requestsDone_ = 0;
    bool quit_ = false;
    std::thread server_;
};

}  // namespace corvane::platform::x11
