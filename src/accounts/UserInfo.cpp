#include "accounts/UserInfo.h"

#include "store/FieldValue.h"

namespace corvane::accounts {

bool _CUserInfo::GreetsAutomatically() const {
    return store::ValueToInt(store::FieldValue::OfText(autosend)).value_or(0) != 0;
}

}  // namespace corvane::accounts
