#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/DesktopAutomation.h"

namespace corvane::greeting {

// The messenger shows a chat in one of two layouts. A: a "StandardFrame" titled
// "visitor - account" whose "SplitterBar" holds the history pane and the input pane, and a
// "StandardButton" "发送". B: a "#32770" dialog titled for a customer or a stranger with a
// "RichEdit20A" input followed by its send "Button".
std::string FrameTitle(std::string_view visitor, std::string_view account);
std::string CustomerDialogTitle(std::string_view visitor, std::string_view account);
std::string StrangerDialogTitle(std::string_view visitor, std::string_view account);

// The chat window for the pair: the layout-A frame, else the customer dialog, else the
// stranger dialog.
platform::WindowHandle FindChatWindow(platform::DesktopAutomation& desktop,
                                      std::string_view visitor, std::string_view account);

struct ChatControls {
    platform::WindowHandle window = platform::kNoWindow;
    platform::WindowHandle input = platform::kNoWindow;
    platform::WindowHandle sendButton = platform::kNoWindow;
};

// The chat window with its input and send button. A layout-A frame is used whenever one
// exists, even when a control is missing in it; nullopt at the first missing control.
std::optional<ChatControls> FindChatControls(platform::DesktopAutomation& desktop,
                                             std::string_view visitor, std::string_view account);

}  // namespace corvane::greeting
