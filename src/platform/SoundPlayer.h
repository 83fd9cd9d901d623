#pragma once

#include "WavFile.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAudioSink;

// The program's one sound output. A sound plays in the background while the caller goes on; a new
// sound cuts the one still playing short. Without an audio device every sound is silently
// dropped.
class SoundPlayer : public QObject
{
    Q_OBJECT
public:
    // The player, created at first use and destroyed with the application object.
    static SoundPlayer &instance();
    ~SoundPlayer() override;

    // Starts `sound`, stopping whatever plays now.
    void play(const WavSound &sound);
    void stop();
    bool isPlaying() const;

    // A short chime of the player's own, played for a sound name that names no file.
    static const WavSound &defaultSound();

private:
    explicit SoundPlayer(QObject *parent = nullptr);

    QPointer<QAudioSink> m_sink;
};

// Plays the wave file `fileName` (resolved against the current directory) in the background,
// returning at once. A name that names no file plays the default sound; a file that is not a
// playable wave file is refused and nothing is heard. Returns whether a sound was started.
bool playSoundAsync(const QString &fileName);

// Tests watch what is handed to the player: the absolute path of the file, or an empty text for
// the default sound. An empty function stops watching.
using SoundObserver = std::function<void(const QString &source)>;
void setSoundObserver(SoundObserver observer);
