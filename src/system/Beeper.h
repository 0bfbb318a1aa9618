#pragma once

// A tone of the given frequency and duration; returns when it has ended.
class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void beep(int frequencyHz, int durationMs) = 0;
};
