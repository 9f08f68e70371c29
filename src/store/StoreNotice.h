#pragma once

#include <functional>
#include <string_view>

namespace corvane::store {

// The store shows nothing itself. A reader that finds its record set closed asks this
// handler, installed by the UI, to tell the user; without one the notice is dropped.
using NoticeHandler = std::function<void(std::string_view caption, std::string_view text)>;

void SetNoticeHandler(NoticeHandler handler);
void ShowStoreNotice(std::string_view caption, std::string_view text);

inline constexpr std::string_view kNoticeCaption = "提示";
inline constexpr std::string_view kDisconnectedNotice =
    "数据库可能已经断开,\r\n请重新连接、然后重试.";

}  // namespace corvane::store
