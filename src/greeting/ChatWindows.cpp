#include "greeting/ChatWindows.h"

namespace corvane::greeting {
namespace {

using platform::DesktopAutomation;
using platform::kNoWindow;
using platform::WindowHandle;

constexpr std::string_view kFrameClass = "StandardFrame";
constexpr std::string_view kDialogClass = "#32770";

std::optional<ChatControls> FrameControls(DesktopAutomation& desktop, WindowHandle frame) {
    const WindowHandle button = desktop.FindChildWindow(frame, kNoWindow, "StandardButton", "发送");
    if (button == kNoWindow) {
        return std::nullopt;
    }
    const WindowHandle splitter =
        desktop.FindChildWindow(frame, kNoWindow, "SplitterBar", std::nullopt);
    if (splitter == kNoWindow) {
        return std::nullopt;
    }
    const WindowHandle historyPane =
        desktop.FindChildWindow(splitter, kNoWindow, "StandardWindow", std::nullopt);
    if (historyPane == kNoWindow) {
        return std::nullopt;
    }
    const WindowHandle inputPane =
        desktop.FindChildWindow(splitter, historyPane, "StandardWindow", std::nullopt);
    if (inputPane == kNoWindow) {
        return std::nullopt;
    }
    const WindowHandle host =
        desktop.FindChildWindow(inputPane, kNoWindow, "HtmlEditor", std::nullopt);
    const WindowHandle input =
        host != kNoWindow
            ? desktop.FindChildWindow(host, kNoWindow, "Internet Explorer_Server", std::nullopt)
            : desktop.FindChildWindow(inputPane, kNoWindow, "RichEditComponent", std::nullopt);
    if (input == kNoWindow) {
        return std::nullopt;
    }
    return ChatControls{frame, input, button};
}

std::optional<ChatControls> DialogControls(DesktopAutomation& desktop, WindowHandle dialog) {
    const WindowHandle input =
        desktop.FindChildWindow(dialog, kNoWindow, "RichEdit20A", std::nullopt);
    if (input == kNoWindow) {
        return std::nullopt;
    }
    const WindowHandle button = desktop.FindChildWindow(dialog, input, "Button", std::nullopt);
    if (button == kNoWindow) {
        return std::nullopt;
    }
    return ChatControls{dialog, input, button};
}

WindowHandle FindDialog(DesktopAutomation& desktop, std::string_view visitor,
                        std::string_view account) {
    const WindowHandle customer =
        desktop.FindTopLevelWindow(kDialogClass, CustomerDialogTitle(visitor, account));
    if (customer != kNoWindow) {
        return customer;
    }
    return desktop.FindTopLevelWindow(kDialogClass, StrangerDialogTitle(visitor, account));
}

}  // namespace

std::string FrameTitle(std::string_view visitor, std::string_view account) {
    return std::string(visitor).append(" - ").append(account);
}

std::string CustomerDialogTitle(std::string_view visitor, std::string_view account) {
    return std::string(visitor).append(" 【客户】 与 ").append(account).append(" 的对话");
}

std::string StrangerDialogTitle(std::string_view visitor, std::string_view account) {
    return std::string(visitor).append(" 【陌生人】 与 ").append(account).append(" 的对话");
}

WindowHandle FindChatWindow(DesktopAutomation& desktop, std::string_view visitor,
                            std::string_view account) {
    const WindowHandle frame =
        desktop.FindTopLevelWindow(kFrameClass, FrameTitle(visitor, account));
    return frame != kNoWindow ? frame : FindDialog(desktop, visitor, account);
}

std::optional<ChatControls> FindChatControls(DesktopAutomation& desktop, std::string_view visitor,
                                             std::string_view account) {
    const WindowHandle frame =
        desktop.FindTopLevelWindow(kFrameClass, FrameTitle(visitor, account));
    if (frame != kNoWindow) {
        return FrameControls(desktop, frame);
    }
    const WindowHandle dialog = FindDialog(desktop, visitor, account);
    if (dialog == kNoWindow) {
        return std::nullopt;
    }
    return DialogControls(desktop, dialog);
}

}  // namespace corvane::greeting
