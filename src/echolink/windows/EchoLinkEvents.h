#pragma once

#include <string>

// Receives EchoLink's six events. Calls come on the thread that created the
// binding, from its message loop, never inside a binding call. Texts are
// UTF-16; a missing text arrives empty.
class EchoLinkEvents
{
public:
    virtual ~EchoLinkEvents() = default;

    virtual void onClosing() = 0;
    virtual void onRX(bool receiving) = 0;
    virtual void onTX(bool transmitting) = 0;
    virtual void onConnected(const std::wstring &callsign, const std::wstring &name,
                             const std::wstring &address) = 0;
    virtual void onDisConnected(const std::wstring &callsign) = 0;
    virtual void onChatTextReceived(const std::wstring &chatLine) = 0;
};
