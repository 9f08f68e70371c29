#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::fake {

struct ChatParties {
    std::string visitor;
    std::string account;
};

// The two parties of a messenger URL: "aliim:sendmsg?uid=cntaobao<account>&touid=cntaobao
// <visitor>" or "wangwang:SendIM?uid=<visitor>&suid=<account>". nullopt for anything else.
inline std::optional<ChatParties> ParseChatUrl(std::string_view url) {
    auto valueOf = [&](std::string_view key) -> std::optional<std::string_view> {
        const std::size_t query = url.find('?');
        if (query == std::string_view::npos) {
            return std::nullopt;
        }
        std::string_view rest = url.substr(query + 1);
        while (!rest.empty()) {
            const std::size_t end = rest.find('&');
            const std::string_view pair = rest.substr(0, end);
            if (pair.substr(0, key.size() + 1) == std::string(key) + "=") {
                return pair.substr(key.size() + 1);
            }
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        }
        return std::nullopt;
    };
    constexpr std::string_view kTaobao = "cntaobao";
    if (url.starts_with("aliim:sendmsg?")) {
        const auto account = valueOf("uid");
        const auto visitor = valueOf("touid");
        if (!account || !visitor || !account->starts_with(kTaobao) ||
            !visitor->starts_with(kTaobao)) {
            return std::nullopt;
        }
        return ChatParties{std::string(visitor->substr(kTaobao.size())),
                           std::string(account->substr(kTaobao.size()))};
    }
    if (url.starts_with("wangwang:SendIM?")) {
        const auto visitor = valueOf("uid");
        const auto account = valueOf("suid");
        if (!visitor || !account) {
            return std::nullopt;
        }
        return ChatParties{std::string(*visitor), std::string(*account)};
    }
    return std::nullopt;
}

}  // namespace corvane::fake
