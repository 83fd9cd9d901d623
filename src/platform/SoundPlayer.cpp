#include "SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QtEndian>

#include <cmath>
#include <numbers>

Q_LOGGING_CATEGORY(lcSound, "parblok.sound")

namespace {

SoundPlayer *thePlayer = nullptr;

SoundObserver &observer()
{
    static SoundObserver instance;
    return instance;
}

void destroyPlayer()
{
    delete thePlayer;
    thePlayer = nullptr;
}

QAudioFormat formatOf(const WavSound &sound)
{
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    format.setSampleFormat(sound.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

WavSound makeDefaultSound()
{
    // Two soft partials a fifth apart, struck and fading within a fifth of a second.
    constexpr int rate = 22050;
    constexpr int frames = rate / 5;
    WavSound sound{1, rate, 16, QByteArray(frames * 2, Qt::Uninitialized)};
    auto *out = reinterpret_cast<char *>(sound.samples.data());
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double envelope = std::min(1.0, t / 0.004) * std::exp(-t * 18.0);
        const double wave = std::sin(2 * std::numbers::pi * 1046.5 * t)
                            + 0.4 * std::sin(2 * std::numbers::pi * 1568.0 * t);
        qToLittleEndian(static_cast<qint16>(std::lround(7000.0 * envelope * wave)), out + 2 * i);
    }
    return sound;
}

} // namespace

SoundPlayer::SoundPlayer(QObject *parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer()
{
    stop();
}

SoundPlayer &SoundPlayer::instance()
{
    if (!thePlayer) {
        thePlayer = new SoundPlayer;
        // Audio streams are closed while the application object still exists.
        qAddPostRoutine(destroyPlayer);
    }
    return *thePlayer;
}

void SoundPlayer::play(const WavSound &sound)
{
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || sound.frameCount() == 0)
        return;

    auto *sink = new QAudioSink(device, formatOf(sound), this);
    auto *buffer = new QBuffer(sink); // lives exactly as long as the sink reading it
    buffer->setData(sound.samples);
    buffer->open(QIODevice::ReadOnly);
    // The sink runs dry at the end of the sound and is released then, outside its own signal.
    QPointer<QAudioSink> watched(sink);
    connect(sink, &QAudioSink::stateChanged, this, [this, watched](QAudio::State state) {
        if (state == QAudio::IdleState && watched && watched == m_sink)
            stop();
    }, Qt::QueuedConnection);
    m_sink = sink;
    sink->start(buffer);
    if (sink->error() != QAudio::NoError) {
        qCWarning(lcSound) << "audio output refused the sound:" << sink->error();
        stop();
    }
}

void SoundPlayer::stop()
{
    if (!m_sink)
        return;
    QAudioSink *sink = m_sink;
    m_sink = nullptr;
    sink->disconnect(this);
    sink->stop();
    sink->deleteLater();
}

bool SoundPlayer::isPlaying() const
{
    return m_sink && m_sink->state() == QAudio::ActiveState;
}

const WavSound &SoundPlayer::defaultSound()
{
    static const WavSound sound = makeDefaultSound();
    return sound;
}

bool playSoundAsync(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile()) {
        if (observer())
            observer()(QString());
        SoundPlayer::instance().play(SoundPlayer::defaultSound());
        return true;
    }
    QString error;
    const std::optional<WavSound> sound = readWavFile(fileName, &error);
    if (!sound) {
        qCWarning(lcSound).noquote() << error; // names the file and says why
        return false;
    }
    if (observer())
        observer()(info.absoluteFilePath());
    SoundPlayer::instance().play(*sound);
    return true;
}

void setSoundObserver(SoundObserver observerFunction)
{
    observer() = std::move(observerFunction);
}
