#include "platform/QtSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <QtGlobal>

namespace tevrane {

namespace {

QtMessageHandler previousHandler = nullptr;

// While the audio outputs are looked up for the first time, the sound server
// client complains on the console when there is no server; a machine without
// sound is normal for this program, so those lines are dropped.
void quietAudioHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.startsWith(QLatin1String("PulseAudioService"))) return;
    if (previousHandler) previousHandler(type, context, msg);
}

bool audioOutputAvailable() {
    previousHandler = qInstallMessageHandler(quietAudioHandler);
    const bool available = !QMediaDevices::defaultAudioOutput().isNull();
    qInstallMessageHandler(previousHandler);
    return available;
}

}  // namespace

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

void QtSound::play(const std::string& fileName) {
    if (fileName.empty()) return;
    const QFileInfo file(QString::fromStdString(fileName));
    // A missing file is silent, as is a machine without sound output; asking
    // the effect to play anyway would only fill the console with warnings.
    if (!file.isFile() || !file.isReadable()) return;
    if (!audioOutputAvailable()) return;

    const std::string key = file.absoluteFilePath().toStdString();
    auto it = effects_.find(key);
    if (it == effects_.end()) {
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
        effect->setVolume(static_cast<float>(meanVolume(volume_)));
        it = effects_.emplace(key, std::move(effect)).first;
    }
    for (auto& [name, other] : effects_)
        if (other.get() != it->second.get() && other->isPlaying()) other->stop();
    QSoundEffect& effect = *it->second;
    if (effect.status() == QSoundEffect::Error) return;
    // A beat that arrives while the last one still sounds starts it afresh.
    if (effect.isPlaying()) effect.stop();
    effect.play();
}

void QtSound::setVolume(std::uint32_t volume) {
    volume_ = volume;
    const auto gain = static_cast<float>(meanVolume(volume));
    for (auto& [name, effect] : effects_) effect->setVolume(gain);
}

void QtSound::beep() { QApplication::beep(); }

}  // namespace tevrane
