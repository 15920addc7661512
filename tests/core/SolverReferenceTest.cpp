// Every stored result of a full solve, bit for bit, against the reference
// table written from a solver known to be right (see SolverReference.h).
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "SolverReference.h"

using namespace tevrane;

namespace {

std::vector<std::uint64_t> readTable() {
    std::ifstream in(TEVRANE_TEST_DATA_DIR "/solver_reference.bin", std::ios::binary);
    std::vector<std::uint64_t> table;
    unsigned char b[8];
    while (in.read(reinterpret_cast<char*>(b), 8)) {
        std::uint64_t h = 0;
        for (int i = 7; i >= 0; --i) h = (h << 8) | b[i];
        table.push_back(h);
    }
    return table;
}

TEST(SolverReference, EveryCaseMatchesTheReferenceBitForBit) {
    const std::vector<std::uint64_t> table = readTable();
    ASSERT_EQ(table.size(), static_cast<size_t>(reference::kCaseCount));
    int differing = 0, clamped = 0;
    for (int k = 0; k < reference::kCaseCount; ++k) {
        Model m;
        reference::makeCase(k, m);
        solveAll(m);
        if (m.solverError) ++clamped;
        if (reference::fingerprint(m) != table[static_cast<size_t>(k)]) {
            if (++differing <= 5) ADD_FAILURE() << "case " << k << " differs";
        }
    }
    EXPECT_EQ(differing, 0);
    // The cases reach the clamps as well as the ordinary working range.
    EXPECT_GT(clamped, 50);
    EXPECT_LT(clamped, reference::kCaseCount / 2);
}

// The pure solve is what the tick stores: the same bits, and the engine it
// was given is left untouched.
TEST(SolverReference, PureSolveAgreesWithTheTickAndWritesNothing) {
    for (int k = 0; k < 256; ++k) {
        Model m;
        reference::makeCase(k, m);
        const Engine before = m;
        const GearSolution g = solveGear(m, m.driverAngle, m.revArmPos);
        EXPECT_EQ(std::memcmp(&before, static_cast<const Engine*>(&m), sizeof(Engine)), 0) << k;
        solveAll(m);
        EXPECT_EQ(std::memcmp(g.linkage.pivotX, m.pivotX, sizeof m.pivotX), 0) << k;
        EXPECT_EQ(std::memcmp(g.linkage.pivotY, m.pivotY, sizeof m.pivotY), 0) << k;
        EXPECT_EQ(std::memcmp(&g.ports.pistonTrace, &m.pistonTrace, sizeof(float)), 0) << k;
        EXPECT_EQ(g.clamps() > 0 && m.errorBeep, m.solverError) << k;
    }
}

}  // namespace
