#pragma once

#include "EchoLinkError.h"
#include "EchoLinkSession.h"

#include <functional>
#include <utility>

// The EchoLink session as a handler reaches it, fetched anew for each use.
// There may be none (before start-up attached to EchoLink, after shutdown
// let go of it); a call through it then fails like a failing EchoLink call.
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
