// Uniformly distributed random integers for the steam display's pixel clouds,
// reseeded from the clock so that every frame flickers differently.
#pragma once

#include <cstdint>

#include <boost/random/taus88.hpp>

namespace tevrane {

// A seed that differs from call to call: the wall clock and the monotonic
// clock mixed together at their finest resolution.
std::uint64_t clockSeed();

class Random {
public:
    Random() { reseed(0); }
    explicit Random(std::uint64_t seed) { reseed(seed); }

    // The same seed always gives the same sequence.
    void reseed(std::uint64_t seed);
    void reseedFromClock() { reseed(clockSeed()); }

    // A uniform integer in [0, n). An empty or negative range (n <= 0) gives 0,
    // so geometry that collapses a range never draws outside it.
    int below(int n);

private:
    // A combined Tausworthe generator: three words of state, so reseeding
    // every frame and drawing some thousands of numbers stays cheap, with
    // no lines or lattices in the pixel clouds that a plain linear
    // congruential generator would show.
    boost::random::taus88 gen_;
};

}  // namespace tevrane
