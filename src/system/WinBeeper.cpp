#include "WinBeeper.h"

#include <windows.h>

void WinBeeper::beep(int frequencyHz, int durationMs)
{
    // Without a sound device Beep fails; the tone is simply not heard.
    Beep(static_cast<DWORD>(frequencyHz), static_cast<DWORD>(durationMs));
}
