#include "MockRegistration.h"

#include <oleauto.h>

#include <string>

namespace {

const wchar_t classId[] = L"{D1FB3C9A-BB2D-446A-A74A-E771F134ED56}";

HRESULT setValue(REGSAM view, const std::wstring &key, const wchar_t *name,
                 const std::wstring &value)
{
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0,
                                     KEY_WRITE | view, nullptr, &handle, nullptr);
    if (status == ERROR_SUCCESS) {
        status =
            RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
    return HRESULT_FROM_WIN32(status);
}

HRESULT registerClass(REGSAM view, const std::wstring &server, const std::wstring &command,
                      bool inProcess)
{
    const std::wstring key = std::wstring(L"CLSID\\") + classId;
    HRESULT result = setValue(view, key, nullptr, L"EchoLinkAutomation (test mock)");
    if (SUCCEEDED(result) && inProcess) {
        result = setValue(view, key + L"\\InprocServer32", nullptr, server);
        if (SUCCEEDED(result))
            result = setValue(view, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    } else if (SUCCEEDED(result)) {
        result = setValue(view, key + L"\\LocalServer32", nullptr, command);
    }
    return result;
}

HRESULT deleteClass(REGSAM view)
{
    HKEY classes = nullptr;
    LSTATUS status =
        RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ | KEY_WRITE | view, &classes);
    if (status == ERROR_SUCCESS) {
        status = RegDeleteTreeW(classes, classId);
        RegCloseKey(classes);
    }
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

} // namespace

HRESULT registerMock(HMODULE module, bool inProcess, const std::wstring &options)
{
    wchar_t path[MAX_PATH];
    if (!GetModuleFileNameW(module, path, MAX_PATH))
        return HRESULT_FROM_WIN32(GetLastError());
    HRESULT result =
        registerClass(0, path, L"\"" + std::wstring(path) + L"\"" + options, inProcess);
    ITypeLib *library = nullptr;
    if (SUCCEEDED(result))
        result = LoadTypeLibEx(path, REGKIND_REGISTER, &library);
    if (library)
        library->Release();
    return result;
}

HRESULT unregisterMock()
{
    HRESULT result = deleteClass(KEY_WOW64_64KEY);
    const HRESULT other = deleteClass(KEY_WOW64_32KEY);
    return FAILED(result) ? result : other;
}
