#pragma once

#include "platform/EchoLinkError.h"
#include "platform/EchoLinkSession.h"

#include <functional>
#include <utility>

// The main window's Echo as a handler reaches it. Echo may hold no object
// (before start-up created it, after shutdown released it); a call through
// it then fails like a failing EchoLink call.
class SessionRef
{
public:
    using Getter = std::function<EchoLinkSession *()>;

    explicit SessionRef(Getter getter) : m_getter(std::move(getter)) {}

    EchoLinkSession &get() const
    {
        EchoLinkSession *session = m_getter ? m_getter() : nullptr;
        if (!session)
            throw EchoLinkError("Object variable not set");
        return *session;
    }

private:
    Getter m_getter;
};
