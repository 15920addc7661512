#include "platform/Random.h"

#include <chrono>
#include <random>
#include <type_traits>

namespace tevrane {

std::uint64_t clockSeed() {
    const auto wall = static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count());
    const auto mono = static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    // splitmix64 finaliser: nearby clock readings give unrelated seeds.
    std::uint64_t z = wall ^ (mono * 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void Random::reseed(std::uint64_t seed) {
    // Both halves of the seed reach the generator's state.
    std::seed_seq seq{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    gen_.seed(seq);
}

int Random::below(int n) {
    if (n <= 0) return 0;
    // The 32 random bits scaled to [0, n) by one multiplication: the skew
    // is below n / 2^32, far too small to show in a cloud of pixels, and
    // there is no division per number.
    static_assert(std::is_same_v<boost::random::taus88::result_type, std::uint32_t>);
    const std::uint64_t bits = gen_();
    return static_cast<int>((bits * static_cast<std::uint32_t>(n)) >> 32);
}

}  // namespace tevrane
