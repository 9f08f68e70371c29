#include "accounts/AccountOperations.h"

#include <algorithm>

#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Database.h"
#include "store/Statements.h"
#include "store/StoreTransaction.h"

namespace corvane::accounts {

AddAccountResult AddAccount(store::CAdoConnection& connection, AccountForm& form,
                            const WebIdLookup& lookupWebId) {
    AddAccountResult result;
    if (form.name.empty()) {
        result.outcome = AddAccountOutcome::EmptyName;
        return result;
    }
    std::erase(form.name, ' ');
    if (form.password.empty()) {
        result.outcome = AddAccountOutcome::EmptyPassword;
        return result;
    }
    const std::optional<std::string> webId = lookupWebId(form.name, form.password);
    if (!webId) {
        result.outcome = AddAccountOutcome::ServiceRefused;
        return result;
    }
    if (webId->empty()) {
        result.outcome = AddAccountOutcome::EmptyWebId;
        return result;
    }
    result.webId = *webId;

    store::StoreTransaction transaction(connection);
    store::CAdoRecordSet existing(&connection);
    if (!transaction.Active() || !existing.Open(store::sql::kSelectAccountByName, {form.name})) {
        result.outcome = AddAccountOutcome::StoreFailed;
        return result;
    }
    if (!existing.IsEOF()) {
        result.outcome = AddAccountOutcome::AlreadyExists;
        return result;
    }
    existing.Close();
    const std::string filler = kReservedFiller;
    const bool stored =
        store::ExecuteSql(connection, store::sql::kInsertAccount,
                          {form.name, filler, form.password, *webId, form.greetingTemplate,
                           std::int64_t{form.greetAutomatically ? 1 : 0}, filler, filler, filler,
                           std::string(kReservedPicId)}) &&
        transaction.Commit();
    result.outcome = stored ? AddAccountOutcome::Added : AddAccountOutcome::StoreFailed;
    return result;
}

}  // namespace corvane::accounts
