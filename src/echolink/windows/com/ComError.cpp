#include "ComError.h"

#include <cstdio>

namespace {

std::string describe(HRESULT result, const std::string &operation)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return operation + " failed (" + code + ")";
}

} // namespace

ComError::ComError(HRESULT result, const std::string &operation)
    : std::runtime_error(describe(result, operation))
    , result_(result)
{}

void ComError::check(HRESULT result, const char *operation)
{
    if (FAILED(result))
        throw ComError(result, operation);
}
