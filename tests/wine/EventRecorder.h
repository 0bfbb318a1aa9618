#pragma once

#include "EchoLinkEvents.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Writes down every event as one line, and notes deliveries on a foreign
// thread or while the test is inside a call.
class EventRecorder : public EchoLinkEvents
{
public:
    std::vector<std::wstring> received;
    int foreignThread = 0;
    int duringCall = 0;
    bool inCall = false;
    std::function<void()> whenClosing;

    void onClosing() override
    {
        note(L"Closing");
        if (whenClosing)
            whenClosing();
    }
    void onRX(bool ecRX) override { note(L"RX " + flag(ecRX)); }
    void onTX(bool ecTX) override { note(L"TX " + flag(ecTX)); }
    void onConnected(const std::wstring &sCall, const std::wstring &sName,
                     const std::wstring &sAddr) override
    {
        note(L"Connected " + sCall + L"|" + sName + L"|" + sAddr);
    }
    void onDisConnected(const std::wstring &sCall) override { note(L"DisConnected " + sCall); }
    void onChatTextReceived(const std::wstring &sText) override
    {
        note(L"ChatTextReceived " + sText);
    }

private:
    static std::wstring flag(bool value) { return value ? L"1" : L"0"; }

    void note(const std::wstring &line)
    {
        if (GetCurrentThreadId() != thread_)
            ++foreignThread;
        if (inCall)
            ++duringCall;
        received.push_back(line);
    }

    const DWORD thread_ = GetCurrentThreadId();
};
