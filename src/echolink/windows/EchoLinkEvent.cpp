#include "EchoLinkEvent.h"

#include "EchoLinkEvents.h"

#include <windows.h>

std::optional<EchoLinkEventKind> EchoLinkEvent::kindNamed(const std::wstring &name)
{
    static const struct
    {
        const wchar_t *name;
        EchoLinkEventKind kind;
    } names[] = {
        {L"Closing", EchoLinkEventKind::Closing},
        {L"RX", EchoLinkEventKind::RX},
        {L"TX", EchoLinkEventKind::TX},
        {L"Connected", EchoLinkEventKind::Connected},
        {L"DisConnected", EchoLinkEventKind::DisConnected},
        {L"ChatTextReceived", EchoLinkEventKind::ChatTextReceived},
    };
    for (const auto &entry : names) {
        if (CompareStringOrdinal(name.c_str(), -1, entry.name, -1, TRUE) == CSTR_EQUAL)
            return entry.kind;
    }
    return std::nullopt;
}

std::size_t EchoLinkEvent::textCount(EchoLinkEventKind kind)
{
    switch (kind) {
    case EchoLinkEventKind::Connected:
        return 3;
    case EchoLinkEventKind::DisConnected:
    case EchoLinkEventKind::ChatTextReceived:
        return 1;
    default:
        return 0;
    }
}

bool EchoLinkEvent::hasFlag(EchoLinkEventKind kind)
{
    return kind == EchoLinkEventKind::RX || kind == EchoLinkEventKind::TX;
}

void EchoLinkEvent::deliverTo(EchoLinkEvents &events) const
{
    switch (kind) {
    case EchoLinkEventKind::Closing:
        events.onClosing();
        break;
    case EchoLinkEventKind::RX:
        events.onRX(flag);
        break;
    case EchoLinkEventKind::TX:
        events.onTX(flag);
        break;
    case EchoLinkEventKind::Connected:
        events.onConnected(texts.at(0), texts.at(1), texts.at(2));
        break;
    case EchoLinkEventKind::DisConnected:
        events.onDisConnected(texts.at(0));
        break;
    case EchoLinkEventKind::ChatTextReceived:
        events.onChatTextReceived(texts.at(0));
        break;
    }
}
