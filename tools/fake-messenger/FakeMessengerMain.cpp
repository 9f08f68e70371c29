// fake-messenger: stands in for the messenger in tests. Opened with a messenger URL, it
// shows the chat window for the two names in the URL with the messenger's window classes,
// titles and child layout, reads the clipboard on Ctrl+V in its input, sends on Enter,
// Ctrl+Enter or a click of its send button, and writes everything it sees to a transcript.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ChatUrl.h"

namespace {

struct Options {
    std::string transcript;
    std::string layout = "a-html";  // a-html, a-rich, b-customer, b-stranger
    std::string without;            // a control class left out of the window
    std::string show = "now";       // now, never, signal (on SIGUSR1)
    std::string url;
};

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

int signalPipe[2] = {-1, -1};

void OnShowSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t written = write(signalPipe[1], &byte, 1);
}

class Transcript {
public:
    explicit Transcript(const std::string& path) : file_(std::fopen(path.c_str(), "a")) {}
    ~Transcript() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;
    bool ok() const { return file_ != nullptr; }

    // One event a line: its name, a TAB and its text with \, TAB and line breaks escaped.
    void Write(std::string_view event, std::string_view text = {}) {
        std::string line(event);
        if (!text.empty()) {
            line += '\t';
            for (char c : text) {
                switch (c) {
                    case '\\':
                        line += "\\\\";
                        break;
                    case '\t':
                        line += "\\t";
                        break;
                    case '\n':
                        line += "\\n";
                        break;
                    case '\r':
                        line += "\\r";
                        break;
                    default:
                        line += c;
                }
            }
        }
        line += '\n';
        std::fputs(line.c_str(), file_);
        std::fflush(file_);
    }

private:
    std::FILE* file_;
};

class ChatWindow {
public:
    ChatWindow(Display* display, const Options& options, const corvane::fake::ChatParties& parties,
               Transcript& transcript)
        : display_(display), options_(options), parties_(parties), transcript_(transcript) {
        utf8_ = XInternAtom(display_, "UTF8_STRING", False);
        deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        pasted_ = XInternAtom(display_, "FAKE_MESSENGER_PASTE", False);
    }

    void Show() {
        const bool layoutA = options_.layout.starts_with("a-");
        if (layoutA) {
            BuildLayoutA();
        } else {
            BuildLayoutB();
        }
        XSetWMProtocols(display_, top_, &deleteWindow_, 1);
        XMapWindow(display_, top_);
        XSync(display_, False);
        transcript_.Write("opened", titles_[top_]);
    }

    // False once the window has been closed.
    bool Handle(XEvent& event) {
        switch (event.type) {
            case ButtonPress:
                OnClick(event.xbutton.window);
                break;
            case KeyPress:
                OnKey(event.xkey);
                break;
            case ClientMessage:
                if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) {
                    transcript_.Write("closed");
                    XDestroyWindow(display_, top_);
                    XSync(display_, False);
                    return false;
                }
                break;
            default:
                break;
        }
        return true;
    }

