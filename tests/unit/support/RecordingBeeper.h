#pragma once

#include "system/Beeper.h"

#include <QList>
#include <QPair>

// Records each beep's frequency and duration instead of sounding it.
class RecordingBeeper : public Beeper
{
public:
    void beep(int frequencyHz, int durationMs) override { m_beeps.append({frequencyHz, durationMs}); }
    const QList<QPair<int, int>> &beeps() const { return m_beeps; }

private:
    QList<QPair<int, int>> m_beeps;
};
