// The mock EchoLink hosted in process: registered with regsvr32.
#include "MockClassFactory.h"
#include "MockEchoLinkLib.h"
#include "MockRegistration.h"
#include "MockState.h"

namespace {

HMODULE mockModule = nullptr;

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void *)
{
    if (reason == DLL_PROCESS_ATTACH) {
        mockModule = instance;
        MockState::instance().setModule(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void **object)
{
    if (!IsEqualCLSID(classId, CLSID_EchoLinkAutomation)) {
        if (object)
            *object = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return MockClassFactory::instance().QueryInterface(iid, object);
}

// Worker threads may still be on their way out; stay loaded.
STDAPI DllCanUnloadNow()
{
    return S_FALSE;
}

STDAPI DllRegisterServer()
{
    return registerMock(mockModule, true);
}
