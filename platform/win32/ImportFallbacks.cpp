// The import slots of the functions that the static C++ runtime's thread support calls but the
// oldest Windows we run on lacks: GetTickCount64 (Vista) everywhere, and in the 32-bit files
// AddVectoredExceptionHandler and RemoveVectoredExceptionHandler (XP). The runtime calls through
// the slot `__imp_<name>`; defining it here, in an object linked into the program itself, keeps
// the loader from looking for the function: each slot finds the system's own at run time and
// falls back where there is none. Link this file into every shipped file, never into a library.
#include <windows.h>

#include "platform/win32/TickCount.h"

namespace {

FARPROC Kernel32Function(const char* name) {
    const HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 ? GetProcAddress(kernel32, name) : nullptr;
}

uint32_t TickCount32() {
    return GetTickCount();
}

constinit vt::win32::WrappingTickCount wrappingTickCount(&TickCount32);

using TickCount64Function = ULONGLONG(WINAPI*)();

ULONGLONG WINAPI TickCount64() {
    // Looked up on every call, which is cheap; no constructor has run when the runtime first asks.
    static_assert(sizeof(FARPROC) == sizeof(TickCount64Function));
    if (const FARPROC own = Kernel32Function("GetTickCount64"))
        return reinterpret_cast<TickCount64Function>(reinterpret_cast<void*>(own))();
    return wrappingTickCount.Now();
}

#ifndef _WIN64
using AddHandlerFunction = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
using RemoveHandlerFunction = ULONG(WINAPI*)(PVOID);

// On Windows 2000 there are no vectored handlers: none is added, and none is there to remove.
PVOID WINAPI AddHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
    const FARPROC own = Kernel32Function("AddVectoredExceptionHandler");
    return own ? reinterpret_cast<AddHandlerFunction>(reinterpret_cast<void*>(own))(first, handler)
               : nullptr;
}

ULONG WINAPI RemoveHandler(PVOID handle) {
    const FARPROC own = Kernel32Function("RemoveVectoredExceptionHandler");
    return own && handle
               ? reinterpret_cast<RemoveHandlerFunction>(reinterpret_cast<void*>(own))(handle)
               : 0;
}
#endif

}  // namespace

// The slots, under the names the import library would give them (32-bit names carry the
// stdcall decoration).
extern "C" {
#ifdef _WIN64
extern TickCount64Function const importGetTickCount64 __asm__("__imp_GetTickCount64");
TickCount64Function const importGetTickCount64 = &TickCount64;
#else
extern TickCount64Function const importGetTickCount64 __asm__("__imp__GetTickCount64@0");
TickCount64Function const importGetTickCount64 = &TickCount64;
extern AddHandlerFunction const importAddVectoredExceptionHandler __asm__(
    "__imp__AddVectoredExceptionHandler@8");
AddHandlerFunction const importAddVectoredExceptionHandler = &AddHandler;
extern RemoveHandlerFunction const importRemoveVectoredExceptionHandler __asm__(
    "__imp__RemoveVectoredExceptionHandler@4");
RemoveHandlerFunction const importRemoveVectoredExceptionHandler = &RemoveHandler;
#endif
}
