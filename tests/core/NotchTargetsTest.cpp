// The one reading of the wanted cut-offs, shared by both windows and the
// command line.
#include <gtest/gtest.h>

#include "model/NotchTargets.h"

namespace tevrane {
namespace {

TEST(NotchTargets, ReadsCutOffsAndFullWithAnySeparatorAndWritesThemBack) {
    const auto t = parseNotchTargets(" 75, 62.5 40;10\t33.33% FULL ");
    ASSERT_TRUE(t);
    ASSERT_EQ(t->size(), 6u);
    EXPECT_EQ((*t)[0].cutOff, 75.0);
    EXPECT_EQ((*t)[1].cutOff, 62.5);
    EXPECT_EQ((*t)[4].cutOff, 33.33);
    for (size_t i = 0; i < 5; ++i) EXPECT_FALSE((*t)[i].fullGear) << i;
    EXPECT_TRUE(t->back().fullGear);
    const std::string text = notchTargetsText(*t);
    EXPECT_EQ(text, "75, 62.5, 40, 10, 33.33, full");
    // What is written reads back as the same targets.
    const auto again = parseNotchTargets(text);
    ASSERT_TRUE(again);
    ASSERT_EQ(again->size(), t->size());
    for (size_t i = 0; i < t->size(); ++i) {
        EXPECT_EQ((*again)[i].cutOff, (*t)[i].cutOff) << i;
        EXPECT_EQ((*again)[i].fullGear, (*t)[i].fullGear) << i;
    }
    EXPECT_EQ(notchTargetsText(defaultNotchTargets()), "75, 65, 50, 35, 25, full");
    EXPECT_EQ(notchTargetLabel({62.5, false}), "62.5 %");
    EXPECT_EQ(notchTargetLabel({0, true}), "full gear");
}

TEST(NotchTargets, RefusesWordsOutOfRangeAndAnEmptyListWhereOneIsNeeded) {
    // 100 is not a cut-off (the full gear is "full"); 0 and negatives are none.
    for (const char* bad : {"75, 5x", "0", "100", "101", "-5", "1.2.3", ".", "75, abc", "fulll", "1e1"})
        EXPECT_FALSE(parseNotchTargets(bad)) << bad;
    const auto none = parseNotchTargets(" , ");
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());

    std::vector<NotchTarget> kept = {{50, false}};
    for (const char* bad : {"", " , ", "100", "50x"}) EXPECT_FALSE(parseNotchTargets(bad, kept)) << bad;
    ASSERT_EQ(kept.size(), 1u);  // a refused text leaves the targets
    EXPECT_EQ(kept[0].cutOff, 50.0);
    ASSERT_TRUE(parseNotchTargets("99.99, full", kept));
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].cutOff, 99.99);
}

}  // namespace
}  // namespace tevrane
