#include "Bstr.h"

#include "ComError.h"

Bstr::Bstr(const std::wstring &text)
    : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
{
    if (!value_)
        throw ComError(E_OUTOFMEMORY, "SysAllocStringLen");
}

Bstr::~Bstr()
{
    SysFreeString(value_);
}

BSTR *Bstr::receive()
{
    SysFreeString(value_);
    value_ = nullptr;
    return &value_;
}

std::wstring Bstr::text() const
{
    return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring();
}
