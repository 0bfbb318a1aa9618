#pragma once

#include "platform/Beeper.h"

#include <QList>
#include <QPair>

// Records each beep's frequency and duration instead of sounding it.
class RecordingBeeper : public Beeper
{
public:
    void beep(int frequencyHz, int durationMs) override { beeps.append({frequencyHz, durationMs}); }
    QList<QPair<int, int>> beeps;
};
