// The mock EchoLink hosted out of process, like EchoLink itself: registered
// with /RegServer, started by COM with -Embedding. It quits when its last
// object is released, and after a fixed lifetime in case a crashed client
// never releases it.
#include "MockClassFactory.h"
#include "MockEchoLinkLib.h"
#include "MockRegistration.h"
#include "MockState.h"

#include <cwchar>

namespace {

const UINT lifetimeMs = 60 * 1000;

void quit()
{
    PostQuitMessage(0);
}

bool wantsRegistration(int argc, wchar_t **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (_wcsicmp(argv[i], L"/RegServer") == 0 || _wcsicmp(argv[i], L"-RegServer") == 0)
            return true;
    }
    return false;
}

int serve()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MockState::instance().setIdleHandler(&quit);
    DWORD registration = 0;
    HRESULT result = CoRegisterClassObject(CLSID_EchoLinkAutomation, &MockClassFactory::instance(),
                                           CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &registration);
    if (SUCCEEDED(result)) {
        SetTimer(nullptr, 0, lifetimeMs, nullptr);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0
               && !(message.hwnd == nullptr && message.message == WM_TIMER))
            DispatchMessageW(&message);
        CoRevokeClassObject(registration);
    }
    CoUninitialize();
    return SUCCEEDED(result) ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    MockState::instance().setModule(nullptr);
    if (wantsRegistration(argc, argv))
        return SUCCEEDED(registerMock(nullptr, false)) ? 0 : 1;
    return serve();
}
