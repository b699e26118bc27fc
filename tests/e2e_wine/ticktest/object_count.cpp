#include "object_count.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstring>

namespace seastrip {
namespace {

// One entry of the shared GDI handle table on 64-bit systems.
struct GdiHandleEntry {
    uint64_t object;
    uint16_t processId;
    uint16_t count;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiTableEntries = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;

long CountGdiHandleTable()
{
#if defined(_WIN64)
    const auto* peb = reinterpret_cast<const uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const GdiHandleEntry* table = nullptr;
    std::memcpy(&table, peb + kPebGdiTableOffset, sizeof(table));
    if (!table) return -1;
    const DWORD pid = GetCurrentProcessId();
    long live = 0;
    for (size_t i = 0; i < kGdiTableEntries; ++i) {
        MEMORY_BASIC_INFORMATION page{};
        // The table is mapped as far as it is in use; stop at its end.
        if (i % 128 == 0 && (!VirtualQuery(&table[i], &page, sizeof(page)) || page.State != MEM_COMMIT)) break;
        // Wine keeps a table per process and leaves the owner at 0.
        const uint16_t owner = table[i].processId;
        if (table[i].type != 0 && (owner == 0 || owner == (pid & 0xFFFF))) ++live;
    }
    return live;
#else
    return -1;
#endif
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

// A top-level window and every window below it, at any depth.
BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

}  // namespace

GuiObjectCounts CountGuiObjects()
{
    GuiObjectCounts counts;
    counts.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    counts.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    counts.gdiSource = "GetGuiResources";
    if (counts.gdi == 0) {
        counts.gdi = CountGdiHandleTable();
        counts.gdiSource = "handle table";
    }
    if (counts.user == 0) counts.user = -1;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
    return counts;
}

}  // namespace seastrip
