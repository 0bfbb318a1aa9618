#pragma once

#include <windows.h>
#include <oleauto.h>

// Owns one VARIANT: it starts empty and is cleared with its owner.
class Variant
{
public:
    Variant();
    ~Variant();
    Variant(const Variant &) = delete;
    Variant &operator=(const Variant &) = delete;

    VARIANT *get() { return &value_; }
    // Converts the value in place unless it already has that type; throws
    // ComError naming `operation` when it cannot.
    void convert(VARTYPE type, const char *operation);

private:
    VARIANT value_;
};
