#pragma once

#include "VbError.h"

// A member call into EchoLink that did not succeed.
class EchoLinkError : public VbError
{
public:
    using VbError::VbError;
};
