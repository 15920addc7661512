// Sound output of the program: the exhaust beat and the error tone, played by
// file name, and the system's default beep. Drawing and logic code talks to
// this interface only; the window side supplies the real player.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tevrane {

// The volume as one 32-bit value: left channel in the low 16 bits, right
// channel in the high 16 bits, 0xFFFF on a channel is full volume.
inline constexpr std::uint32_t stereoVolume(std::uint32_t left, std::uint32_t right) {
    return (left & 0xFFFFu) | ((right & 0xFFFFu) << 16);
}
inline constexpr std::uint32_t leftVolume(std::uint32_t volume) { return volume & 0xFFFFu; }
inline constexpr std::uint32_t rightVolume(std::uint32_t volume) { return volume >> 16; }

// A player has one playback gain, not two, so it uses the mean of the two
// channels as a fraction of full volume (0 to 1).
inline constexpr double meanVolume(std::uint32_t volume) {
    return (static_cast<double>(leftVolume(volume)) + static_cast<double>(rightVolume(volume))) /
           (2.0 * 65535.0);
}

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing a WAV file from the current folder and returns at once.
    // A missing or unplayable file plays nothing and reports nothing.
    virtual void play(const std::string& fileName) = 0;
    // Volume of the program's own playback; see stereoVolume().
    virtual void setVolume(std::uint32_t volume) = 0;
    // The system's default beep.
    virtual void beep() = 0;
};

// Silence: for headless runs and for code that must not make a sound.
class NullSound : public SoundPlayer {
public:
    void play(const std::string&) override {}
    void setVolume(std::uint32_t) override {}
    void beep() override {}
};

// Remembers every request in order, so tests can check what would be heard.
class RecordingSound : public SoundPlayer {
public:
    struct Event {
        enum class Kind { Play, Volume, Beep };
        Kind kind = Kind::Play;
        std::string fileName;      // Play
        std::uint32_t volume = 0;  // Volume
    };

    void play(const std::string& fileName) override {
        events.push_back({Event::Kind::Play, fileName, 0});
        played.push_back(fileName);
    }
    void setVolume(std::uint32_t volume) override {
        events.push_back({Event::Kind::Volume, {}, volume});
        volumes.push_back(volume);
    }
    void beep() override {
        events.push_back({Event::Kind::Beep, {}, 0});
        ++beeps;
    }
    void reset() {
        events.clear();
        played.clear();
        volumes.clear();
        beeps = 0;
    }

    std::vector<Event> events;          // every request, in order
    std::vector<std::string> played;    // file names of play requests
    std::vector<std::uint32_t> volumes;  // volumes set
    int beeps = 0;
};

}  // namespace tevrane
