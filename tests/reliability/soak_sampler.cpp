// One sample of the soak: for every running process whose program file name is one of the
// arguments (case-insensitive), one line
//   <name> <pid> <private bytes> <working set bytes> <handles> <GDI objects> <USER objects>
// Figures the platform cannot give are printed as -1. A count of 0 is taken as "cannot give":
// a running program always holds handles and GDI objects (Wine answers 0 for what it does not
// keep). Handles then come from the system handle table, which Wine does keep.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstddef>
#include <cstdio>
#include <vector>

namespace {

struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};
struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// Handles per process id from the system handle table; empty when the platform has none.
std::vector<HandleEntry> SystemHandles() {
    auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return {};
    std::vector<char> buffer(1 << 16);
    for (int tries = 0; tries < 12; ++tries) {
        ULONG needed = 0;
        LONG status = query(16 /* SystemHandleInformation */, buffer.data(),
                            static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            auto* table = reinterpret_cast<HandleTable*>(buffer.data());
            size_t room = (buffer.size() - offsetof(HandleTable, entries)) / sizeof(HandleEntry);
            size_t n = table->count < room ? table->count : room;
            return std::vector<HandleEntry>(table->entries, table->entries + n);
        }
        if (status != static_cast<LONG>(0xC0000004) /* length mismatch */) return {};
        buffer.resize(buffer.size() * 2 > needed ? buffer.size() * 2 : needed + 4096);
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return 1;
    const std::vector<HandleEntry> table = SystemHandles();
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snap, &entry); more; more = Process32Next(snap, &entry)) {
        bool wanted = false;
        for (int i = 1; i < argc; ++i) wanted = wanted || lstrcmpiA(entry.szExeFile, argv[i]) == 0;
        if (!wanted) continue;
        long long priv = -1, ws = -1, handles = -1, gdi = -1, user = -1;
        HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID);
        if (!p) p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (p) {
            PROCESS_MEMORY_COUNTERS_EX mem{};
            mem.cb = sizeof mem;
            if (GetProcessMemoryInfo(p, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem)) {
                priv = static_cast<long long>(mem.PrivateUsage);
                ws = static_cast<long long>(mem.WorkingSetSize);
            }
            DWORD count = 0;
            if (GetProcessHandleCount(p, &count)) handles = count;
            gdi = GetGuiResources(p, GR_GDIOBJECTS);
            user = GetGuiResources(p, GR_USEROBJECTS);
            CloseHandle(p);
        }
        if (priv == 0) priv = -1;
        if (handles <= 0) {
            handles = 0;
            for (const HandleEntry& h : table) handles += h.ownerPid == entry.th32ProcessID;
            if (handles == 0) handles = -1;
        }
        if (gdi == 0) gdi = -1;
        if (user == 0) user = -1;
        std::printf("%s %lu %lld %lld %lld %lld %lld\n", entry.szExeFile, entry.th32ProcessID, priv, ws,
                    handles, gdi, user);
    }
    CloseHandle(snap);
    return 0;
}
