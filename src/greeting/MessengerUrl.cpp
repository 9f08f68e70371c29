#include "greeting/MessengerUrl.h"

namespace corvane::greeting {

std::string MessengerUrl(int edition, std::string_view visitor, std::string_view account) {
    std::string url;
    if (edition == 0) {
        url.append("aliim:sendmsg?uid=cntaobao").append(account);
        url.append("&touid=cntaobao").append(visitor);
    } else {
        url.append("wangwang:SendIM?uid=").append(visitor);
        url.append("&suid=").append(account);
    }
    return url;
}

}  // namespace corvane::greeting
