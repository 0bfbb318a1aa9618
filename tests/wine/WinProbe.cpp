// Looks at and works the windows of a running program from a script: its main
// window's title, its native message boxes (dialog class #32770), keystrokes.
// EXE is the program's file name, e.g. vorlane.exe. Prints UTF-8; exits 0 on
// success, 1 when the window is not there (in time), 2 on bad usage.
//
//   WinProbe list [EXE]                    top-level windows: pid, class, title
//   WinProbe count EXE                     how many processes run EXE
//   WinProbe wait-title EXE PATTERN SECS   until the main window's title
//                                          matches PATTERN (* and ?); prints it
//   WinProbe minimize EXE                  minimises the main window
//   WinProbe restore EXE                   restores it
//   WinProbe wait-box EXE SECS             until a message box is up; prints
//                                          "caption\t...", "text\t..." lines
//   WinProbe press EXE BUTTON              presses the message box's button
//   WinProbe keys EXE KEY...               types into the main window: each
//                                          KEY is text or {TAB} {SPACE} {ENTER}
//   WinProbe resources EXE                 what its one process holds: "handles
//                                          N gdi N user N private BYTES working
//                                          BYTES" (see ProcessResources.h)
#include "ProcessResources.h"
#include "Utf8Output.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Window
{
    HWND handle;
    DWORD process;
    std::wstring className;
    std::wstring title;
};

int usage()
{
    std::fprintf(stderr, "usage: WinProbe list [EXE] | count EXE | wait-title EXE PATTERN SECS"
                         " | minimize EXE | restore EXE | wait-box EXE SECS | press EXE BUTTON"
                         " | keys EXE KEY... | resources EXE\n");
    return 2;
}

