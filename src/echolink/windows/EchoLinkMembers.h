#pragma once

#include <string>

// The five EchoLink members the program calls, the same whichever way they
// reach the object. Every failure throws ComError with the HRESULT that
// EchoLink or COM returned, named after the member.
class EchoLinkMembers
{
public:
    virtual ~EchoLinkMembers() = default;

    // StationInfo, then Callsign of the own-station object. A NULL BSTR
    // reads as the empty text.
    virtual std::wstring stationCallsign() = 0;
    // The text goes as a BSTR of its full length: embedded NULs survive.
    virtual void sendChatText(const std::wstring &text) = 0;
    // Busy goes as VARIANT_TRUE (-1), not busy as VARIANT_FALSE (0).
    virtual void setBusyFlagA(bool busy) = 0;
    virtual void setBusyFlagB(bool busy) = 0;
};
