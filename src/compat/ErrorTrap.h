#pragma once

// Kept on purpose (see README.md): every handler runs under its own error
// trap, and no error crosses it. Do not "correct" this into error codes or
// retries: what the user sees after a failure depends on it.

#include <QString>

#include <exception>

// An error (any exception) inside a handler does one of three things, fixed
// per handler: leave silently, leave after a message box, or (for a single
// step) be skipped so the next step still runs. Nothing is retried.
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

// Runs f; on an error shows text through box.show(text), a message box
// titled with the program's title. Returns true when f completed.
template <typename Box, typename F>
bool report(Box &box, const QString &text, F &&f) noexcept
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