std::wstring textOf(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring classOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<DWORD> processesOf(const std::wstring &exe)
{
    std::vector<DWORD> ids;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, exe.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

BOOL CALLBACK collect(HWND handle, LPARAM windows)
{
    if (!IsWindowVisible(handle))
        return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(handle, &process);
    reinterpret_cast<std::vector<Window> *>(windows)->push_back(
        {handle, process, classOf(handle), textOf(handle)});
    return TRUE;
}

// The visible top-level windows, of EXE's processes only when EXE is given.
std::vector<Window> windowsOf(const std::wstring &exe)
{
    std::vector<Window> all;
    EnumWindows(&collect, reinterpret_cast<LPARAM>(&all));
    if (exe.empty())
        return all;
    const std::vector<DWORD> ids = processesOf(exe);
    std::vector<Window> mine;
    for (const Window &window : all) {
        for (DWORD id : ids) {
            if (window.process == id)
                mine.push_back(window);
        }
    }
    return mine;
}

bool isBox(const Window &window)
{
    return window.className == L"#32770";
}

// The main window: a visible captioned window that is not a dialog box.
HWND mainWindow(const std::wstring &exe)
{
    for (const Window &window : windowsOf(exe)) {
        if (!isBox(window) && (GetWindowLongW(window.handle, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            return window.handle;
    }
    return nullptr;
}

HWND box(const std::wstring &exe)
{
    for (const Window &window : windowsOf(exe)) {
        if (isBox(window))
            return window.handle;
    }
    return nullptr;
}

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
        Sleep(100);
    }
}

bool matches(const wchar_t *pattern, const wchar_t *text)
{
    if (*pattern == L'\0')
        return *text == L'\0';
    if (*pattern == L'*')
        return matches(pattern + 1, text) || (*text && matches(pattern, text + 1));
    return *text && (*pattern == L'?' || *pattern == *text) && matches(pattern + 1, text + 1);
}

struct Child
{
    std::wstring className;
    std::wstring text;
    HWND handle;
};

BOOL CALLBACK collectChild(HWND handle, LPARAM children)
{
    reinterpret_cast<std::vector<Child> *>(children)->push_back(
        {classOf(handle), textOf(handle), handle});
    return TRUE;
}

std::vector<Child> childrenOf(HWND window)
{
    std::vector<Child> children;
    EnumChildWindows(window, &collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

int list(const std::wstring &exe)
{
    for (const Window &window : windowsOf(exe))
        write(std::to_wstring(window.process) + L"\t" + window.className + L"\t" + window.title
              + L"\n");
    return 0;
}

int waitTitle(const std::wstring &exe, const std::wstring &pattern, const wchar_t *seconds)
{
    std::wstring title;
    bool found = false;
    const bool reached = waitFor(
        [&] {
            const HWND window = mainWindow(exe);
            found = window != nullptr;
            title = found ? textOf(window) : std::wstring();
            return found && matches(pattern.c_str(), title.c_str());
        },
        seconds);
    if (found)
        write(title + L"\n");
    else
        std::fprintf(stderr, "WinProbe: no main window of %s\n", utf8(exe).c_str());
    return reached ? 0 : 1;
}

int waitBox(const std::wstring &exe, const wchar_t *seconds)
{
    HWND found = nullptr;
    if (!waitFor([&] { return (found = box(exe)) != nullptr; }, seconds)) {
        std::fprintf(stderr, "WinProbe: no message box of %s\n", utf8(exe).c_str());
        return 1;
    }
    std::wstring report = L"caption\t" + textOf(found) + L"\n";
    for (const Child &child : childrenOf(found)) {
        if (_wcsicmp(child.className.c_str(), L"Static") == 0 && !child.text.empty())
            report += L"text\t" + child.text + L"\n";
        else if (_wcsicmp(child.className.c_str(), L"Button") == 0)
            report += L"button\t" + child.text + L"\n";
    }
    write(report);
    return 0;
}

int press(const std::wstring &exe, const std::wstring &button)
{
    const HWND found = box(exe);
    if (!found) {
        std::fprintf(stderr, "WinProbe: no message box of %s\n", utf8(exe).c_str());
        return 1;
    }
    for (const Child &child : childrenOf(found)) {
        if (_wcsicmp(child.className.c_str(), L"Button") == 0 && child.text == button) {
            // Posted: the box's owner may end its process before answering.
            PostMessageW(found, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child.handle), BN_CLICKED),
                         reinterpret_cast<LPARAM>(child.handle));
            return 0;
        }
    }
    std::fprintf(stderr, "WinProbe: no button \"%s\"\n", utf8(button).c_str());
    return 1;
}

int show(const std::wstring &exe, int how)
{
    const HWND window = mainWindow(exe);
    if (!window) {
        std::fprintf(stderr, "WinProbe: no main window of %s\n", utf8(exe).c_str());
        return 1;
    }
    ShowWindow(window, how);
    return 0;
}

INPUT key(WORD virtualKey, WORD unicode, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = unicode ? unicode : static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (unicode ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

int keys(const std::wstring &exe, const std::vector<std::wstring> &strokes)
{
    const HWND window = mainWindow(exe);
    if (!window) {
        std::fprintf(stderr, "WinProbe: no main window of %s\n", utf8(exe).c_str());
        return 1;
    }
    SetForegroundWindow(window);
    if (!waitFor([&] { return GetForegroundWindow() == window; }, L"5")) {
        std::fprintf(stderr, "WinProbe: the main window of %s did not come to the front\n",
                     utf8(exe).c_str());
        return 1;
    }
    std::vector<INPUT> inputs;
    for (const std::wstring &stroke : strokes) {
        WORD special = 0;
        if (stroke == L"{TAB}")
            special = VK_TAB;
        else if (stroke == L"{SPACE}")
            special = VK_SPACE;
        else if (stroke == L"{ENTER}")
            special = VK_RETURN;
        if (special) {
            inputs.push_back(key(special, 0, false));
            inputs.push_back(key(special, 0, true));
            continue;
        }
        for (wchar_t c : stroke) {
            inputs.push_back(key(0, c, false));
            inputs.push_back(key(0, c, true));
        }
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        std::fprintf(stderr, "WinProbe: SendInput sent %u of %u\n", sent,
                     static_cast<unsigned>(inputs.size()));
        return 1;
    }
    return 0;
}

int resources(const std::wstring &exe)
{
    const std::vector<DWORD> ids = processesOf(exe);
    if (ids.size() != 1) {
        std::fprintf(stderr, "WinProbe: %u processes run %s, not one\n",
                     static_cast<unsigned>(ids.size()), utf8(exe).c_str());
        return 1;
    }
    ProcessResources held;
    if (!readResources(ids[0], held)) {
        std::fprintf(stderr, "WinProbe: cannot open %s: error %lu\n", utf8(exe).c_str(),
                     GetLastError());
        return 1;
    }
    if (held.counted)
        std::fprintf(stderr, "WinProbe: GetGuiResources or GetProcessHandleCount not implemented:"
                             " counted in the handle lists and windows\n");
    write(L"handles " + std::to_wstring(held.handles) + L" gdi " + std::to_wstring(held.gdi)
          + L" user " + std::to_wstring(held.user) + L" private "
          + std::to_wstring(held.privateBytes) + L" working " + std::to_wstring(held.workingSet)
          + L"\n");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc < 2)
        return usage();
    const std::wstring command = argv[1];
    const std::vector<std::wstring> args(argv + 2, argv + argc);
    if (command == L"list" && args.size() <= 1)
        return list(args.empty() ? std::wstring() : args[0]);
    if (command == L"count" && args.size() == 1) {
        write(std::to_wstring(processesOf(args[0]).size()) + L"\n");
        return 0;
    }
    if (command == L"wait-title" && args.size() == 3)
        return waitTitle(args[0], args[1], args[2].c_str());
    if (command == L"minimize" && args.size() == 1)
        return show(args[0], SW_MINIMIZE);
    if (command == L"restore" && args.size() == 1)
        return show(args[0], SW_RESTORE);
    if (command == L"wait-box" && args.size() == 2)
        return waitBox(args[0], args[1].c_str());
    if (command == L"press" && args.size() == 2)
        return press(args[0], args[1]);
    if (command == L"keys" && args.size() >= 2)
        return keys(args[0], std::vector<std::wstring>(args.begin() + 1, args.end()));
    if (command == L"resources" && args.size() == 1)
        return resources(args[0]);
    return usage();
}
