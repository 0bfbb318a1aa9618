#pragma once
// What a running process holds, read from outside it: kernel handles, GDI
// and USER objects, private bytes and working set. Wine leaves
// GetGuiResources a stub, and Wine 8 the process handle count too (it reads
// 0). There the handles are counted in the system's handle list, the
// GDI objects in the process's own GDI handle table (Wine keeps one per
// process, named by its PEB as Windows does) and the USER objects as its
// windows, message-only ones included; `counted` says so.

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

struct ProcessResources
{
    DWORD handles = 0;
    DWORD gdi = 0;
    DWORD user = 0;
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    bool counted = false;
};

namespace processresources {

using QueryProcess = NTSTATUS(NTAPI *)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
using QuerySystem = NTSTATUS(NTAPI *)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);

template <typename Function>
Function ntdll(const char *name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

// One entry of the GDI handle table, the same in 32-bit and 64-bit processes.
struct GdiEntry
{
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type; // 0: free
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiEntry) == 24, "GDI handle table entry");

constexpr ULONG gdiTableEntries = 0x10000;
// PEB::GdiSharedHandleTable in a 32-bit and in a 64-bit process.
constexpr ULONG_PTR gdiTableOffset32 = 0x94;
constexpr ULONG_PTR gdiTableOffset64 = 0xF8;

inline UINT64 readPointer(HANDLE process, ULONG_PTR address, SIZE_T size)
{
    UINT64 value = 0;
    if (!address
        || !ReadProcessMemory(process, reinterpret_cast<void *>(address), &value, size, nullptr))
        return 0;
    return value;
}

// The address of the process's GDI handle table; 0 when it cannot be read.
// A 32-bit process under Wine's WoW64 keeps it in its 64-bit PEB, the one
// ProcessBasicInformation names; its 32-bit PEB is tried after that.
inline UINT64 gdiTable(HANDLE process)
{
    const auto query = ntdll<QueryProcess>("NtQueryInformationProcess");
    if (!query)
        return 0;
    const bool wide = sizeof(void *) == 8;
    PROCESS_BASIC_INFORMATION basic = {};
    UINT64 table = 0;
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) >= 0)
        table = readPointer(process,
                            reinterpret_cast<ULONG_PTR>(basic.PebBaseAddress)
                                + (wide ? gdiTableOffset64 : gdiTableOffset32),
                            wide ? 8 : 4);
    ULONG_PTR peb32 = 0;
    // Wine 8 answers a bare 1 here rather than the 32-bit PEB's address.
    if (!table && wide
        && query(process, ProcessWow64Information, &peb32, sizeof peb32, nullptr) >= 0 && peb32 > 1)
        table = readPointer(process, peb32 + gdiTableOffset32, 4);
    return table;
}

inline DWORD countGdiObjects(HANDLE process)
{
    const UINT64 table = gdiTable(process);
    if (!table)
        return 0;
    DWORD live = 0;
    std::vector<GdiEntry> chunk(4096);
    for (ULONG first = 0; first < gdiTableEntries; first += chunk.size()) {
        const auto address = static_cast<uintptr_t>(table + first * sizeof(GdiEntry));
        if (!ReadProcessMemory(process, reinterpret_cast<void *>(address), chunk.data(),
                               chunk.size() * sizeof(GdiEntry), nullptr))
            break;
        for (const GdiEntry &entry : chunk)
            live += entry.type != 0;
    }
    return live;
}

inline BOOL CALLBACK countChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<DWORD *>(count);
    return TRUE;
}

struct WindowCount
{
    DWORD process;
    DWORD windows;
};

inline void countTree(HWND window, WindowCount &count)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != count.process)
        return;
    ++count.windows;
    EnumChildWindows(window, &countChild, reinterpret_cast<LPARAM>(&count.windows));
}

inline BOOL CALLBACK countTopLevel(HWND window, LPARAM count)
{
    countTree(window, *reinterpret_cast<WindowCount *>(count));
    return TRUE;
}

// Top-level windows, hidden ones too, message-only windows and all their
// children.
inline DWORD countWindows(DWORD processId)
{
    WindowCount count = {processId, 0};
    EnumWindows(&countTopLevel, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        countTree(window, count);
    return count.windows;
}

inline DWORD countHandles(DWORD processId)
{
    const auto query = ntdll<QuerySystem>("NtQuerySystemInformation");
    if (!query)
        return 0;
    std::vector<BYTE> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status =
            query(static_cast<SYSTEM_INFORMATION_CLASS>(SystemHandleInformation), buffer.data(),
                  static_cast<ULONG>(buffer.size()), &needed);
        if (status >= 0)
            break;
        if (buffer.size() >= (64u << 20))
            return 0;
        buffer.resize(buffer.size() * 2);
    }
    const auto *list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION *>(buffer.data());
    DWORD handles = 0;
    for (ULONG i = 0; i < list->Count; ++i)
        handles += list->Handle[i].OwnerPid == processId;
    return handles;
}

} // namespace processresources

// False when the process cannot be opened.
inline bool readResources(DWORD processId, ProcessResources &resources)
{
    using namespace processresources;
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process)
        return false;
    if (!GetProcessHandleCount(process, &resources.handles) || resources.handles == 0) {
        resources.counted = true;
        resources.handles = countHandles(processId);
    }
    SetLastError(ERROR_SUCCESS);
    resources.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    resources.user = GetGuiResources(process, GR_USEROBJECTS);
    if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        resources.counted = true;
        resources.gdi = countGdiObjects(process);
        resources.user = countWindows(processId);
    }
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&memory),
                             sizeof memory)) {
        // The commit charge; Wine leaves PrivateUsage 0 but fills this.
        resources.privateBytes = memory.PagefileUsage;
        resources.workingSet = memory.WorkingSetSize;
    }
    CloseHandle(process);
    return true;
}
