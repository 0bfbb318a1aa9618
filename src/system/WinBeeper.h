#pragma once

#include "Beeper.h"

// kernel32's Beep: plays through the system and blocks for the duration.
class WinBeeper : public Beeper
{
public:
    void beep(int frequencyHz, int durationMs) override;
};
