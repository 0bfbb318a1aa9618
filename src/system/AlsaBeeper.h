#pragma once

#include "Beeper.h"

#include <QElapsedTimer>
#include <QString>

// A sine tone through ALSA, returning when it has been played. A failure
// makes the beep silent and quick. Only a device that does not exist is left
// alone for a minute, so a missing sound card costs nothing per beep and a
// card plugged in later is found; a busy device or any other failure is
// tried again at the next beep. ALSA's own error lines are kept off stderr.
class AlsaBeeper : public Beeper
{
public:
    static constexpr int SampleRate = 48000;

    // device: an ALSA PCM name; tests pass "file:FILE=...,FORMAT=wav".
    explicit AlsaBeeper(QString device = QStringLiteral("default"));

    void beep(int frequencyHz, int durationMs) override;

private:
    bool mayTryDevice() const;

    QString m_device;
    QElapsedTimer m_sinceNoDevice;
};
