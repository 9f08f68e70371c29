#pragma once

#include <string>
#include <string_view>

namespace corvane::greeting {

// The URL that makes the messenger open a chat between the account and the visitor.
// Edition 0 is the "2008/2009版" messenger (aliim:), any other the "5.7版" (wangwang:). The
// names go in as they are: the messenger expects them unencoded.
std::string MessengerUrl(int edition, std::string_view visitor, std::string_view account);

}  // namespace corvane::greeting
