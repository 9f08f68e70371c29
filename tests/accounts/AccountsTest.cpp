#include <gtest/gtest.h>

#include <map>

#include "accounts/AccountLoader.h"
#include "accounts/AccountOperations.h"
#include "store/AdoRecordSet.h"
#include "store/Statements.h"
#include "support/TempStore.h"

namespace corvane::accounts {
namespace {

// The tracking service's answers by account name; absent names are refused.
struct ServiceAnswers {
    std::map<std::string, std::string> webIds;
    std::vector<std::string> asked;

    WebIdLookup Lookup() {
        return [this](const std::string& name, const std::string&) -> std::optional<std::string> {
            asked.push_back(name);
            auto found = webIds.find(name);
            return found == webIds.end() ? std::nullopt : std::optional(found->second);
        };
    }
};

class AccountsTest : public ::testing::Test {
protected:
    AddAccountResult Add(const std::string& name, const std::string& password = "secret") {
        AccountForm form{name, password, "hello [username]", true};
        return AddAccount(store.connection, form, service.Lookup());
    }

    corvane::testing::TempStore store;
    ServiceAnswers service;
};

TEST_F(AccountsTest, AddStoresTheNameWithoutBlanksOnce) {
    service.webIds = {{"myshop", "4711"}};
    AccountForm form{" my shop ", "pw", "hi", false};
    const AddAccountResult added = AddAccount(store.connection, form, service.Lookup());
    EXPECT_EQ(added.outcome, AddAccountOutcome::Added);
    EXPECT_EQ(added.webId, "4711");
    EXPECT_EQ(form.name, "myshop");
    EXPECT_EQ(Add("my shop").outcome, AddAccountOutcome::AlreadyExists);

    store::CAdoRecordSet rows(&store.connection);
    ASSERT_TRUE(rows.Open(store::sql::kSelectAllAccounts));
    std::string name, webId, picId;
    bool greets = true;
    ASSERT_TRUE(rows.GetFieldText(1, name));
    ASSERT_TRUE(rows.GetFieldText(4, webId));
    ASSERT_TRUE(rows.GetFieldBool(6, greets));
    ASSERT_TRUE(rows.GetFieldText(10, picId));
    EXPECT_EQ(name, "myshop");
    EXPECT_EQ(webId, "4711");
    EXPECT_FALSE(greets);
    EXPECT_EQ(picId, "0");
    rows.MoveNext();
    EXPECT_TRUE(rows.IsEOF());
}

TEST_F(AccountsTest, AddRefusesBadInputAndServiceAnswers) {
    service.webIds = {{"empty", ""}, {"O'Brien", "12"}};
    EXPECT_EQ(Add("").outcome, AddAccountOutcome::EmptyName);
    EXPECT_EQ(Add("shop", "").outcome, AddAccountOutcome::EmptyPassword);
    EXPECT_EQ(Add("unknown").outcome, AddAccountOutcome::ServiceRefused);
    EXPECT_EQ(Add("empty").outcome, AddAccountOutcome::EmptyWebId);
    EXPECT_EQ(Add("O'Brien").outcome, AddAccountOutcome::Added);
    EXPECT_EQ(Add("O'Brien").outcome, AddAccountOutcome::AlreadyExists);
}

TEST_F(AccountsTest, LoadKeepsOnlyAccountsTheServiceConfirms) {
    service.webIds = {{"a", "123"}, {"b", "0123"}, {"c", "7"}};
    ASSERT_EQ(Add("a").outcome, AddAccountOutcome::Added);
    ASSERT_EQ(Add("b").outcome, AddAccountOutcome::Added);
    ASSERT_EQ(Add("c").outcome, AddAccountOutcome::Added);
    // The service now answers 0123 for the account stored with 123, and refuses c.
    service.webIds = {{"a", "0123"}, {"b", "0123"}};
    const std::vector<_CUserInfo> accounts = LoadAccounts(store.connection, service.Lookup());
    ASSERT_EQ(accounts.size(), 1u);
    EXPECT_EQ(accounts[0].username, "b");
    EXPECT_EQ(accounts[0].autosend, "1");
    EXPECT_TRUE(accounts[0].GreetsAutomatically());
    EXPECT_EQ(accounts[0].messageinfo, "hello [username]");
    EXPECT_EQ(service.asked.back(), "c") << "every account is asked, in registration order";
}

}  // namespace
}  // namespace corvane::accounts