private:
    Window Make(Window parent, const char* windowClass, const std::string& title, int x, int y,
                int width, int height) {
        const Window window = XCreateSimpleWindow(display_, parent, x, y, width, height, 1,
                                                  BlackPixel(display_, DefaultScreen(display_)),
                                                  WhitePixel(display_, DefaultScreen(display_)));
        XClassHint hint{const_cast<char*>(windowClass), const_cast<char*>(windowClass)};
        XSetClassHint(display_, window, &hint);
        SetTitle(window, title);
        XSelectInput(display_, window, ButtonPressMask | KeyPressMask | FocusChangeMask);
        if (parent != DefaultRootWindow(display_)) {
            XMapWindow(display_, window);  // shown together with the top-level window
        }
        classes_[window] = windowClass;
        titles_[window] = title;
        return window;
    }

    // A control the test asked to leave out is not created; its children go with it.
    bool Wanted(const char* windowClass) const { return options_.without != windowClass; }

    void SetTitle(Window window, const std::string& title) {
        if (title.empty()) {
            return;
        }
        // Dialogs carry only the legacy WM_NAME, in compound text, as older toolkits do.
        const bool legacy = options_.layout.starts_with("b-");
        char* list[] = {const_cast<char*>(title.c_str())};
        XTextProperty property{};
        if (Xutf8TextListToTextProperty(display_, list, 1,
                                        legacy ? XCompoundTextStyle : XUTF8StringStyle,
                                        &property) >= Success) {
            XSetWMName(display_, window, &property);
            XFree(property.value);
        }
        if (!legacy) {
            XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False), utf8_,
                            8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(title.data()),
                            static_cast<int>(title.size()));
        }
    }

    void BuildLayoutA() {
        const Window root = DefaultRootWindow(display_);
        top_ = Make(root, "StandardFrame", parties_.visitor + " - " + parties_.account, 40, 40, 400,
                    300);
        if (Wanted("SplitterBar")) {
            const Window splitter = Make(top_, "SplitterBar", "", 0, 0, 400, 250);
            if (Wanted("StandardWindow")) {
                Make(splitter, "StandardWindow", "history", 0, 0, 400, 150);
                const Window pane = Make(splitter, "StandardWindow", "", 0, 150, 400, 100);
                if (options_.layout == "a-html") {
                    if (Wanted("HtmlEditor")) {
                        const Window host = Make(pane, "HtmlEditor", "", 0, 0, 400, 100);
                        if (Wanted("Internet Explorer_Server")) {
                            input_ = Make(host, "Internet Explorer_Server", "", 0, 0, 400, 100);
                        }
                    }
                } else if (Wanted("RichEditComponent")) {
                    input_ = Make(pane, "RichEditComponent", "", 0, 0, 400, 100);
                }
            }
        }
        // A decoy of the send button's class under another title, ahead of the real one.
        Make(top_, "StandardButton", "关闭", 200, 260, 90, 30);
        if (Wanted("StandardButton")) {
            sendButton_ = Make(top_, "StandardButton", "发送", 300, 260, 90, 30);
        }
    }

    void BuildLayoutB() {
        const Window root = DefaultRootWindow(display_);
        const char* role = options_.layout == "b-stranger" ? " 【陌生人】 与 " : " 【客户】 与 ";
        top_ = Make(root, "#32770", parties_.visitor + role + parties_.account + " 的对话", 40, 40,
                    400, 300);
        // A button ahead of the input that must not be taken for the send button.
        Make(top_, "Button", "表情", 10, 10, 80, 30);
        if (Wanted("RichEdit20A")) {
            input_ = Make(top_, "RichEdit20A", "", 0, 50, 400, 150);
        }
        if (Wanted("Button")) {
            sendButton_ = Make(top_, "Button", "发送", 300, 260, 90, 30);
        }
    }

    void OnClick(Window window) {
        transcript_.Write("click", classes_[window] + "/" + titles_[window]);
        if (window == input_) {
            XSetInputFocus(display_, input_, RevertToParent, CurrentTime);
        } else if (window == sendButton_) {
            Send();
        }
    }

    void OnKey(XKeyEvent& key) {
        if (key.window != input_) {
            return;
        }
        const KeySym symbol = XLookupKeysym(&key, 0);
        if (symbol == XK_v && (key.state & ControlMask) != 0) {
            Paste();
        } else if (symbol == XK_Return || symbol == XK_KP_Enter) {
            Send();
        }
    }

    void Send() {
        if (!typed_.empty()) {
            transcript_.Write("sent", typed_);
            typed_.clear();
        }
    }

    // Reads the clipboard as the messenger does: it waits for the owner's answer before it
    // handles any further input.
    void Paste() {
        XConvertSelection(display_, clipboard_, utf8_, pasted_, input_, CurrentTime);
        XFlush(display_);
        XEvent reply;
        pollfd watched{ConnectionNumber(display_), POLLIN, 0};
        for (int waited = 0; waited < 100;) {
            if (XCheckTypedWindowEvent(display_, input_, SelectionNotify, &reply)) {
                if (reply.xselection.property == None) {
                    transcript_.Write("paste-refused");
                    return;
                }
                Atom type = None;
                int format = 0;
                unsigned long count = 0;
                unsigned long remaining = 0;
                unsigned char* data = nullptr;
                XGetWindowProperty(display_, input_, pasted_, 0, 1 << 16, True, AnyPropertyType,
                                   &type, &format, &count, &remaining, &data);
                const std::string text = data != nullptr
                                             ? std::string(reinterpret_cast<char*>(data), count)
                                             : std::string();
                if (data != nullptr) {
                    XFree(data);
                }
                transcript_.Write("paste", text);
                typed_ += text;
                return;
            }
            if (poll(&watched, 1, 50) == 0) {
                ++waited;
            }
        }
        transcript_.Write("paste-timeout");
    }

    Display* display_;
    const Options& options_;
    corvane::fake::ChatParties parties_;
    Transcript& transcript_;
    Atom utf8_;
    Atom deleteWindow_;
    Atom clipboard_;
    Atom pasted_;
    Window top_ = None;
    Window input_ = None;
    Window sendButton_ = None;
    std::map<Window, std::string> classes_;
    std::map<Window, std::string> titles_;
    std::string typed_;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc) {
                return false;
            }
            target = argv[++i];
            return true;
        };
        bool ok = true;
        if (argument == "--transcript") {
            ok = value(options.transcript);
        } else if (argument == "--layout") {
            ok = value(options.layout);
        } else if (argument == "--without") {
            ok = value(options.without);
        } else if (argument == "--show") {
            ok = value(options.show);
        } else {
            options.url = argument;
        }
        if (!ok) {
            return false;
        }
    }
    return !options.transcript.empty() && !options.url.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: fake-messenger --transcript FILE [--layout a-html|a-rich|"
                     "b-customer|b-stranger] [--without CLASS] [--show now|never|signal] URL\n");
        return 2;
    }
    // The handler is in place before the first transcript line, so a test that has seen
    // that line may signal.
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = OnShowSignal;
    sigaction(SIGUSR1, &action, nullptr);

    Transcript transcript(options.transcript);
    if (!transcript.ok()) {
        std::perror(options.transcript.c_str());
        return 1;
    }
    transcript.Write("url", options.url);
    const std::optional<corvane::fake::ChatParties> parties =
        corvane::fake::ParseChatUrl(options.url);
    if (!parties) {
        transcript.Write("bad-url");
        return 1;
    }
    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        transcript.Write("no-display");
        return 1;
    }
    ChatWindow chat(display.get(), options, *parties, transcript);
    bool shown = false;
    if (options.show == "now") {
        chat.Show();
        shown = true;
    }
    pollfd watched[2] = {{ConnectionNumber(display.get()), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
    for (;;) {
        while (XPending(display.get()) > 0) {
            XEvent event;
            XNextEvent(display.get(), &event);
            if (shown && !chat.Handle(event)) {
                return 0;
            }
        }
        if (poll(watched, 2, -1) < 0) {
            continue;
        }
        if ((watched[1].revents & POLLIN) != 0) {
            char drained[16];
            while (read(signalPipe[0], drained, sizeof drained) > 0) {
            }
            if (!shown && options.show == "signal") {
                chat.Show();
                shown = true;
            }
        }
    }
}
