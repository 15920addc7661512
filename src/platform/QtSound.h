// Sound output through Qt Multimedia: each WAV file is loaded once into its
// own sound effect and played asynchronously from then on.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "platform/Sound.h"

class QSoundEffect;

namespace tevrane {

class QtSound : public SoundPlayer {
public:
    QtSound();
    ~QtSound() override;
    QtSound(const QtSound&) = delete;
    QtSound& operator=(const QtSound&) = delete;

    // Plays fileName from the current folder. Like the system's asynchronous
    // playback, a new sound stops the one still playing. Without the file or
    // without an audio output nothing happens.
    void play(const std::string& fileName) override;
    // Scales the program's own playback only, never the device's master volume.
    void setVolume(std::uint32_t volume) override;
    void beep() override;

    std::uint32_t volume() const { return volume_; }
    // How many files have a sound effect loaded: one per file played on a
    // machine with sound output, none without.
    std::size_t loadedSounds() const { return effects_.size(); }

private:
    // Sound effects by absolute file path, so a change of the current folder
    // cannot play a stale file.
    std::map<std::string, std::unique_ptr<QSoundEffect>> effects_;
    // Full volume on both channels until told otherwise.
    std::uint32_t volume_ = 0xFFFFFFFFu;
};

}  // namespace tevrane
