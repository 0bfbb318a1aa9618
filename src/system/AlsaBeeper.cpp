#include "AlsaBeeper.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <cmath>
#include <mutex>
#include <vector>

namespace {

const qint64 retryAfterMs = 60 * 1000;
const unsigned int latencyUs = 50 * 1000;
const double amplitude = 0.5 * 32767;
const double rampMs = 2.0; // fades in and out so the tone does not click
const double pi = 3.14159265358979323846;

// What snd_pcm_open returns when there is no such device at all, as opposed
// to one that is busy or failed this once.
bool isNoDevice(int error)
{
    return error == -ENOENT || error == -ENODEV || error == -ENXIO;
}

void quietErrorHandler(const char *, int, const char *, int, const char *, ...) {}

void silenceAlsaErrors()
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(quietErrorHandler); });
}

std::vector<qint16> sineTone(int frequencyHz, int durationMs)
{
    const std::size_t count = std::size_t(qint64(AlsaBeeper::SampleRate) * durationMs / 1000);
    const double step = 2.0 * pi * frequencyHz / AlsaBeeper::SampleRate;
    const double ramp = rampMs * AlsaBeeper::SampleRate / 1000.0;
    std::vector<qint16> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double edge = std::min(double(i), double(count - 1 - i));
        const double gain = std::min(1.0, edge / ramp);
        samples[i] = qint16(std::lround(amplitude * gain * std::sin(step * double(i))));
    }
    return samples;
}

// Writes all frames, recovering from an underrun; false on a lasting error.
bool writeAll(snd_pcm_t *pcm, const std::vector<qint16> &samples)
{
    std::size_t done = 0;
    while (done < samples.size()) {
        snd_pcm_sframes_t n = snd_pcm_writei(pcm, samples.data() + done, samples.size() - done);
        if (n < 0)
            n = snd_pcm_recover(pcm, int(n), 1);
        if (n < 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

} // namespace

AlsaBeeper::AlsaBeeper(QString device) : m_device(std::move(device))
{
    silenceAlsaErrors();
}

bool AlsaBeeper::mayTryDevice() const
{
    return !m_sinceNoDevice.isValid() || m_sinceNoDevice.hasExpired(retryAfterMs);
}

void AlsaBeeper::beep(int frequencyHz, int durationMs)
{
    if (frequencyHz <= 0 || durationMs <= 0 || !mayTryDevice())
        return;

    // Opened without blocking: a device held by another program must not
    // hang the tick. Writing then blocks until the tone has been played.
    snd_pcm_t *pcm = nullptr;
    const int opened = snd_pcm_open(&pcm, m_device.toLocal8Bit().constData(), SND_PCM_STREAM_PLAYBACK,
                                    SND_PCM_NONBLOCK);
    if (opened < 0) {
        if (isNoDevice(opened))
            m_sinceNoDevice.start();
        return;
    }
    m_sinceNoDevice.invalidate();
    const bool played = snd_pcm_nonblock(pcm, 0) == 0
        && snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                              SampleRate, 1, latencyUs) == 0
        && writeAll(pcm, sineTone(frequencyHz, durationMs));
    if (played)
        snd_pcm_drain(pcm);
    snd_pcm_close(pcm);
}
