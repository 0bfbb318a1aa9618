#include "EventInterface.h"

#include "com/Bstr.h"
#include "com/ComError.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<ITypeInfo> classTypeInfo(IUnknown *object, const CLSID &classId)
{
    ComPtr<ITypeInfo> info;
    ComPtr<IProvideClassInfo> provider;
    if (SUCCEEDED(object->QueryInterface(IID_IProvideClassInfo,
                                         reinterpret_cast<void **>(provider.GetAddressOf())))
        && SUCCEEDED(provider->GetClassInfo(info.GetAddressOf())) && info)
        return info;

    ComPtr<IDispatch> dispatch;
    ComError::check(
        object->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(dispatch.GetAddressOf())),
        "IDispatch");
    ComPtr<ITypeInfo> interfaceInfo;
    ComError::check(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, interfaceInfo.GetAddressOf()),
                    "GetTypeInfo");
    ComPtr<ITypeLib> library;
    UINT index = 0;
    ComError::check(interfaceInfo->GetContainingTypeLib(library.GetAddressOf(), &index),
                    "GetContainingTypeLib");
    ComError::check(library->GetTypeInfoOfGuid(classId, info.GetAddressOf()), "GetTypeInfoOfGuid");
    return info;
}

ComPtr<ITypeInfo> defaultSource(ITypeInfo *classInfo)
{
    TYPEATTR *attributes = nullptr;
    ComError::check(classInfo->GetTypeAttr(&attributes), "GetTypeAttr");
    const WORD count = attributes->cImplTypes;
    classInfo->ReleaseTypeAttr(attributes);

    const int wanted = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
    for (UINT i = 0; i < count; ++i) {
        int flags = 0;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> source;
        if (SUCCEEDED(classInfo->GetImplTypeFlags(i, &flags)) && (flags & wanted) == wanted
            && SUCCEEDED(classInfo->GetRefTypeOfImplType(i, &reference))
            && SUCCEEDED(classInfo->GetRefTypeInfo(reference, source.GetAddressOf())))
            return source;
    }
    throw ComError(CONNECT_E_NOCONNECTION, "default source interface");
}

} // namespace

EventInterface EventInterface::discover(IUnknown *object, const CLSID &classId)
{
    const ComPtr<ITypeInfo> source = defaultSource(classTypeInfo(object, classId).Get());
    TYPEATTR *attributes = nullptr;
    ComError::check(source->GetTypeAttr(&attributes), "GetTypeAttr");
    EventInterface events;
    events.iid_ = attributes->guid;
    const WORD count = attributes->cFuncs;
    source->ReleaseTypeAttr(attributes);

    for (UINT i = 0; i < count; ++i) {
        FUNCDESC *function = nullptr;
        if (FAILED(source->GetFuncDesc(i, &function)))
            continue;
        const MEMBERID id = function->memid;
        source->ReleaseFuncDesc(function);
        Bstr name;
        if (FAILED(source->GetDocumentation(id, name.receive(), nullptr, nullptr, nullptr)))
            continue;
        if (const auto kind = EchoLinkEvent::kindNamed(name.text()))
            events.kinds_[id] = *kind;
    }
    return events;
}

std::optional<EchoLinkEventKind> EventInterface::kindOf(DISPID id) const
{
    const auto found = kinds_.find(id);
    if (found == kinds_.end())
        return std::nullopt;
    return found->second;
}
