#include <gtest/gtest.h>

#include "core/WindowPlacement.h"

namespace corvane {
namespace {

TEST(WindowPlacementTest, CentresTheMainWindow) {
    EXPECT_EQ(CentredMainWindow(1024, 768), (WindowRect{112, 94, 912, 674}));
    EXPECT_EQ(CentredMainWindow(1365, 768).left, 282);
    // A desktop smaller than the window puts it partly off screen, as the halves say.
    EXPECT_EQ(CentredMainWindow(640, 480), (WindowRect{-80, -50, 720, 530}));
}

}  // namespace
}  // namespace corvane
