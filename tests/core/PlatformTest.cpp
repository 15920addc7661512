// The Qt-free platform helpers: the recording sound, the volume word and the
// random generator.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/Random.h"
#include "platform/Sound.h"

using namespace tevrane;

TEST(SoundVolume, ChannelsAndMean) {
    EXPECT_EQ(stereoVolume(0x8000, 0x8000), 0x80008000u);
    EXPECT_EQ(stereoVolume(0x1FFFF, 0), 0xFFFFu);  // a channel keeps 16 bits
    EXPECT_EQ(leftVolume(0x12345678u), 0x5678u);
    EXPECT_EQ(rightVolume(0x12345678u), 0x1234u);
    EXPECT_DOUBLE_EQ(meanVolume(0xFFFFFFFFu), 1.0);
    EXPECT_DOUBLE_EQ(meanVolume(0), 0.0);
    EXPECT_DOUBLE_EQ(meanVolume(0x0000FFFFu), 0.5);  // left only
    EXPECT_NEAR(meanVolume(stereoVolume(0x8000, 0x8000)), 0.5, 1e-4);
    EXPECT_NEAR(meanVolume(stereoVolume(0x0700, 0x0700)), 1792.0 / 65535.0, 1e-12);
}

TEST(RecordingSound, KeepsRequestsInOrder) {
    RecordingSound s;
    s.setVolume(0x80008000u);
    s.play("Exhaust.wav");
    s.beep();
    s.play("Error.wav");
    ASSERT_EQ(s.events.size(), 4u);
    EXPECT_EQ(s.events[0].kind, RecordingSound::Event::Kind::Volume);
    EXPECT_EQ(s.events[2].kind, RecordingSound::Event::Kind::Beep);
    EXPECT_EQ(s.played, (std::vector<std::string>{"Exhaust.wav", "Error.wav"}));
    EXPECT_EQ(s.volumes, (std::vector<std::uint32_t>{0x80008000u}));
    EXPECT_EQ(s.beeps, 1);
    s.reset();
    EXPECT_TRUE(s.events.empty());
    EXPECT_EQ(s.beeps, 0);
}

TEST(Random, RangeAndDegenerateRanges) {
    Random r(42);
    for (int k = 0; k < 2000; ++k) {
        const int v = r.below(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
    }
    EXPECT_EQ(r.below(0), 0);
    EXPECT_EQ(r.below(-5), 0);
    for (int k = 0; k < 100; ++k) ASSERT_EQ(r.below(1), 0);
}

TEST(Random, SameSeedSameSequenceOtherSeedOtherSequence) {
    Random a(12345);
    Random b(12345);
    Random c(12345ull + (1ull << 32));  // differs only in the high half
    std::vector<int> sa, sb, sc;
    for (int k = 0; k < 50; ++k) {
        sa.push_back(a.below(1000));
        sb.push_back(b.below(1000));
        sc.push_back(c.below(1000));
    }
    EXPECT_EQ(sa, sb);
    EXPECT_NE(sa, sc);
    a.reseed(12345);
    EXPECT_EQ(a.below(1000), sa[0]);
}

TEST(Random, ClockSeedsDifferBetweenCalls) {
    std::set<std::uint64_t> seeds;
    for (int k = 0; k < 100; ++k) seeds.insert(clockSeed());
    EXPECT_GT(seeds.size(), 90u);
    Random r;
    r.reseedFromClock();
    const int v = r.below(10);
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 10);
}
