#include "MockRegistration.h"

#include <oleauto.h>

#include <string>

namespace {

const wchar_t classKey[] = L"CLSID\\{D1FB3C9A-BB2D-446A-A74A-E771F134ED56}";

HRESULT setValue(const std::wstring &key, const wchar_t *name, const std::wstring &value)
{
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                     nullptr, &handle, nullptr);
    if (status == ERROR_SUCCESS) {
        status =
            RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
    return HRESULT_FROM_WIN32(status);
}

} // namespace

HRESULT registerMock(HMODULE module, bool inProcess)
{
    wchar_t path[MAX_PATH];
    if (!GetModuleFileNameW(module, path, MAX_PATH))
        return HRESULT_FROM_WIN32(GetLastError());
    const std::wstring key(classKey);
    HRESULT result = setValue(key, nullptr, L"EchoLinkAutomation (test mock)");
    if (SUCCEEDED(result) && inProcess) {
        result = setValue(key + L"\\InprocServer32", nullptr, path);
        if (SUCCEEDED(result))
            result = setValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    } else if (SUCCEEDED(result)) {
        result = setValue(key + L"\\LocalServer32", nullptr, L"\"" + std::wstring(path) + L"\"");
    }
    ITypeLib *library = nullptr;
    if (SUCCEEDED(result))
        result = LoadTypeLibEx(path, REGKIND_REGISTER, &library);
    if (library)
        library->Release();
    return result;
}
