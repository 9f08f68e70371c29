#include <cstdio>
#include <cstring>
#include <string>

#include "accounts/AccountMessages.h"
#include "accounts/AccountOperations.h"
#include "accounts/WebIdRequest.h"
#include "app/cli/Commands.h"
#include "core/StoreStartup.h"
#include "net/ServiceEndpoints.h"
#include "platform/Paths.h"
#include "store/AdoConnection.h"

namespace corvane::cli {
namespace {

int Usage() {
    std::fprintf(stderr, "usage: corvane-cli account add NAME PASSWORD [--greet TEMPLATE]\n");
    return 2;
}

}  // namespace

int RunAccount(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[0], "add") != 0) {
        return Usage();
    }
    accounts::AccountForm form{argv[1], argv[2], std::string(accounts::kDefaultGreetingTemplate),
                               false};
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--greet") == 0 && i + 1 < argc) {
            form.greetingTemplate = argv[++i];
            form.greetAutomatically = true;
        } else {
            return Usage();
        }
    }
    const std::filesystem::path databasePath = paths::DatabasePath(paths::DataDirectory());
    store::CAdoConnection connection;
    if (!PrepareStore(connection, databasePath)) {
        std::fprintf(stderr, "corvane-cli: cannot open the store %s\n", databasePath.c_str());
        return 1;
    }
    const net::ServiceEndpoints endpoints;
    const accounts::AddAccountResult result = accounts::AddAccount(
        connection, form, [&endpoints](const std::string& name, const std::string& password) {
            return accounts::GetWebID(endpoints, name, password);
        });
    if (result.outcome != accounts::AddAccountOutcome::Added) {
        const std::string_view message = accounts::AddAccountMessage(result.outcome);
        std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
        return 1;
    }
    std::printf("account %s added, web id %s\n", form.name.c_str(), result.webId.c_str());
    return 0;
}

}  // namespace corvane::cli
