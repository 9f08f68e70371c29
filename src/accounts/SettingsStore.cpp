#include "accounts/SettingsStore.h"

#include <algorithm>

#include "accounts/SystemSettings.h"
#include "store/AdoConnection.h"
#include "store/AdoRecordSet.h"
#include "store/Statements.h"

namespace corvane::accounts {
namespace {

void ApplyLowerBounds(SystemSettings& settings) {
    settings.reflashtime = std::max(settings.reflashtime.load(), kMinRefreshSeconds);
    settings.sendsteptime = std::max(settings.sendsteptime.load(), kMinSendStepSeconds);
}

}  // namespace

bool LoadSystemSettings(store::CAdoConnection& connection, SystemSettings& settings) {
    store::CAdoRecordSet row(&connection);
    if (!row.Open(store::sql::kSelectSettings) || row.IsEOF()) {
        return false;
    }
    bool flag = false;
    int number = 0;
    const auto readFlag = [&](int column, std::atomic<int>& field) {
        if (row.GetFieldBool(column, flag)) {
            field = flag ? 1 : 0;
        }
    };
    const auto readNumber = [&](int column, std::atomic<int>& field) {
        if (row.GetFieldInt(column, number)) {
            field = number;
        }
    };
    readFlag(1, settings.autorun);
    readFlag(2, settings.clienttip);
    readNumber(3, settings.reflashtime);
    readNumber(4, settings.sendsteptime);
    readNumber(6, settings.wangwangedition);
    readFlag(7, settings.guesttip);
    readFlag(8, settings.playsound);
    ApplyLowerBounds(settings);
    return true;
}

bool SaveSystemSettings(store::CAdoConnection& connection, SystemSettings& settings) {
    ApplyLowerBounds(settings);
    const auto value = [](const std::atomic<int>& field) -> store::SqlValue {
        return std::int64_t{field.load()};
    };
    std::lock_guard lock(connection.Mutex());
    return connection.Execute(
               store::sql::kUpdateSettings,
               {value(settings.autorun), value(settings.clienttip), value(settings.reflashtime),
                value(settings.sendsteptime), std::string("NULL"), value(settings.wangwangedition),
                value(settings.guesttip), value(settings.playsound)}) &&
           connection.ChangedRows() == 1;
}

}  // namespace corvane::accounts
