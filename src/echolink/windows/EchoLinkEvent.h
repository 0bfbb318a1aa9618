#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class EchoLinkEvents;

enum class EchoLinkEventKind { Closing, RX, TX, Connected, DisConnected, ChatTextReceived };

// One event as received from EchoLink, held until it can be delivered.
struct EchoLinkEvent
{
    EchoLinkEventKind kind;
    bool flag = false;               // RX, TX
    std::vector<std::wstring> texts; // Connected: call, name, address; others: one text

    // The event of that name; COM names are case-insensitive.
    static std::optional<EchoLinkEventKind> kindNamed(const std::wstring &name);
    // How many texts the event carries.
    static std::size_t textCount(EchoLinkEventKind kind);
    static bool hasFlag(EchoLinkEventKind kind);

    void deliverTo(EchoLinkEvents &events) const;
};
