// Steers the out-of-process mock EchoLink from a script, through the same
// class a client creates: with REGCLS_MULTIPLEUSE every object lives in the
// one server process, so the calls and settings are the ones the client
// sees. Prints UTF-8; exits 0 on success, 1 on failure, 2 on bad usage.
//
//   MockControl fire tx|rx on|off        raise TX or RX
//   MockControl fire chat TEXT           raise ChatTextReceived
//   MockControl fire connected CALL NAME ADDR
//   MockControl fire disconnected CALL
//   MockControl fire closing
//   MockControl burst chat FILE [RATE]   ChatTextReceived for each UTF-8 line
//                                        of FILE, one after the other
//   MockControl burst toggles N [RATE]   N transmissions and receptions in
//                                        turn, each TX or RX on, then off
//                                        A burst goes as fast as the events
//                                        are taken, or at most RATE a second;
//                                        it prints how long each took
//   MockControl calls                    the calls received, one a line
//   MockControl clear                    forget them
//   MockControl callsign CALL            the own callsign StationInfo reports
//   MockControl wait-sinks N SECONDS     until N event sinks are connected
//   MockControl wait-call LINE SECONDS   until a call reads LINE; prints calls
//   MockControl bits                     32 or 64: the server's bitness
//   MockControl stop                     ends the server process, for one
//                                        that a killed client keeps alive
#include "MockEchoLinkLib.h"
#include "Utf8Output.h"

#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

int failed(const char *what, HRESULT result)
{
    std::fprintf(stderr, "MockControl: %s failed: 0x%08lX\n", what,
                 static_cast<unsigned long>(result));
    return 1;
}

int usage()
{
    std::fprintf(stderr, "usage: MockControl fire EVENT [ARGS] | burst chat FILE [RATE]"
                         " | burst toggles N [RATE] | calls | clear | callsign CALL"
                         " | wait-sinks N SECONDS | wait-call LINE SECONDS | bits | stop\n");
    return 2;
}

class Text
{
public:
    explicit Text(const std::wstring &text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {}
    ~Text() { SysFreeString(text_); }
    Text(const Text &) = delete;
    Text &operator=(const Text &) = delete;
    BSTR get() const { return text_; }

private:
    BSTR text_;
};

std::wstring calls(IMockControl *control, HRESULT &result)
{
    BSTR text = nullptr;
    result = control->get_Calls(&text);
    std::wstring calls = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return calls;
}

bool hasLine(const std::wstring &text, const std::wstring &line)
{
    return (L"\n" + text).find(L"\n" + line + L"\n") != std::wstring::npos;
}

// Polls until done() or the deadline; false on timeout.
template <typename Done>
bool waitFor(Done done, const wchar_t *seconds)
{
    const DWORD limitMs = static_cast<DWORD>(std::wcstoul(seconds, nullptr, 10) * 1000);
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= limitMs)
            return false;
        Sleep(50);
    }
}

int fire(IMockControl *control, const std::vector<std::wstring> &args)
{
    if (args.empty())
        return usage();
    const std::wstring &kind = args[0];
    std::wstring name;
    bool flag = false;
    size_t texts = 0;
    if (kind == L"tx" || kind == L"rx") {
        if (args.size() != 2 || (args[1] != L"on" && args[1] != L"off"))
            return usage();
        name = kind == L"tx" ? L"TX" : L"RX";
        flag = args[1] == L"on";
    } else if (kind == L"chat") {
        name = L"ChatTextReceived";
        texts = 1;
    } else if (kind == L"connected") {
        name = L"Connected";
        texts = 3;
    } else if (kind == L"disconnected") {
        name = L"DisConnected";
        texts = 1;
    } else if (kind == L"closing") {
        name = L"Closing";
    } else {
        return usage();
    }
    if (texts && args.size() != texts + 1)
        return usage();
    std::wstring values[3];
    for (size_t i = 0; i < texts; ++i)
        values[i] = args[i + 1];
    const Text event(name), text1(values[0]), text2(values[1]), text3(values[2]);
    const HRESULT result = control->Fire(event.get(), flag ? VARIANT_TRUE : VARIANT_FALSE,
                                         text1.get(), text2.get(), text3.get(), 0);
    return SUCCEEDED(result) ? 0 : failed("Fire", result);
}

