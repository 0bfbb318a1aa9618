// The EchoLink binding against the mock EchoLink, hosted in process or out of
// process (argument "in-process" or "out-of-process"); a second argument
// "refused" has the mock refuse EchoLink's dual interface, so that the
// binding must take IDispatch: out of process the mock must have been
// registered with /RefuseDual, in process it is told to. Prints one line per failed check and a final
// PASS line only when every check passed; a crash prints CRASH and exits
// non-zero, since Wine may report a crash as success.
#include "com/Bstr.h"
#include "Checks.h"
#include "com/ComError.h"
#include "EchoLinkBinding.h"
#include "EventRecorder.h"
#include "MockEchoLinkLib.h"
#include "MockEvent.h"
#include "MockState.h"

#include <wrl/client.h>

#include <cwchar>
#include <functional>
#include <memory>

using Microsoft::WRL::ComPtr;

namespace {

Checks checks;

LONG WINAPI reportCrash(EXCEPTION_POINTERS *exception)
{
    std::printf("CRASH: exception 0x%08lX\n",
                static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
    std::fflush(stdout);
    ExitProcess(3);
}

// Runs the thread's message loop, as the GUI thread would, until done() or
// the time is up.
template <typename Done>
bool pumpUntil(Done done, DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void pumpFor(DWORD ms)
{
    pumpUntil([] { return false; }, ms);
}

std::wstring calls(IMockControl *control)
{
    Bstr text;
    control->get_Calls(text.receive());
    return text.text();
}

LONG connections(IMockControl *control)
{
    LONG count = -1;
    control->get_Connections(&count);
    return count;
}

LONG objects(IMockControl *control)
{
    LONG count = -1;
    control->get_Objects(&count);
    return count;
}

HRESULT fire(IMockControl *control, const MockEvent &event)
{
    const Bstr name(event.name), text1(event.texts[0]), text2(event.texts[1]),
        text3(event.texts[2]);
    return control->Fire(name.get(), event.flag ? VARIANT_TRUE : VARIANT_FALSE, text1.get(),
                         text2.get(), text3.get(), event.options);
}

std::wstring joined(const std::vector<std::wstring> &lines)
{
    std::wstring text;
    for (const auto &line : lines)
        text += line + L"\n";
    return text;
}

void checkHost(IMockControl *control, bool inProcess)
{
    LONG process = 0;
    control->get_ProcessId(&process);
    const bool same = static_cast<DWORD>(process) == GetCurrentProcessId();
    checks.expect(same == inProcess,
                  inProcess ? "mock runs in this process" : "mock runs in its own process");
}

// The mock's own answer tells a mock that does not refuse apart from a
// binding that does not fall back.
void checkPath(const EchoLinkBinding &binding, IMockControl *control, bool refused)
{
    ComPtr<IUnknown> dual;
    const HRESULT queried =
        control->QueryInterface(IID_IMockEchoLink, reinterpret_cast<void **>(dual.GetAddressOf()));
    checks.expect(FAILED(queried) == refused, refused ? "the mock refuses its dual interface"
                                                      : "the mock gives its dual interface");
    checks.expect(binding.lateBound() == refused,
                  refused ? "members go through IDispatch" : "members go through the dual interface");
}

void checkConnected(IMockControl *control)
{
    checks.expect(connections(control) == 1, "one connection after create");
    checks.expectText(calls(control), L"Advise\n", "calls made by create");
}

struct MemberCase
{
    std::string name;
    std::wstring ownCallsign;
    std::function<std::wstring(EchoLinkBinding &)> call;
    std::wstring result;
    std::wstring calls;
};

std::function<std::wstring(EchoLinkBinding &)> chat(const std::wstring &text)
{
    return [text](EchoLinkBinding &binding) {
        binding.sendChatText(text);
        return std::wstring();
    };
}

std::function<std::wstring(EchoLinkBinding &)> busy(bool flagA, bool value)
{
    return [flagA, value](EchoLinkBinding &binding) {
        if (flagA)
            binding.setBusyFlagA(value);
        else
            binding.setBusyFlagB(value);
        return std::wstring();
    };
}

std::wstring callsign(EchoLinkBinding &binding)
{
    return binding.stationCallsign();
}

void checkMembers(EchoLinkBinding &binding, IMockControl *control)
{
    const std::wstring longText(300, L'x');
    const std::wstring withNul(L"73\0de JA1ZZZ", 12);
    const std::vector<MemberCase> cases = {
        {"callsign", L"JA1ZZZ", callsign, L"JA1ZZZ", L"StationInfo\nCallsign\n"},
        {"callsign, non-ASCII", L"JA1ＺＺＺ/ｴｺｰ", callsign, L"JA1ＺＺＺ/ｴｺｰ",
         L"StationInfo\nCallsign\n"},
        {"callsign, NULL BSTR", L"", callsign, L"", L"StationInfo\nCallsign\n"},
        {"chat", L"", chat(L"hello"), L"", L"SendChatText hello\n"},
        {"chat, Japanese", L"", chat(L"こんにちは 73"), L"", L"SendChatText こんにちは 73\n"},
        {"chat, long", L"", chat(longText), L"", L"SendChatText " + longText + L"\n"},
        {"chat, embedded NUL", L"", chat(withNul), L"", L"SendChatText " + withNul + L"\n"},
        {"chat, empty", L"", chat(L""), L"", L"SendChatText \n"},
        {"BusyFlagA on", L"", busy(true, true), L"", L"BusyFlagA -1\n"},
        {"BusyFlagA off", L"", busy(true, false), L"", L"BusyFlagA 0\n"},
        {"BusyFlagB on", L"", busy(false, true), L"", L"BusyFlagB -1\n"},
        {"BusyFlagB off", L"", busy(false, false), L"", L"BusyFlagB 0\n"},
    };
    for (const MemberCase &row : cases) {
        const Bstr own(row.ownCallsign);
        control->put_OwnCallsign(own.get());
        control->ClearCalls();
        std::wstring result;
        try {
            result = row.call(binding);
        } catch (const ComError &error) {
            checks.expect(false, row.name + ": " + error.what());
        }
        checks.expectText(result, row.result, row.name + ", result");
        checks.expectText(calls(control), row.calls, row.name + ", calls received");
    }
}

void checkFailures(EchoLinkBinding &binding, IMockControl *control)
{
    const std::vector<std::pair<std::string, std::function<std::wstring(EchoLinkBinding &)>>>
        cases = {
            {"StationInfo", callsign},
            {"SendChatText", chat(L"hello")},
            {"BusyFlagA", busy(true, true)},
            {"BusyFlagB", busy(false, true)},
        };
    control->put_Failing(VARIANT_TRUE);
    for (const auto &row : cases) {
        HRESULT result = S_OK;
        try {
            row.second(binding);
        } catch (const ComError &error) {
            result = error.result();
        }
        checks.expect(result == MockState::failure, row.first + " failing throws its HRESULT");
    }
    control->put_Failing(VARIANT_FALSE);
}

struct EventCase
{
    std::string name;
    MockEvent event;
    std::wstring expected; // empty: nothing is delivered
};

void checkEvents(EchoLinkBinding &binding, EventRecorder &recorder, IMockControl *control)
{
    using Option = MockEvent::Option;
    const std::vector<EventCase> cases = {
        {"TX on", {L"TX", true, {}, 0}, L"TX 1"},
        {"TX on sent as 1", {L"TX", true, {}, Option::TrueAsOne}, L"TX 1"},
        {"TX off", {L"TX", false, {}, 0}, L"TX 0"},
        {"RX on from the mock's thread", {L"RX", true, {}, Option::FromOwnThread}, L"RX 1"},
        {"RX off from the mock's thread", {L"RX", false, {}, Option::FromOwnThread}, L"RX 0"},
        {"Connected",
         {L"Connected", false, {L"JA1AAA", L"Taro", L"Tokyo"}, 0},
         L"Connected JA1AAA|Taro|Tokyo"},
        {"Connected by reference from the mock's thread",
         {L"Connected",
          false,
          {L"JA1AAA-L", L"Hanako", L"Osaka"},
          Option::TextsByReference | Option::FromOwnThread},
         L"Connected JA1AAA-L|Hanako|Osaka"},
        {"Connected with a NULL name",
         {L"Connected", false, {L"JA1AAA", L"", L"Kobe"}, Option::EmptyAsNull},
         L"Connected JA1AAA||Kobe"},
        {"DisConnected by reference",
         {L"DisConnected", false, {L"JA1AAA"}, Option::TextsByReference},
         L"DisConnected JA1AAA"},
        {"DisConnected with NULL",
         {L"DisConnected", false, {L""}, Option::EmptyAsNull | Option::TextsByReference},
         L"DisConnected "},
        {"ChatTextReceived",
         {L"ChatTextReceived", false, {L"JA1AAA>こんにちは"}, 0},
         L"ChatTextReceived JA1AAA>こんにちは"},
        {"ChatTextReceived during a member call",
         {L"ChatTextReceived", false, {L"JA1AAA>73"}, Option::DuringNextCall},
         L"ChatTextReceived JA1AAA>73"},
        {"an event the program does not use", {L"Progress", false, {}, 0}, L""},
        {"Closing", {L"Closing", false, {}, 0}, L"Closing"},
    };
    for (const EventCase &row : cases) {
        recorder.received.clear();
        recorder.inCall = true;
        const HRESULT result = fire(control, row.event);
        if (row.event.options & MockEvent::DuringNextCall)
            binding.setBusyFlagA(false);
        recorder.inCall = false;
        checks.expect(SUCCEEDED(result), row.name + ": raised");

        if (!row.expected.empty())
            pumpUntil([&] { return !recorder.received.empty(); });
        pumpFor(row.expected.empty() ? 200 : 20); // anything late or repeated
        checks.expectText(joined(recorder.received),
                          row.expected.empty() ? L"" : row.expected + L"\n",
                          row.name + ", delivered");
    }
    checks.expect(recorder.foreignThread == 0, "events arrive on the creating thread");
    checks.expect(recorder.duringCall == 0, "no event arrives inside a call");
}

void checkDiscoveryWithoutClassInfo(IMockControl *control)
{
    control->put_HideClassInfo(VARIANT_TRUE);
    EventRecorder recorder;
    try {
        const auto binding = EchoLinkBinding::create(recorder);
        fire(control, {L"TX", true, {}, 0});
        pumpUntil([&] { return !recorder.received.empty(); });
        checks.expectText(joined(recorder.received), L"TX 1\n",
                          "events found through the type library");
    } catch (const ComError &error) {
        checks.expect(false, std::string("create without class info: ") + error.what());
    }
    control->put_HideClassInfo(VARIANT_FALSE);
}

void checkRelease(IMockControl *control)
{
    EventRecorder recorder;
    auto binding = EchoLinkBinding::create(recorder);
    control->ClearCalls();
    binding->release();
    checks.expectText(calls(control), L"Unadvise\n", "release disconnects at once");
    checks.expect(pumpUntil([&] { return objects(control) == 1; }), "release frees the object");

    HRESULT result = S_OK;
    try {
        binding->setBusyFlagA(true);
    } catch (const ComError &error) {
        result = error.result();
    }
    checks.expect(FAILED(result), "a call after release fails");
    fire(control, {L"TX", true, {}, 0});
    pumpFor(100);
    checks.expect(recorder.received.empty(), "no event after release");
}

void checkReleaseInsideClosing(IMockControl *control)
{
    EventRecorder recorder;
    std::unique_ptr<EchoLinkBinding> binding = EchoLinkBinding::create(recorder);
    recorder.whenClosing = [&] {
        binding.reset();
    };
    control->ClearCalls();
    fire(control, {L"Closing", false, {}, 0});
    const bool released =
        pumpUntil([&] { return connections(control) == 0 && objects(control) == 1; });
    checks.expect(released && !binding, "the binding ends inside its Closing callback");
    checks.expectText(calls(control), L"Unadvise\n", "calls after ending inside Closing");
    checks.expectText(joined(recorder.received), L"Closing\n", "Closing delivered once");
}

struct ApartmentCase
{
    std::string name;
    bool initialize;
    DWORD model;
    HRESULT expected;
};

struct ApartmentResult
{
    const ApartmentCase *row;
    HRESULT result = E_FAIL;
    bool singleThreaded = false;
};

DWORD WINAPI createOnThread(void *parameter)
{
    auto &outcome = *static_cast<ApartmentResult *>(parameter);
    if (outcome.row->initialize)
        CoInitializeEx(nullptr, outcome.row->model);
    try {
        EventRecorder recorder;
        auto binding = EchoLinkBinding::create(recorder);
        APTTYPE type = APTTYPE_CURRENT;
        APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
        CoGetApartmentType(&type, &qualifier);
        outcome.singleThreaded = type == APTTYPE_STA || type == APTTYPE_MAINSTA;
        outcome.result = S_OK;
    } catch (const ComError &error) {
        outcome.result = error.result();
    }
    if (outcome.row->initialize)
        CoUninitialize();
    return 0;
}

void checkApartments()
{
    const std::vector<ApartmentCase> cases = {
        {"thread without COM", false, 0, S_OK},
        {"single-threaded apartment", true, COINIT_APARTMENTTHREADED, S_OK},
        {"multithreaded apartment", true, COINIT_MULTITHREADED, RPC_E_CHANGED_MODE},
    };
    for (const ApartmentCase &row : cases) {
        ApartmentResult outcome{&row};
        const HANDLE thread = CreateThread(nullptr, 0, &createOnThread, &outcome, 0, nullptr);
        checks.expect(WaitForSingleObject(thread, 20000) == WAIT_OBJECT_0, row.name + ": finished");
        CloseHandle(thread);
        checks.expect(outcome.result == row.expected, row.name + ": create result");
        if (SUCCEEDED(row.expected))
            checks.expect(outcome.singleThreaded,
                          row.name + ": binding runs in a single-threaded apartment");
    }
}

void runAll(IMockControl *control, bool inProcess, bool refused)
{
    checkHost(control, inProcess);
    {
        EventRecorder recorder;
        control->ClearCalls();
        const auto binding = EchoLinkBinding::create(recorder);
        checkPath(*binding, control, refused);
        checkConnected(control);
        checkMembers(*binding, control);
        checkFailures(*binding, control);
        checkEvents(*binding, recorder, control);
    }
    checks.expect(connections(control) == 0, "destroying the binding disconnects");
    checkDiscoveryWithoutClassInfo(control);
    checkRelease(control);
    checkReleaseInsideClosing(control);
    checkApartments();
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    SetUnhandledExceptionFilter(&reportCrash);
    const bool inProcess = argc > 1 && std::wcscmp(argv[1], L"in-process") == 0;
    const bool refused = argc > 2 && std::wcscmp(argv[2], L"refused") == 0;
    const char *const mode = inProcess ? "in-process" : "out-of-process";
    const char *const path = refused ? "through IDispatch" : "through the dual interface";
    const int bits = static_cast<int>(sizeof(void *) * 8);

    // The GUI thread: Qt initialises OLE there.
    OleInitialize(nullptr);
    ComPtr<IMockControl> control;
    const HRESULT created = CoCreateInstance(
        CLSID_EchoLinkAutomation, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
        IID_IMockControl, reinterpret_cast<void **>(control.GetAddressOf()));
    if (checks.expect(SUCCEEDED(created), "the mock EchoLink can be created")) {
        if (inProcess && refused)
            control->put_RefuseDual(VARIANT_TRUE);
        try {
            runAll(control.Get(), inProcess, refused);
        } catch (const std::exception &error) {
            checks.expect(false, std::string("unexpected exception: ") + error.what());
        }
    }
    control.Reset();
    OleUninitialize();

    if (checks.failed == 0)
        std::printf("PASS: EchoLink binding, %s, %d-bit client, %s, %d checks\n", mode, bits, path,
                    checks.total);
    else
        std::printf("FAILED: EchoLink binding, %s, %d-bit client, %s, %d of %d checks failed\n",
                    mode, bits, path, checks.failed, checks.total);
    return checks.failed == 0 ? 0 : 1;
}
