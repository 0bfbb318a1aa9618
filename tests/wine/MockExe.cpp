// The mock EchoLink hosted out of process, like EchoLink itself: registered
// with /RegServer, started by COM with -Embedding. It quits a moment after its
// last object is released, and at the end of its lifetime in case a crashed
// client never releases it. "/Lifetime SECONDS" (at most a week) replaces
// the default minute; given with /RegServer it goes into the registered
// command line, so that every start by COM gets it. "/RegServer /RefuseDual"
// leaves EchoLink's interfaces unregistered, so that other processes reach
// the mock through IDispatch only.
#include "MockClassFactory.h"
#include "MockEchoLinkLib.h"
#include "MockRegistration.h"
#include "MockState.h"

#include <cwchar>
#include <string>

namespace {

const UINT defaultLifetimeS = 60;
const UINT longestLifetimeS = 7 * 24 * 60 * 60;
// Long enough for a client that releases one object and creates the next to
// find the same process, and so the same calls and settings.
const UINT idleGraceMs = 2000;

const UINT idleMessage = WM_APP + 1;
DWORD serverThread = 0;

// Objects may be released on any thread; the grace timer runs on the
// server's own.
void reportIdle()
{
    PostThreadMessageW(serverThread, idleMessage, 0, 0);
}

bool hasSwitch(int argc, wchar_t **argv, const wchar_t *name)
{
    for (int i = 1; i < argc; ++i) {
        if ((argv[i][0] == L'/' || argv[i][0] == L'-') && _wcsicmp(argv[i] + 1, name) == 0)
            return true;
    }
    return false;
}

// 0 when absent or not a number of seconds in range.
UINT lifetimeOption(int argc, wchar_t **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if ((argv[i][0] == L'/' || argv[i][0] == L'-') && _wcsicmp(argv[i] + 1, L"Lifetime") == 0) {
            wchar_t *end = nullptr;
            const unsigned long seconds = std::wcstoul(argv[i + 1], &end, 10);
            if (*end == L'\0' && seconds > 0 && seconds <= longestLifetimeS)
                return static_cast<UINT>(seconds);
            return 0;
        }
    }
    return 0;
}

int serve(UINT lifetimeS)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    serverThread = GetCurrentThreadId();
    MockState::instance().setIdleHandler(&reportIdle);
    DWORD registration = 0;
    HRESULT result = CoRegisterClassObject(CLSID_EchoLinkAutomation, &MockClassFactory::instance(),
                                           CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &registration);
    if (SUCCEEDED(result)) {
        const UINT_PTR lifetime = SetTimer(nullptr, 0, lifetimeS * 1000, nullptr);
        UINT_PTR idle = 0;
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.hwnd == nullptr && message.message == idleMessage) {
                idle = SetTimer(nullptr, idle, idleGraceMs, nullptr);
                continue;
            }
            if (message.hwnd == nullptr && message.message == WM_TIMER) {
                if (message.wParam == lifetime)
                    break;
                if (message.wParam == idle) {
                    KillTimer(nullptr, idle);
                    idle = 0;
                    if (MockState::instance().objects() == 0)
                        break;
                    continue;
                }
            }
            DispatchMessageW(&message);
        }
        CoRevokeClassObject(registration);
    }
    CoUninitialize();
    return SUCCEEDED(result) ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    MockState::instance().setModule(nullptr);
    const UINT lifetimeS = lifetimeOption(argc, argv);
    if (hasSwitch(argc, argv, L"RegServer")) {
        const std::wstring options =
            lifetimeS ? L" /Lifetime " + std::to_wstring(lifetimeS) : std::wstring();
        HRESULT result = registerMock(nullptr, false, options);
        if (SUCCEEDED(result) && hasSwitch(argc, argv, L"RefuseDual"))
            result = refuseDualInterfaces();
        return SUCCEEDED(result) ? 0 : 1;
    }
    if (hasSwitch(argc, argv, L"UnregServer"))
        return SUCCEEDED(unregisterMock()) ? 0 : 1;
    return serve(lifetimeS ? lifetimeS : defaultLifetimeS);
}
