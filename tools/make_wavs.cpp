// Writes the program's two sound files, "Error.wav" and "Exhaust.wav", into
// the folder given on the command line. Both are synthesised here, from fixed
// parameters and a fixed noise seed, so every run writes the same bytes.
//
//   make_wavs <folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "model/Format.h"

namespace {

constexpr int kRate = 22050;  // samples per second, mono, 16-bit

void put16(std::vector<char>& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void put32(std::vector<char>& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}

void putTag(std::vector<char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// Samples in [-1, 1] to 16-bit PCM, clipped.
std::int16_t toPcm(double s) { return static_cast<std::int16_t>(tevrane::toInt(s * 32767.0, 32767)); }

bool writeWav(const std::string& path, const std::vector<double>& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<char> out;
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);     // PCM header size
    put16(out, 1);      // PCM
    put16(out, 1);      // mono
    put32(out, kRate);  // sample rate
    put32(out, kRate * 2);  // bytes per second
    put16(out, 2);      // block align
    put16(out, 16);     // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (double s : samples) put16(out, static_cast<std::uint16_t>(toPcm(s)));

    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(f);
}

// Ramps in and out over a few milliseconds so the tone does not click.
double edge(int i, int n, int ramp) {
    if (i < ramp) return static_cast<double>(i) / ramp;
    if (n - 1 - i < ramp) return static_cast<double>(n - 1 - i) / ramp;
    return 1.0;
}

// A square-ish tone: a sine driven into soft clipping, which keeps the
// buzz of a square wave without its harsh edges.
void appendTone(std::vector<double>& out, double hz, int n, double level) {
    const int ramp = kRate / 200;  // 5 ms
    for (int i = 0; i < n; ++i) {
        const double phase = 2.0 * std::numbers::pi * hz * i / kRate;
        const double shaped = std::tanh(4.0 * std::sin(phase)) / std::tanh(4.0);
        out.push_back(level * shaped * edge(i, n, ramp));
    }
}

// The error tone: two descending tones, a quarter of a second in all.
std::vector<double> errorTone() {
    std::vector<double> s;
    appendTone(s, 880.0, kRate * 11 / 100, 0.45);    // 0.11 s
    appendTone(s, 587.33, kRate * 14 / 100, 0.45);   // 0.14 s
    return s;
}

// One exhaust beat: white noise through two low-pass stages, with a fast
// attack and an exponential decay - the chuff of steam leaving the chimney.
std::vector<double> exhaustBeat() {
    const int n = kRate * 18 / 100;  // 0.18 s
    const double attack = 0.004 * kRate;  // 4 ms
    const double decay = 0.035 * kRate;   // time constant 35 ms
    // One-pole low-pass coefficient for a corner near 900 Hz.
    const double alpha = 1.0 - std::exp(-2.0 * std::numbers::pi * 900.0 / kRate);

    std::uint32_t state = 0x2545F491u;  // fixed seed: the same file every run
    auto noise = [&state]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483647.5 - 1.0;
    };

    std::vector<double> s(static_cast<std::size_t>(n));
    double lp1 = 0.0;
    double lp2 = 0.0;
    for (int i = 0; i < n; ++i) {
        lp1 += alpha * (noise() - lp1);
        lp2 += alpha * (lp1 - lp2);
        const double env = i < attack ? i / attack : std::exp(-(i - attack) / decay);
        s[static_cast<std::size_t>(i)] = lp2 * env;
    }
    // Fade the tail to exact silence and bring the peak to a set level.
    const int tail = kRate / 100;
    for (int i = 0; i < tail; ++i) s[static_cast<std::size_t>(n - 1 - i)] *= static_cast<double>(i) / tail;
    double peak = 0.0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    if (peak > 0.0)
        for (double& v : s) v *= 0.8 / peak;
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_wavs <folder>\n";
        return 2;
    }
    const std::string folder = argv[1];
    const std::string sep = (!folder.empty() && folder.back() == '/') ? "" : "/";
    bool ok = true;
    for (const auto& [name, samples] :
         {std::pair<std::string, std::vector<double>>{"Error.wav", errorTone()},
          std::pair<std::string, std::vector<double>>{"Exhaust.wav", exhaustBeat()}}) {
        const std::string path = folder + sep + name;
        if (writeWav(path, samples)) {
            std::cout << path << ": " << samples.size() << " samples\n";
        } else {
            std::cerr << "cannot write " << path << "\n";
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
