#pragma once

#include <string>

#include "accounts/WebIdLookup.h"

namespace corvane::store {
class CAdoConnection;
}

namespace corvane::accounts {

// What the owner typed for an account.
struct AccountForm {
    std::string name;
    std::string password;
    std::string greetingTemplate;
    bool greetAutomatically = true;
};

enum class AddAccountOutcome {
    Added,
    EmptyName,
    EmptyPassword,
    ServiceRefused,  // unreachable, or no "+OK " answer
    EmptyWebId,
    AlreadyExists,
    StoreFailed,  // the store could not be read or written: nothing was stored
};

struct AddAccountResult {
    AddAccountOutcome outcome = AddAccountOutcome::StoreFailed;
    std::string webId;
};

// Registers an account: blanks are removed from the name (in `form` too), the tracking
// service is asked for the web id, and the account is stored unless its name exists.
// Stopping and restarting monitoring around it is the caller's business.
AddAccountResult AddAccount(store::CAdoConnection& connection, AccountForm& form,
                            const WebIdLookup& lookupWebId);

// The fixed texts written into the reserved columns of every account.
inline constexpr const char* kReservedFiller = "corvane";
inline constexpr const char* kReservedPicId = "0";

}  // namespace corvane::accounts
