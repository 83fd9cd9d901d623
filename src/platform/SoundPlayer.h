#pragma once

#include "SoundOutput.h"
#include "WavFile.h"

#include <functional>
#include <memory>
#include <thread>

// The program's one sound output. A sound plays on the player's own thread while the caller goes
// on: the caller never waits on the audio server, whatever state the server is in. A sound plays
// to its last sample unless a newer one cuts it short. A server that is missing or does not
// answer leaves the program silent; each sound connects anew, so a server started again plays
// the next sound.
class SoundPlayer
{
public:
    // The player, created at first use and destroyed with the application object.
    static SoundPlayer &instance();

    // A player whose streams `makeOutput` makes, each on the player's thread.
    explicit SoundPlayer(SoundOutputFactory makeOutput);
    // Stops the sound; a player's thread that the server holds up is left to end on its own.
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer &) = delete;
    SoundPlayer &operator=(const SoundPlayer &) = delete;

    // Starts `sound`, cutting short whatever plays now. Returns at once.
    void play(const WavSound &sound);
    void stop();
    // Whether a sound is waiting to play or playing (until its last sample is heard).
    bool isPlaying() const;

    // A short chime of the player's own, played for a sound name that names no file.
    static const WavSound &defaultSound();

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};

// Plays the wave file `fileName` (resolved against the current directory) in the background,
// returning at once. A name that names no file plays the default sound; a file that is not a
// playable wave file is refused and nothing is heard. Returns whether a sound was started. Each
// file is read once and kept; it is read again when it changed.
bool playSoundAsync(const QString &fileName);

// Tests watch what is handed to the player: the absolute path of the file, or an empty text for
// the default sound. An empty function stops watching.
using SoundObserver = std::function<void(const QString &source)>;
void setSoundObserver(SoundObserver observer);
