#pragma once

#include <string>

namespace corvane::accounts {

// One account being monitored, as the monitor thread loads it. All text; `autosend` is
// "1" when the account's new visitors are greeted automatically, else "0".
struct _CUserInfo {
    std::string webid;
    std::string username;
    std::string password;
    std::string tbsmailname;
    std::string tpass;
    std::string userename;
    std::string autosend = "0";
    std::string messageinfo;
    std::string tbid;
    std::string picid;

    bool GreetsAutomatically() const;
};

}  // namespace corvane::accounts
