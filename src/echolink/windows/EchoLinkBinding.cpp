#include "EchoLinkBinding.h"

#include "com/ComError.h"
#include "DispatchMembers.h"
#include "DualMembers.h"
#include "EventInterface.h"
#include "EventSink.h"
#include "EventWindow.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

using Microsoft::WRL::ComPtr;

namespace {

// A program without a console buffers its standard error: flushed at once,
// the line is there while the program runs.
void say(const char *line)
{
    std::fputs(line, stderr);
    std::fflush(stderr);
}

// EchoLinkAutomation and its dual interface.
const CLSID echoLinkClass = {
    0xD1FB3C9A, 0xBB2D, 0x446A, {0xA7, 0x4A, 0xE7, 0x71, 0xF1, 0x34, 0xED, 0x56}};
const IID echoLinkInterface = {
    0x7733112C, 0x4577, 0x4432, {0x9D, 0xB0, 0xA9, 0x39, 0x81, 0x84, 0xEA, 0xF6}};

// How COM refuses an interface it cannot marshal for this process, while the
// object itself is reachable and its IDispatch, marshalled by the system's
// own proxy, still works. EchoLink's installer registers its interfaces,
// their proxy/stub (the type library marshaller) and its type library for
// 32-bit processes only. Failures of the server or of the call are not
// here: IDispatch would fail the same way, so they are reported as they are.
const HRESULT refusals[] = {
    E_NOINTERFACE,        // how a proxy reports any of the causes below
    REGDB_E_IIDNOTREG,    // no Interface\{iid} key in this view
    REGDB_E_CLASSNOTREG,  // its proxy/stub class is not registered in this view
    REGDB_E_READREGDB,    // the interface's keys are there in part only
    REGDB_E_KEYMISSING,
    REGDB_E_INVALIDVALUE,
    CLASS_E_CLASSNOTAVAILABLE, // a proxy DLL that does not make that class
    CO_E_DLLNOTFOUND,          // the proxy DLL is missing
    HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND),
    HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT), // a proxy DLL of the other bitness
    TYPE_E_LIBNOTREGISTERED, // the marshaller finds no type library for this platform
    TYPE_E_CANTLOADLIBRARY,  // the registered library file does not load here
    TYPE_E_ELEMENTNOTFOUND,  // the library found does not describe the interface
    TYPE_E_REGISTRYACCESS,
};

bool refusedForThisProcess(HRESULT result)
{
    return std::find(std::begin(refusals), std::end(refusals), result) != std::end(refusals);
}

} // namespace

EchoLinkBinding::EchoLinkBinding()
{
    ComError::check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "CoInitializeEx");
    inApartment_ = true;
}

std::unique_ptr<EchoLinkBinding> EchoLinkBinding::create(EchoLinkEvents &receiver)
{
    std::unique_ptr<EchoLinkBinding> binding(new EchoLinkBinding);
    binding->connect(receiver);
    return binding;
}

void EchoLinkBinding::connect(EchoLinkEvents &receiver)
{
    // IUnknown can always be marshalled; the dual interface perhaps not.
    ComError::check(CoCreateInstance(echoLinkClass, nullptr,
                                     CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                     reinterpret_cast<void **>(echoLink_.GetAddressOf())),
                    "CoCreateInstance");
    chooseMembers();
    EventInterface events = EventInterface::discover(echoLink_.Get(), echoLinkClass);
    const IID eventInterface = events.iid();

    ComPtr<IConnectionPointContainer> container;
    ComError::check(echoLink_.As(&container), "IConnectionPointContainer");
    ComError::check(container->FindConnectionPoint(eventInterface, connectionPoint_.GetAddressOf()),
                    "FindConnectionPoint");

    window_ = new EventWindow(receiver);
    ComPtr<EventSink> sink;
    sink.Attach(new EventSink(std::move(events), window_->handle()));
    ComError::check(connectionPoint_->Advise(sink.Get(), &cookie_), "Advise");
}

void EchoLinkBinding::chooseMembers()
{
    ComPtr<IUnknown> dual;
    const HRESULT queried =
        echoLink_->QueryInterface(echoLinkInterface, reinterpret_cast<void **>(dual.GetAddressOf()));
    if (SUCCEEDED(queried)) {
        members_ = std::make_unique<DualMembers>(std::move(dual));
        say("vorlane: EchoLink through its dual interface\n");
        return;
    }
    if (!refusedForThisProcess(queried))
        throw ComError(queried, "EchoLink interface");

    ComPtr<IDispatch> dispatch;
    ComError::check(echoLink_.As(&dispatch), "IDispatch");
    members_ = std::make_unique<DispatchMembers>(std::move(dispatch));
    lateBound_ = true;
    char line[128];
    std::snprintf(line, sizeof line,
                  "vorlane: EchoLink through IDispatch (the dual interface is not registered for "
                  "this process: 0x%08lX)\n",
                  static_cast<unsigned long>(queried));
    say(line);
}

EchoLinkBinding::~EchoLinkBinding()
{
    release();
}

std::wstring EchoLinkBinding::stationCallsign()
{
    return members().stationCallsign();
}

void EchoLinkBinding::sendChatText(const std::wstring &text)
{
    members().sendChatText(text);
}

void EchoLinkBinding::setBusyFlagA(bool busy)
{
    members().setBusyFlagA(busy);
}

void EchoLinkBinding::setBusyFlagB(bool busy)
{
    members().setBusyFlagB(busy);
}

void EchoLinkBinding::release()
{
    if (!inApartment_)
        return;
    inApartment_ = false;
    members_.reset();
    auto teardown = [echoLink = std::move(echoLink_), point = std::move(connectionPoint_),
                     cookie = cookie_]() mutable {
        if (point && cookie)
            point->Unadvise(cookie);
        point.Reset();
        echoLink.Reset();
        CoUninitialize();
    };
    if (window_)
        window_->closeAfterCallbacks(std::move(teardown));
    else
        teardown();
    window_ = nullptr;
    cookie_ = 0;
}

EchoLinkMembers &EchoLinkBinding::members() const
{
    if (!members_)
        throw ComError(CO_E_OBJNOTCONNECTED, "EchoLink");
    return *members_;
}
