#pragma once

#include <vector>

#include "accounts/UserInfo.h"
#include "accounts/WebIdLookup.h"

namespace corvane::store {
class CAdoConnection;
}

namespace corvane::accounts {

// The accounts to monitor, in registration order: every stored account whose columns read
// and whose stored web id the tracking service confirms, compared as whole text. Accounts
// that are not confirmed are left out silently.
std::vector<_CUserInfo> LoadAccounts(store::CAdoConnection& connection,
                                     const WebIdLookup& lookupWebId);

}  // namespace corvane::accounts
