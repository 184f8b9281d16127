// Typed owners for Windows handles: each closes its handle once, and raw handles never leave a
// function.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <utility>

namespace vt::win32 {

template <typename Handle, typename Traits>
class Unique {
  public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, Traits::Invalid()));
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct KernelObjectTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct KeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};

struct DeviceInfoSetTraits {
    static HDEVINFO Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HDEVINFO h) { SetupDiDestroyDeviceInfoList(h); }
};
struct LocalMemoryTraits {
    static HLOCAL Invalid() { return nullptr; }
    static void Close(HLOCAL h) { LocalFree(h); }
};

using UniqueFile = Unique<HANDLE, FileTraits>;            // CreateFile results
using UniqueHandle = Unique<HANDLE, KernelObjectTraits>;  // mutexes, processes, threads
using UniqueKey = Unique<HKEY, KeyTraits>;
using UniqueDeviceInfoSet = Unique<HDEVINFO, DeviceInfoSetTraits>;
using UniqueLocalMemory = Unique<HLOCAL, LocalMemoryTraits>;  // what the system allocates for us

}  // namespace vt::win32
