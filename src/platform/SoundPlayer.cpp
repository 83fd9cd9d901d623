#include "SoundPlayer.h"

#include "SoundCache.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QtEndian>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <numbers>
#include <optional>

Q_LOGGING_CATEGORY(lcSound, "parblok.sound")

using namespace std::chrono_literals;

namespace {

// A sound the server could not start within this time of its event is dropped: heard late it
// would mark another moment of the game.
constexpr auto StartDeadline = 1s;
// How long the end of the program waits for the player's thread; one held up by the server is
// left behind.
constexpr auto QuitWait = 500ms;
// The longest wait between two looks at what is still unheard.
constexpr qint64 LookUSecs = 20'000;

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

struct Request
{
    WavSound sound;
    quint64 serial = 0;
    std::chrono::steady_clock::time_point made;
};

} // namespace

struct SoundPlayer::Shared
{
    explicit Shared(SoundOutputFactory factory) : makeOutput(std::move(factory)) {}

    const SoundOutputFactory makeOutput;
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<Request> waiting;
    quint64 latest = 0; // serial of the newest sound or stop
    bool busy = false;
    bool quitting = false;
    bool finished = false;
    bool failing = false; // the last sound failed; a run of failures is told once

    // Whether the sound `serial` is to go: a newer sound or stop came, or the program ends.
    bool overtaken(quint64 serial) const { return quitting || latest != serial; }
};

namespace {

// Plays one sound to its last sample, or until it is overtaken. Returns the server's complaint,
// or an empty text.
QString playOne(SoundPlayer::Shared &shared, const Request &request)
{
    const auto overtaken = [&] {
        std::lock_guard lock(shared.mutex);
        return shared.overtaken(request.serial);
    };
    QString error;
    const std::unique_ptr<SoundOutput> output = shared.makeOutput();
    if (!output->open(request.sound, &error))
        return error;
    if (overtaken() || std::chrono::steady_clock::now() - request.made > StartDeadline)
        return {};

    const QByteArray &samples = request.sound.samples;
    const qsizetype piece = soundPieceBytes(request.sound);
    for (qsizetype at = 0; at < samples.size(); at += piece) {
        if (overtaken())
            return {};
        if (!output->write(samples.constData() + at, qMin(piece, samples.size() - at), &error))
            return error;
    }
    // Handed over is not heard yet: the stream lives until the server has played all of it. What
    // stays unheard once the stream has run dry is the output's own delay, which the server may
    // go on reporting as it is: that is waited for once.
    qint64 previous = -1, waitedSinceProgress = 0;
    for (;;) {
        const qint64 unheard = output->unheardUSecs(&error);
        if (unheard < 0)
            return error;
        if (previous < 0 || unheard < previous)
            waitedSinceProgress = 0;
        if (unheard == 0 || waitedSinceProgress >= unheard)
            break;
        previous = unheard;
        const qint64 wait = qMin(unheard, LookUSecs);
        waitedSinceProgress += wait;
        std::unique_lock lock(shared.mutex);
        if (shared.wake.wait_for(lock, std::chrono::microseconds(wait),
                                 [&] { return shared.overtaken(request.serial); }))
            return {};
    }
    if (!output->finish(&error))
        return error;
    return {};
}

void runPlayer(const std::shared_ptr<SoundPlayer::Shared> &shared)
{
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(lock, [&] { return shared->quitting || shared->waiting; });
        if (shared->quitting)
            break;
        const Request request = std::move(*shared->waiting);
        shared->waiting.reset();
        shared->busy = true;
        lock.unlock();
        const QString error = playOne(*shared, request);
        lock.lock();
        shared->busy = false;
        if (shared->quitting)
            break;
        if (!error.isEmpty() && !shared->failing)
            qCWarning(lcSound).noquote() << "the audio server did not play the sound:" << error;
        shared->failing = !error.isEmpty();
    }
    shared->finished = true;
    shared->wake.notify_all();
}

} // namespace

SoundPlayer::SoundPlayer(SoundOutputFactory makeOutput)
    : m_shared(std::make_shared<Shared>(std::move(makeOutput)))
    , m_thread(runPlayer, m_shared)
{
}

SoundPlayer::~SoundPlayer()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->quitting = true;
    m_shared->waiting.reset();
    m_shared->wake.notify_all();
    const bool ended = m_shared->wake.wait_for(lock, QuitWait, [this] { return m_shared->finished; });
    lock.unlock();
    if (ended)
        m_thread.join();
    else
        m_thread.detach(); // it holds its own share of the state
}

SoundPlayer &SoundPlayer::instance()
{
    if (!thePlayer) {
        thePlayer = new SoundPlayer(makeServerOutput);
        // The player's thread ends while the application object still exists.
        qAddPostRoutine(destroyPlayer);
    }
    return *thePlayer;
}

void SoundPlayer::play(const WavSound &sound)
{
    std::lock_guard lock(m_shared->mutex);
    ++m_shared->latest;
    m_shared->waiting.reset();
    if (sound.frameCount() > 0)
        m_shared->waiting = Request{sound, m_shared->latest, std::chrono::steady_clock::now()};
    m_shared->wake.notify_all();
}

void SoundPlayer::stop()
{
    std::lock_guard lock(m_shared->mutex);
    ++m_shared->latest;
    m_shared->waiting.reset();
    m_shared->wake.notify_all();
}

bool SoundPlayer::isPlaying() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->waiting || m_shared->busy;
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
    static SoundCache cache;
    const std::optional<WavSound> sound = cache.read(info.absoluteFilePath(), &error);
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
