#pragma once

#include "WavFile.h"

#include <QString>

#include <functional>
#include <memory>

// One stream of sound to the audio server, for one sound, used by one thread at a time. Every
// call may wait on the server; none is ever made on the GUI thread. Destroying the stream drops
// whatever it still holds at once.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;

    // Connects to the server for the samples of `sound`.
    virtual bool open(const WavSound &sound, QString *error) = 0;
    // Hands samples over, a piece at a time, waiting while the server's buffer is full.
    virtual bool write(const char *data, qsizetype size, QString *error) = 0;
    // Microseconds of the samples handed over that are not yet heard; -1 on failure.
    virtual qint64 unheardUSecs(QString *error) = 0;
    // Waits until the last sample handed over has been heard.
    virtual bool finish(QString *error) = 0;
};

// The samples are handed over in pieces of this many bytes (a tenth of a second), so that a newer
// sound cuts in quickly.
qsizetype soundPieceBytes(const WavSound &sound);

using SoundOutputFactory = std::function<std::unique_ptr<SoundOutput>()>;

// A stream to the desktop's sound server (PulseAudio, or PipeWire through its PulseAudio
// interface). Each stream makes its own connection, so a server restarted between two sounds
// serves the second.
std::unique_ptr<SoundOutput> makeServerOutput();
