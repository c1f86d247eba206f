// A recording stand-in for the caption library, for the end-to-end tests
// only; it is never shipped. Laid in the menu's folder as Lirvo.dll, with the
// shipped library moved aside to LirvoShipped.dll, it appends one line per
// call to the file that LIRVO_TRACE names and passes every call on to the
// shipped library, so the menu still gets its captions drawn.
#define LIRVO_BUILDING
#include "Lirvo.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

HMODULE g_module = nullptr;

void Record(const char* format, ...)
{
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LIRVO_TRACE", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    char line[160];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line - 2, format, args);
    va_end(args);
    if (n > 0) {
        DWORD used = static_cast<DWORD>(n < static_cast<int>(sizeof line) - 2 ? n : sizeof line - 3);
        line[used++] = '\r';
        line[used++] = '\n';
        DWORD written = 0;
        WriteFile(file, line, used, &written, nullptr);
    }
    CloseHandle(file);
}

using NoArguments = void(__stdcall*)();
using DrawString = void(__stdcall*)(HWND, DWORD, LONG, LONG, DWORD, DWORD, DWORD, DWORD, DWORD);

struct Shipped {
    NoArguments create = nullptr;
    NoArguments destroy = nullptr;
    DrawString draw = nullptr;
};

// The shipped library beside this one, loaded by its full path at the first
// call. A missing library or entry point is recorded, so the test that reads
// the record sees why nothing was drawn.
const Shipped& TheShipped()
{
    static Shipped shipped;
    static bool loaded = false;
    if (loaded) return shipped;
    loaded = true;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(g_module, path, sizeof path);
    char* slash = length && length < sizeof path ? std::strrchr(path, '\\') : nullptr;
    const char name[] = "LirvoShipped.dll";
    if (!slash || static_cast<size_t>(slash + 1 - path) + sizeof name > sizeof path) {
        Record("no path for LirvoShipped.dll");
        return shipped;
    }
    std::memcpy(slash + 1, name, sizeof name);
    HMODULE library = LoadLibraryA(path);
    if (!library) {
        Record("cannot load %s: error %lu", path, GetLastError());
        return shipped;
    }
    shipped.create = reinterpret_cast<NoArguments>(reinterpret_cast<void*>(GetProcAddress(library, "LirvoCreate")));
    shipped.destroy = reinterpret_cast<NoArguments>(reinterpret_cast<void*>(GetProcAddress(library, "LirvoDestroy")));
    shipped.draw =
        reinterpret_cast<DrawString>(reinterpret_cast<void*>(GetProcAddress(library, "DrawLirvoStringOptWnd")));
    if (!shipped.create || !shipped.destroy || !shipped.draw) Record("%s lacks an entry point", path);
    return shipped;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" void __stdcall LirvoCreate(void)
{
    Record("LirvoCreate");
    if (const auto create = TheShipped().create) create();
}

extern "C" void __stdcall LirvoDestroy(void)
{
    Record("LirvoDestroy");
    if (const auto destroy = TheShipped().destroy) destroy();
}

extern "C" void __stdcall DrawLirvoStringOptWnd(HWND window, DWORD id, LONG left, LONG top, DWORD size, DWORD c1,
                                                DWORD c2, DWORD c3, DWORD option)
{
    Record("DrawLirvoStringOptWnd %lu %ld %ld %u %u %u %u %u window=%p", static_cast<unsigned long>(id), left, top,
           static_cast<unsigned>(size & 0xFF), static_cast<unsigned>(c1 & 0xFF), static_cast<unsigned>(c2 & 0xFF),
           static_cast<unsigned>(c3 & 0xFF), static_cast<unsigned>(option & 0xFF), static_cast<void*>(window));
    if (const auto draw = TheShipped().draw) draw(window, id, left, top, size, c1, c2, c3, option);
}
