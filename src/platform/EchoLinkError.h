#pragma once

#include "HandlerError.h"

// A member call into EchoLink that did not succeed.
class EchoLinkError : public HandlerError
{
public:
    using HandlerError::HandlerError;
};
