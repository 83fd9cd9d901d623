// Synthesises the program's sounds and writes them as wave files into the folder given as the
// only argument. Every sound is made here from sine partials; nothing is sampled.

#include "WavFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr int Rate = 44100;
constexpr double TwoPi = 2 * std::numbers::pi;

using Signal = std::vector<double>;

// Equal-tempered pitch: semitones above A4.
double note(int semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

constexpr int C5 = 3, E5 = 7, G5 = 10, A5 = 12, C6 = 15, E6 = 19, G6 = 22;

struct Partial
{
    double ratio;
    double level;
    double decay; // per second
};

void grow(Signal &out, double seconds)
{
    const auto needed = static_cast<size_t>(seconds * Rate) + 1;
    if (out.size() < needed)
        out.resize(needed, 0.0);
}

// A struck tone: partials that start together after a short attack and die away on their own.
void strike(Signal &out, double start, double frequency, double level,
            const std::vector<Partial> &partials, double length)
{
    grow(out, start + length);
    const auto first = static_cast<size_t>(start * Rate);
    for (size_t i = 0; i < static_cast<size_t>(length * Rate); ++i) {
        const double t = double(i) / Rate;
        const double attack = std::min(1.0, t / 0.004);
        const double release = std::min(1.0, (length - t) / 0.03); // no click where it stops
        double value = 0;
        for (const Partial &p : partials)
            value += p.level * std::exp(-p.decay * t) * std::sin(TwoPi * frequency * p.ratio * t);
        out[first + i] += level * attack * release * value;
    }
}

void chime(Signal &out, double start, double frequency, double level, double length = 0.9)
{
    strike(out, start, frequency, level, {{1, 1.0, 4.5}, {2, 0.35, 8}, {3, 0.12, 13}, {4.2, 0.05, 20}},
           length);
}

void woodBlock(Signal &out, double start, double frequency, double level)
{
    strike(out, start, frequency, level, {{1, 1.0, 14}, {3.93, 0.22, 40}, {9.2, 0.05, 80}}, 0.35);
}

// A soft whistle gliding from one pitch to another with a rounded envelope.
void glide(Signal &out, double start, double from, double to, double length, double level)
{
    grow(out, start + length);
    const auto first = static_cast<size_t>(start * Rate);
    double phase = 0;
    const auto count = static_cast<size_t>(length * Rate);
    for (size_t i = 0; i < count; ++i) {
        const double x = double(i) / double(count);
        const double frequency = from * std::pow(to / from, x * x * (3 - 2 * x));
        phase += TwoPi * frequency / Rate;
        const double envelope = std::sin(std::numbers::pi * x);
        out[first + i] += level * envelope * envelope * (std::sin(phase) + 0.15 * std::sin(2 * phase));
    }
}

// A faint room: a few quiet echoes that thicken the tail.
void room(Signal &out)
{
    grow(out, double(out.size()) / Rate + 0.12);
    const Signal dry = out;
    for (const auto &[delay, gain] : {std::pair{0.031, 0.18}, {0.047, 0.12}, {0.071, 0.08}}) {
        const auto shift = static_cast<size_t>(delay * Rate);
        for (size_t i = 0; i + shift < out.size(); ++i)
            out[i + shift] += gain * dry[i];
    }
}

WavSound finish(Signal out)
{
    room(out);
    // Peak at half of full scale, and a short fade so the sound never ends in a click.
    const double peak = std::max(1e-9, std::abs(*std::max_element(
        out.begin(), out.end(), [](double a, double b) { return std::abs(a) < std::abs(b); })));
    const size_t fade = std::min<size_t>(out.size(), Rate / 50);
    WavSound sound{1, Rate, 16, QByteArray(qsizetype(out.size() * 2), Qt::Uninitialized)};
    for (size_t i = 0; i < out.size(); ++i) {
        const size_t left = out.size() - i;
        const double tail = left < fade ? double(left) / double(fade) : 1.0;
        const auto sample = static_cast<qint16>(std::lround(out[i] / peak * 0.5 * tail * 32767));
        qToLittleEndian(sample, sound.samples.data() + 2 * i);
    }
    return sound;
}

// The assistant arrives: a rising whistle that settles on a bright chime.
WavSound assistantArrives()
{
    Signal s;
    glide(s, 0.0, note(C5), note(G5), 0.16, 0.5);
    chime(s, 0.12, note(C6), 0.8, 0.6);
    chime(s, 0.12, note(G6), 0.15, 0.4);
    return finish(s);
}

// The assistant leaves: the same whistle falling away, and a low soft chime.
WavSound assistantLeaves()
{
    Signal s;
    glide(s, 0.0, note(G5), note(C5 - 12), 0.22, 0.5);
    chime(s, 0.16, note(C5), 0.6, 0.6);
    return finish(s);
}

// A window opens: two light wooden knocks.
WavSound dialogOpens()
{
    Signal s;
    woodBlock(s, 0.0, note(G5), 1.0);
    woodBlock(s, 0.09, note(C6), 0.8);
    return finish(s);
}

// A question: two chimes rising a fourth, the second held like a raised voice.
WavSound question()
{
    Signal s;
    chime(s, 0.0, note(E5), 0.7, 0.5);
    chime(s, 0.18, note(A5), 0.9, 0.9);
    return finish(s);
}

// Something to read: three chimes stepping down to rest.
WavSound information()
{
    Signal s;
    chime(s, 0.0, note(G5), 0.8);
    chime(s, 0.15, note(E5), 0.8);
    chime(s, 0.30, note(C5), 1.0, 1.1);
    return finish(s);
}

// A new level: a quick rising arpeggio crowned with a sparkle.
WavSound levelUp()
{
    Signal s;
    const int steps[] = {C5, E5, G5, C6};
    for (int i = 0; i < 4; ++i)
        chime(s, 0.07 * i, note(steps[i]), 0.7, 0.6);
    chime(s, 0.28, note(E6), 0.5, 0.8);
    chime(s, 0.30, note(G6), 0.25, 0.6);
    woodBlock(s, 0.28, note(C6), 0.3);
    return finish(s);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const std::pair<const char *, std::function<WavSound()>> sounds[] = {
        {"PomocnikStart.wav", assistantArrives}, {"PomocnikKonec.wav", assistantLeaves},
        {"Dialog.wav", dialogOpens},             {"Dotaz.wav", question},
        {"Info.wav", information},               {"Level.wav", levelUp},
    };
    for (const auto &[name, make] : sounds) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        const QByteArray bytes = encodeWav(make());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