// The lines of a UTF-8 file, without their line ends.
bool readLines(const std::wstring &path, std::vector<std::wstring> &lines)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const bool crLf = end > start && bytes[end - 1] == '\r';
        const int length = static_cast<int>(end - start - (crLf ? 1 : 0));
        const char *text = bytes.data() + start;
        std::wstring line(
            static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0)), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text, length, line.data(), static_cast<int>(line.size()));
        lines.push_back(line);
        start = end + 1;
    }
    return true;
}

double seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct BurstEvent
{
    const wchar_t *name;
    bool flag;
    std::wstring text;
};

// Raises the events one after the other, none ahead of RATE a second (0: no
// limit), and prints the time each Fire took: the mock raising it and
// Vorlane's sink taking it.
int burst(IMockControl *control, const std::vector<BurstEvent> &events, double rate)
{
    const Text empty(L"");
    std::vector<double> taken;
    taken.reserve(events.size());
    const double start = seconds();
    for (size_t i = 0; i < events.size(); ++i) {
        if (rate > 0) {
            const double due = start + static_cast<double>(i) / rate;
            const double now = seconds();
            if (due > now)
                Sleep(static_cast<DWORD>((due - now) * 1000));
        }
        const Text name(events[i].name), text(events[i].text);
        const double before = seconds();
        const VARIANT_BOOL flag = events[i].flag ? VARIANT_TRUE : VARIANT_FALSE;
        const HRESULT result =
            control->Fire(name.get(), flag, text.get(), empty.get(), empty.get(), 0);
        taken.push_back(seconds() - before);
        if (FAILED(result)) {
            std::fprintf(stderr, "MockControl: event %u of %u: ", static_cast<unsigned>(i + 1),
                         static_cast<unsigned>(events.size()));
            return failed("Fire", result);
        }
    }
    const double elapsed = seconds() - start;
    std::sort(taken.begin(), taken.end());
    const auto at = [&](size_t percent) {
        const size_t rank = std::max<size_t>(1, (percent * taken.size() + 99) / 100);
        return static_cast<long>(taken[rank - 1] * 1e6);
    };
    std::printf("%u events in %.1f s, median %ld, 99th percentile %ld, max %ld us\n",
                static_cast<unsigned>(events.size()), elapsed, taken.empty() ? 0 : at(50),
                taken.empty() ? 0 : at(99), taken.empty() ? 0 : at(100));
    return 0;
}

int burstCommand(IMockControl *control, const std::vector<std::wstring> &args)
{
    if (args.size() < 2 || args.size() > 3)
        return usage();
    const double rate = args.size() == 3 ? std::wcstod(args[2].c_str(), nullptr) : 0;
    std::vector<BurstEvent> events;
    if (args[0] == L"chat") {
        std::vector<std::wstring> lines;
        if (!readLines(args[1], lines)) {
            std::fprintf(stderr, "MockControl: cannot read %s\n", utf8(args[1]).c_str());
            return 1;
        }
        for (const std::wstring &line : lines)
            events.push_back({L"ChatTextReceived", false, line});
    } else if (args[0] == L"toggles") {
        const unsigned long pairs = std::wcstoul(args[1].c_str(), nullptr, 10);
        for (unsigned long i = 0; i < pairs; ++i) {
            const wchar_t *name = i % 2 ? L"RX" : L"TX";
            events.push_back({name, true, L""});
            events.push_back({name, false, L""});
        }
    } else {
        return usage();
    }
    return burst(control, events, rate);
}

