// Typed owners for Windows handles: each closes its handle once, and raw handles never leave a
// function.
#pragma once

#include <windows.h>
#include <setupapi.h>
#include <commctrl.h>

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
    // Gives the handle up to a new owner (a window that frees it itself).
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
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
template <typename Object>
struct GdiObjectTraits {
    static Object Invalid() { return nullptr; }
    static void Close(Object h) { DeleteObject(h); }
};
struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct AcceleratorTraits {
    static HACCEL Invalid() { return nullptr; }
    static void Close(HACCEL h) { DestroyAcceleratorTable(h); }
};
struct ImageListTraits {
    static HIMAGELIST Invalid() { return nullptr; }
    static void Close(HIMAGELIST h) { ImageList_Destroy(h); }
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
using UniqueFont = Unique<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = Unique<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = Unique<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueIcon = Unique<HICON, IconTraits>;  // icons we made or loaded unshared
using UniqueMenu = Unique<HMENU, MenuTraits>;  // menus no window owns
using UniqueImageList = Unique<HIMAGELIST, ImageListTraits>;
using UniqueAccelerators = Unique<HACCEL, AcceleratorTraits>;

}  // namespace vt::win32
