#include "accounts/AccountLoader.h"

#include "store/AdoRecordSet.h"
#include "store/Statements.h"

namespace corvane::accounts {
namespace {

bool ReadAccount(const store::CAdoRecordSet& row, _CUserInfo& account) {
    bool greets = false;
    const bool complete =
        row.GetFieldText(4, account.webid) && row.GetFieldText(1, account.username) &&
        row.GetFieldText(2, account.userename) && row.GetFieldText(3, account.password) &&
        row.GetFieldBool(6, greets) && row.GetFieldText(5, account.messageinfo) &&
        row.GetFieldText(7, account.tpass) && row.GetFieldText(8, account.tbsmailname) &&
        row.GetFieldText(9, account.tbid) && row.GetFieldText(10, account.picid);
    account.autosend.assign(1, greets ? '1' : '0');
    return complete;
}

}  // namespace

std::vector<_CUserInfo> LoadAccounts(store::CAdoConnection& connection,
                                     const WebIdLookup& lookupWebId) {
    std::vector<_CUserInfo> stored;
    {
        store::CAdoRecordSet rows(&connection);
        if (!rows.Open(store::sql::kSelectAccountsForMonitor)) {
            return {};
        }
        for (; !rows.IsEOF(); rows.MoveNext()) {
            _CUserInfo account;
            if (ReadAccount(rows, account)) {
                stored.push_back(std::move(account));
            }
        }
    }
    // The confirmations are network requests: they run after the rows are read, so the
    // store is not held while the service answers.
    std::vector<_CUserInfo> confirmed;
    for (_CUserInfo& account : stored) {
        const std::optional<std::string> webId = lookupWebId(account.username, account.password);
        if (webId && !webId->empty() && *webId == account.webid) {
            confirmed.push_back(std::move(account));
        }
    }
    return confirmed;
}

}  // namespace corvane::accounts
