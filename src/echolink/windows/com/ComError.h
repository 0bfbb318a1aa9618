#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

// A COM call into EchoLink that did not succeed, with the HRESULT it returned.
class ComError : public std::runtime_error
{
public:
    ComError(HRESULT result, const std::string &operation);

    HRESULT result() const { return result_; }

    // Throws a ComError when result is a failure.
    static void check(HRESULT result, const char *operation);

private:
    HRESULT result_;
};
