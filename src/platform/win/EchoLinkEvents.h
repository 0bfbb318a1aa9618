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
    virtual void onRX(bool ecRX) = 0;
    virtual void onTX(bool ecTX) = 0;
    virtual void onConnected(const std::wstring &sCall, const std::wstring &sName,
                             const std::wstring &sAddr) = 0;
    virtual void onDisConnected(const std::wstring &sCall) = 0;
    virtual void onChatTextReceived(const std::wstring &sText) = 0;
};