HANDLE serverProcess(IMockControl *control, DWORD access, HRESULT &result)
{
    LONG id = 0;
    result = control->get_ProcessId(&id);
    if (FAILED(result))
        return nullptr;
    const HANDLE process = OpenProcess(access, FALSE, static_cast<DWORD>(id));
    if (!process)
        result = HRESULT_FROM_WIN32(GetLastError());
    return process;
}

int stop(IMockControl *control)
{
    HRESULT result = S_OK;
    const HANDLE process = serverProcess(control, PROCESS_TERMINATE | SYNCHRONIZE, result);
    if (!process)
        return failed("OpenProcess", result);
    const bool ended =
        TerminateProcess(process, 1) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (!ended)
        result = HRESULT_FROM_WIN32(GetLastError());
    CloseHandle(process);
    return ended ? 0 : failed("TerminateProcess", result);
}

int bits(IMockControl *control)
{
    HRESULT result = S_OK;
    const HANDLE process = serverProcess(control, PROCESS_QUERY_LIMITED_INFORMATION, result);
    if (!process)
        return failed("OpenProcess", result);
    BOOL wow64 = FALSE;
    if (!IsWow64Process(process, &wow64)) {
        result = HRESULT_FROM_WIN32(GetLastError());
        CloseHandle(process);
        return failed("IsWow64Process", result);
    }
    CloseHandle(process);
    write(wow64 ? L"32\n" : L"64\n");
    return 0;
}

int run(IMockControl *control, const std::wstring &command, const std::vector<std::wstring> &args)
{
    HRESULT result = S_OK;
    if (command == L"fire")
        return fire(control, args);
    if (command == L"burst")
        return burstCommand(control, args);
    if (command == L"calls" && args.empty()) {
        const std::wstring text = calls(control, result);
        if (FAILED(result))
            return failed("Calls", result);
        write(text);
        return 0;
    }
    if (command == L"clear" && args.empty()) {
        result = control->ClearCalls();
        return SUCCEEDED(result) ? 0 : failed("ClearCalls", result);
    }
    if (command == L"callsign" && args.size() == 1) {
        const Text callsign(args[0]);
        result = control->put_OwnCallsign(callsign.get());
        return SUCCEEDED(result) ? 0 : failed("OwnCallsign", result);
    }
    if (command == L"wait-sinks" && args.size() == 2) {
        const LONG wanted = static_cast<LONG>(std::wcstol(args[0].c_str(), nullptr, 10));
        LONG count = -1;
        const bool reached = waitFor(
            [&] {
                result = control->get_Connections(&count);
                return FAILED(result) || count == wanted;
            },
            args[1].c_str());
        if (FAILED(result))
            return failed("Connections", result);
        if (!reached)
            std::fprintf(stderr, "MockControl: %ld sinks connected, not %ld\n",
                         static_cast<long>(count), static_cast<long>(wanted));
        return reached ? 0 : 1;
    }
    if (command == L"wait-call" && args.size() == 2) {
        std::wstring text;
        const bool reached = waitFor(
            [&] {
                text = calls(control, result);
                return FAILED(result) || hasLine(text, args[0]);
            },
            args[1].c_str());
        if (FAILED(result))
            return failed("Calls", result);
        write(text);
        return reached ? 0 : 1;
    }
    if (command == L"bits" && args.empty())
        return bits(control);
    if (command == L"stop" && args.empty())
        return stop(control);
    return usage();
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc < 2)
        return usage();
    const std::wstring command = argv[1];
    const std::vector<std::wstring> args(argv + 2, argv + argc);

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 1;
    {
        ComPtr<IMockControl> control;
        const HRESULT created = CoCreateInstance(CLSID_EchoLinkAutomation, nullptr,
                                                 CLSCTX_LOCAL_SERVER, IID_IMockControl,
                                                 reinterpret_cast<void **>(control.GetAddressOf()));
        status = SUCCEEDED(created) ? run(control.Get(), command, args)
                                    : failed("CoCreateInstance", created);
    }
    CoUninitialize();
    return status;
}
