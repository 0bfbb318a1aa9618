#pragma once

#include "compat/RunTimeError.h"

// A member call into EchoLink that did not succeed.
class EchoLinkError : public RunTimeError
{
public:
    using RunTimeError::RunTimeError;
};
