#include <gtest/gtest.h>

#include "accounts/SettingsStore.h"
#include "accounts/SystemSettings.h"
#include "store/Database.h"
#include "support/TempStore.h"

namespace corvane::accounts {
namespace {

TEST(SettingsStoreTest, LoadRaisesIntervalsToTheirBounds) {
    corvane::testing::TempStore store;
    ASSERT_TRUE(store::ExecuteSql(store.connection,
                                  "update [sysseting] set [reflashtime] = 10, [sendsteptime] = 0, "
                                  "[wangwangedition] = 2, [clienttip] = 0, [playsound] = 1"));
    SystemSettings settings;
    ASSERT_TRUE(LoadSystemSettings(store.connection, settings));
    EXPECT_EQ(settings.reflashtime, 20);
    EXPECT_EQ(settings.sendsteptime, 5);
    EXPECT_EQ(settings.wangwangedition, 2);
    EXPECT_EQ(settings.clienttip, 0);
    EXPECT_EQ(settings.playsound, 1);
}

TEST(SettingsStoreTest, SavedSettingsReadBackAndAMissingRowIsReported) {
    corvane::testing::TempStore store;
    SystemSettings saved;
    saved.reflashtime = 300;
    saved.sendsteptime = 1;
    saved.autorun = 1;
    ASSERT_TRUE(SaveSystemSettings(store.connection, saved));
    SystemSettings loaded;
    ASSERT_TRUE(LoadSystemSettings(store.connection, loaded));
    EXPECT_EQ(loaded.reflashtime, 300);
    EXPECT_EQ(loaded.sendsteptime, 5);
    EXPECT_EQ(loaded.autorun, 1);

    ASSERT_TRUE(store::ExecuteSql(store.connection, "delete from [sysseting]"));
    SystemSettings defaults;
    EXPECT_FALSE(LoadSystemSettings(store.connection, defaults));
    EXPECT_EQ(defaults.reflashtime, 30);
    EXPECT_EQ(defaults.guesttip, 1);
    EXPECT_FALSE(SaveSystemSettings(store.connection, saved)) << "nothing was written";
}

}  // namespace
}  // namespace corvane::accounts
