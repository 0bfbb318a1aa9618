#include "MockRegistration.h"

#include <oleauto.h>

#include <string>

namespace {

const wchar_t classId[] = L"{D1FB3C9A-BB2D-446A-A74A-E771F134ED56}";
// EchoLink's interface and its own-station interface.
const wchar_t *const echoLinkInterfaces[] = {L"{7733112C-4577-4432-9DB0-A9398184EAF6}",
                                              L"{ACD8531B-B0CE-4F14-9405-6AB8AC5C9EFA}"};

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

HRESULT deleteKey(REGSAM view, const wchar_t *parent, const wchar_t *key)
{
    HKEY handle = nullptr;
    LSTATUS status =
        RegOpenKeyExW(HKEY_CLASSES_ROOT, parent, 0, KEY_READ | KEY_WRITE | view, &handle);
    if (status == ERROR_SUCCESS) {
        status = RegDeleteTreeW(handle, key);
        RegCloseKey(handle);
    }
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT deleteClass(REGSAM view)
{
    return deleteKey(view, L"CLSID", classId);
}

HRESULT deleteInterfaces(REGSAM view)
{
    HRESULT result = S_OK;
    for (const wchar_t *interfaceId : echoLinkInterfaces) {
        if (SUCCEEDED(result))
            result = deleteKey(view, L"Interface", interfaceId);
    }
    return result;
}

bool underWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
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
    if (SUCCEEDED(result) && underWow64())
        result = deleteInterfaces(KEY_WOW64_64KEY);
    return result;
}

HRESULT refuseDualInterfaces()
{
    const HRESULT result = deleteInterfaces(KEY_WOW64_64KEY);
    return FAILED(result) ? result : deleteInterfaces(KEY_WOW64_32KEY);
}

HRESULT unregisterMock()
{
    HRESULT result = deleteClass(KEY_WOW64_64KEY);
    const HRESULT other = deleteClass(KEY_WOW64_32KEY);
    return FAILED(result) ? result : other;
}
