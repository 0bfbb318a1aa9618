#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// Owns one BSTR. Texts go in with their length (embedded NULs survive) and
// a NULL BSTR reads as the empty text.
class Bstr
{
public:
    Bstr() = default;
    explicit Bstr(const std::wstring &text); // throws ComError when out of memory
    ~Bstr();
    Bstr(const Bstr &) = delete;
    Bstr &operator=(const Bstr &) = delete;

    BSTR get() const { return value_; }
    // For an [out] parameter: frees the current value first.
    BSTR *receive();
    std::wstring text() const;

private:
    BSTR value_ = nullptr;
};
