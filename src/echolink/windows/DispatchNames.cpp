#include "DispatchNames.h"

#include "com/ComError.h"

DISPID DispatchNames::idOf(IDispatch *object, const std::string &name)
{
    const auto found = ids_.find(name);
    if (found != ids_.end())
        return found->second;
    std::wstring wide(name.begin(), name.end());
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    ComError::check(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
                    name.c_str());
    ids_.emplace(name, id);
    return id;
}
