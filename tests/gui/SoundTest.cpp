// The Qt sound player: nothing to play loads nothing, a file is loaded once,
// and the volume it is given is the one it keeps.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QAudioDevice>
#include <QTemporaryDir>

#include <cstdint>

#include "platform/QtSound.h"

using namespace tevrane;

namespace {

// A valid 0.05 s mono 16-bit WAV of silence.
QByteArray silentWav() {
    const std::uint32_t rate = 22050;
    const std::uint32_t samples = rate / 20;
    const std::uint32_t dataBytes = samples * 2;
    QByteArray out;
    auto u32 = [&out](std::uint32_t v) {
        for (int k = 0; k < 4; ++k) out.append(static_cast<char>((v >> (8 * k)) & 0xFF));
    };
    auto u16 = [&out](std::uint16_t v) {
        out.append(static_cast<char>(v & 0xFF));
        out.append(static_cast<char>(v >> 8));
    };
    out.append("RIFF");
    u32(36 + dataBytes);
    out.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.append("data");
    u32(dataBytes);
    out.append(QByteArray(static_cast<qsizetype>(dataBytes), '\0'));
    return out;
}

}  // namespace

bool soundOutput() { return !QMediaDevices::defaultAudioOutput().isNull(); }

TEST(QtSound, MissingFileEmptyNameAndFolderLoadNothing) {
    QtSound sound;
    sound.play("NoSuchSound.wav");
    sound.play("NoSuchSound.wav");  // again, from the same state
    sound.play("");
    sound.play("/");  // a folder, not a file
    QCoreApplication::processEvents();
    EXPECT_EQ(sound.loadedSounds(), 0u);
    // Nothing played changes the volume: full on both channels.
    EXPECT_EQ(sound.volume(), stereoVolume(0xFFFF, 0xFFFF));
}

TEST(QtSound, AFileIsLoadedOnceWhateverItsNameAndTheVolumeIsKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QFile f(dir.filePath("Beat.wav"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(silentWav());
    }
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    {
        QtSound sound;
        sound.setVolume(stereoVolume(0x1400, 0x1400));
        EXPECT_EQ(sound.volume(), stereoVolume(0x1400, 0x1400));
        sound.play("Beat.wav");
        sound.play("Beat.wav");  // the loaded effect, restarted
        // The same file by its full path is the same effect.
        sound.play(dir.filePath("Beat.wav").toStdString());
        EXPECT_EQ(sound.loadedSounds(), soundOutput() ? 1u : 0u);
        sound.setVolume(stereoVolume(0xFFFF, 0));
        EXPECT_EQ(sound.volume(), stereoVolume(0xFFFF, 0));
        QCoreApplication::processEvents();
    }
    QDir::setCurrent(before);
}
