// The steam display of the main picture: steam pixels in the chest, the
// cylinder ends, the passages and the exhaust, its legend and the exhaust
// beats. The renderer calls it right after the picture is created, before the
// mechanism, so the gear is drawn over the steam.
//
// Split like the rest of the picture: advanceSteam runs in the frame step
// (phases, densities, pixel budgets, the beats and their volume, the frame's
// random seed), drawSteam only reads, so the same frame drawn twice gives the
// same picture.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Canvas.h"

namespace tevrane {

struct Model;
class RendererHost;

// The steam densities stay within these bounds.
inline constexpr float kMinSteamDensity = 25.0f;
inline constexpr float kMaxSteamDensity = 2000.0f;

// One cylinder end; every field starts at zero.
struct SteamEnd {
    // 'E' once the steam port has been open, 'C' once the exhaust port has
    // been open, 0 before either.
    char phase = 0;
    // Colour of this frame's phase: red admission, magenta expansion, blue
    // exhaust, green compression, black before the first port opening.
    Colour colour = colours::black;
    float density = 0;          // amount of steam shown, kMin..kMaxSteamDensity
    std::int32_t pixels = 0;    // pixel budget of the end's layers
    bool exhaustArmed = false;  // the exhaust was lapped; its next opening beats
    float beatDensity = 0;      // density at this end's last exhaust beat
};

struct SteamState {
    SteamEnd front, rear;
    // Seed of this frame's pixel clouds, new from the clock every frame.
    std::uint64_t seed = 0;
    // Whether the slanted passages or the plume met a zero height last frame,
    // so a degenerate view beeps once rather than on every frame.
    bool passageFlat = false;
    bool plumeFlat = false;
};

// The frame step of the steam display, run only while it is switched on:
// phases, densities and pixel budgets of both ends, the exhaust beats with
// their volume, the error beep of a flat passage or plume, and a new seed
// from the clock.
void advanceSteam(const Model& m, SteamState& st, RendererHost& host);
// The same with a given seed, so a test can draw a known picture.
void advanceSteam(const Model& m, SteamState& st, RendererHost& host, std::uint64_t seed);

// Draws the steam of this frame: live steam, both cylinder ends, both
// exhausts and, with the screen data on, the legend.
void drawSteam(const Model& m, const SteamState& st, Canvas& c);

// Volume of the exhaust beat (per channel, both alike) for the density w
// stored at the other end's last beat; nothing for a density outside the
// table, which leaves the volume as it is.
std::optional<std::uint32_t> beatVolume(std::int32_t w);

}  // namespace tevrane
