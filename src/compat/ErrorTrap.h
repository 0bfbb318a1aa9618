#pragma once

#include "desktop/MessageDialog.h"

#include <exception>

// Every handler runs under a trap. An error (any exception) inside it does one
// of three things, fixed per handler: leave silently, leave after a message
// box, or (for a single step) be skipped so the next step still runs. Nothing
// is retried and no error crosses the trap.
namespace ErrorTrap {

// Runs f; on an error leaves silently. Returns true when f completed.
template <typename F>
bool silent(F &&f) noexcept
{
    try {
        f();
        return true;
    } catch (...) {
        return false;
    }
}

// Runs f; on an error shows text in a message box titled "Vorlane".
template <typename F>
bool report(MessageDialog &box, const QString &text, F &&f) noexcept
{
    try {
        f();
        return true;
    } catch (...) {
        try {
            box.show(text);
        } catch (...) {
        }
        return false;
    }
}

} // namespace ErrorTrap
