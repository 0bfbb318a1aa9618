#include "DispatchMembers.h"

#include "com/Bstr.h"
#include "com/ComError.h"
#include "com/Variant.h"

using Microsoft::WRL::ComPtr;

namespace {

// Automation servers report a failing member as DISP_E_EXCEPTION with its
// HRESULT in the exception information.
HRESULT memberResult(HRESULT invoked, EXCEPINFO &exception)
{
    if (invoked != DISP_E_EXCEPTION)
        return invoked;
    if (exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return FAILED(exception.scode) ? exception.scode : invoked;
}

void invoke(IDispatch *object, DispatchNames &names, const std::string &member, WORD flags,
            DISPPARAMS parameters, VARIANT *result)
{
    const DISPID id = names.idOf(object, member);
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    const HRESULT invoked = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                           result, &exception, &argumentError);
    ComError::check(memberResult(invoked, exception), member.c_str());
}

void getProperty(IDispatch *object, DispatchNames &names, const std::string &member,
                 Variant &result)
{
    invoke(object, names, member, DISPATCH_PROPERTYGET, {nullptr, nullptr, 0, 0}, result.get());
}

} // namespace

DispatchMembers::DispatchMembers(ComPtr<IDispatch> echoLink)
    : echoLink_(std::move(echoLink))
{}

std::wstring DispatchMembers::stationCallsign()
{
    Variant station;
    getProperty(echoLink_.Get(), echoLinkNames_, "StationInfo", station);
    station.convert(VT_DISPATCH, "StationInfo");
    IDispatch *const stationObject = V_DISPATCH(station.get());
    if (!stationObject)
        throw ComError(E_POINTER, "StationInfo");

    Variant callsign;
    getProperty(stationObject, stationNames_, "Callsign", callsign);
    callsign.convert(VT_BSTR, "Callsign");
    const BSTR text = V_BSTR(callsign.get());
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

void DispatchMembers::sendChatText(const std::wstring &text)
{
    const Bstr chat(text);
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = chat.get(); // lent: Invoke does not take it over
    invoke(echoLink_.Get(), echoLinkNames_, "SendChatText", DISPATCH_METHOD,
           {&argument, nullptr, 1, 0}, nullptr);
}

void DispatchMembers::setBusyFlagA(bool busy)
{
    putFlag("BusyFlagA", busy);
}

void DispatchMembers::setBusyFlagB(bool busy)
{
    putFlag("BusyFlagB", busy);
}

void DispatchMembers::putFlag(const std::string &name, bool value)
{
    VARIANT flag;
    VariantInit(&flag);
    V_VT(&flag) = VT_BOOL;
    V_BOOL(&flag) = value ? VARIANT_TRUE : VARIANT_FALSE;
    // A property put names its one argument DISPID_PROPERTYPUT.
    DISPID named = DISPID_PROPERTYPUT;
    invoke(echoLink_.Get(), echoLinkNames_, name, DISPATCH_PROPERTYPUT, {&flag, &named, 1, 1},
           nullptr);
}
