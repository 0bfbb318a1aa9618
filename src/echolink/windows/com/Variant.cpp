#include "Variant.h"

#include "ComError.h"

Variant::Variant()
{
    VariantInit(&value_);
}

Variant::~Variant()
{
    VariantClear(&value_);
}

void Variant::convert(VARTYPE type, const char *operation)
{
    // Left alone when the type is right: a NULL BSTR stays NULL.
    if (V_VT(&value_) != type)
        ComError::check(VariantChangeType(&value_, &value_, 0, type), operation);
}
