#include "SoundOutput.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

class ServerOutput final : public SoundOutput
{
public:
    ~ServerOutput() override
    {
        if (m_stream)
            pa_simple_free(m_stream);
    }

    bool open(const WavSound &sound, QString *error) override
    {
        pa_sample_spec spec{};
        spec.format = sound.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
        spec.rate = static_cast<uint32_t>(sound.sampleRate);
        spec.channels = static_cast<uint8_t>(sound.channels);
        // Playing starts once the first piece has arrived (the whole sound, when it is shorter):
        // a short sound would otherwise wait for the server's usual pre-buffer, and a stream
        // without a pre-buffer runs ahead of its first samples and loses them.
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<uint32_t>(-1);
        buffer.tlength = static_cast<uint32_t>(-1);
        buffer.prebuf = static_cast<uint32_t>(qMin<qsizetype>(sound.samples.size(),
                                                                soundPieceBytes(sound)));
        buffer.minreq = static_cast<uint32_t>(-1);
        buffer.fragsize = static_cast<uint32_t>(-1);
        int code = 0;
        m_stream = pa_simple_new(nullptr, "Parblok 2000", PA_STREAM_PLAYBACK, nullptr, "Zvuk",
                                 &spec, nullptr, &buffer, &code);
        return m_stream || failed(code, error);
    }

    bool write(const char *data, qsizetype size, QString *error) override
    {
        int code = 0;
        return pa_simple_write(m_stream, data, size_t(size), &code) == 0 || failed(code, error);
    }

    qint64 unheardUSecs(QString *error) override
    {
        int code = 0;
        const pa_usec_t latency = pa_simple_get_latency(m_stream, &code);
        if (latency != static_cast<pa_usec_t>(-1))
            return qint64(latency);
        failed(code, error);
        return -1;
    }

    bool finish(QString *error) override
    {
        int code = 0;
        return pa_simple_drain(m_stream, &code) == 0 || failed(code, error);
    }

private:
    static bool failed(int code, QString *error)
    {
        if (error)
            *error = QString::fromLocal8Bit(pa_strerror(code));
        return false;
    }

    pa_simple *m_stream = nullptr;
};

} // namespace

qsizetype soundPieceBytes(const WavSound &sound)
{
    return qMax(1, sound.sampleRate / 10) * qsizetype(sound.bytesPerFrame());
}

std::unique_ptr<SoundOutput> makeServerOutput()
{
    return std::make_unique<ServerOutput>();
}
