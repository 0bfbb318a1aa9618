#pragma once

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>
#include <string>

class EchoLinkEvents;
class EchoLinkMembers;
class EventWindow;

// EchoLink's automation object, reached through COM. The five members are
// called through EchoLink's dual interface when this process can have it,
// else through IDispatch; the six events go to an EchoLinkEvents receiver.
//
// Lives on one thread, a single-threaded apartment with a message loop (the
// GUI thread): events arrive through that loop. Every failure throws
// ComError carrying the HRESULT.
class EchoLinkBinding
{
public:
    // Joins the thread's single-threaded apartment, creates the object and
    // connects the receiver to its events. Picks the members' path once,
    // here, and names it in one line on standard error: IDispatch when the
    // dual interface is refused for want of its registration in this
    // process's view of the registry (as for a 64-bit process beside the
    // 32-bit EchoLink); any other failure throws.
    static std::unique_ptr<EchoLinkBinding> create(EchoLinkEvents &receiver);
    ~EchoLinkBinding();
    EchoLinkBinding(const EchoLinkBinding &) = delete;
    EchoLinkBinding &operator=(const EchoLinkBinding &) = delete;

    // True when the members go through IDispatch.
    bool lateBound() const { return lateBound_; }

    // StationInfo, then Callsign of the own-station object.
    std::wstring stationCallsign();
    void sendChatText(const std::wstring &text);
    void setBusyFlagA(bool busy);
    void setBusyFlagB(bool busy);

    // Disconnects the events and releases the object; no event is delivered
    // afterwards. Safe inside an event callback, where the teardown waits
    // until the callback returns. Later member calls fail.
    void release();

private:
    EchoLinkBinding();
    void connect(EchoLinkEvents &receiver);
    void chooseMembers();
    EchoLinkMembers &members() const;

    Microsoft::WRL::ComPtr<IUnknown> echoLink_;
    std::unique_ptr<EchoLinkMembers> members_;
    bool lateBound_ = false;
    Microsoft::WRL::ComPtr<IConnectionPoint> connectionPoint_;
    DWORD cookie_ = 0;
    EventWindow *window_ = nullptr;
    bool inApartment_ = false;
};
