#pragma once

#include "EchoLinkSession.h"

#include <memory>

// Creates the session with EchoLink's automation object. On Windows that is
// EchoLink itself; elsewhere it is the stand-in echolink-sim beside the
// executable, started when none is running yet. An empty result means
// EchoLink could not be reached.
std::unique_ptr<EchoLinkSession> createEchoLinkSession();
