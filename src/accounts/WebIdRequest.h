#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "net/ServiceEndpoints.h"
#include "net/WinHttpEx.h"

namespace corvane::accounts {

// The service knows member names of at most this many GBK bytes; longer ones are cut at a
// character boundary.
inline constexpr std::size_t kMaxMemberNameBytes = 99;
inline constexpr int kWebIdAttempts = 3;

// The web id in an answer of the web id service: everything after the first "+OK ", to the
// end, nothing trimmed (it may be empty). nullopt when the answer holds no "+OK ".
std::optional<std::string> ParseWebIdAnswer(std::string_view answer);

// Asks the tracking service for the web id of an account (UTF-8 name and password). Both
// go out as their GBK bytes, percent-encoded. Up to three attempts, one right after the
// other. nullopt when no attempt got an answer or the answer is a refusal. Blocking; gives up
// early while `*cancel` is true.
std::optional<std::string> GetWebID(const net::ServiceEndpoints& service,
                                    std::string_view accountName, std::string_view password,
                                    const net::HttpLimits& limits = {},
                                    const std::atomic<bool>* cancel = nullptr);

}  // namespace corvane::accounts
