#include "launcher/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

// Two monitors side by side, each with a taskbar of 40 at the bottom.
const std::vector<ScreenRect> kScreens = {{0, 0, 1920, 1040}, {1920, 0, 3200, 984}};

std::string Placed(long long x, long long y, const std::vector<ScreenRect>& screens = kScreens)
{
    const auto place = PlaceOnScreen({x, y}, 600, 200, screens);
    return place ? std::to_string(place->x) + "," + std::to_string(place->y) : "centred";
}

}  // namespace

TEST(WindowPlacement, StaysWhereItWasMovesOntoTheNearestScreenOrOpensCentred)
{
    EXPECT_EQ(Placed(100, 100), "100,100");
    EXPECT_EQ(Placed(2000, 700), "2000,700");          // wholly on the second monitor
    EXPECT_EQ(Placed(1500, 100), "1320,100");          // mostly on the first: moved inside it
    EXPECT_EQ(Placed(1800, 100), "1920,100");          // mostly on the second: moved inside that one
    EXPECT_EQ(Placed(2000, 900), "2000,784");          // below the second one's taskbar edge
    EXPECT_EQ(Placed(-100, -50), "0,0");
    EXPECT_EQ(Placed(4294967295LL - 4294967296LL, 100000), "centred");  // Left stored as 4294967295 (-1)
    EXPECT_EQ(Placed(3200, 100), "centred");           // just right of every screen
    EXPECT_EQ(Placed(100, 100, {}), "centred");        // no monitor reported
    EXPECT_EQ(Placed(100, 100, {{0, 0, 400, 150}}), "0,0");  // larger than the screen: its corner shows
}
