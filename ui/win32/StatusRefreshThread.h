// The thread that runs the status refresh loop: it hands each refresh to the window's thread and
// waits for it; it is woken early to stop.
#pragma once

#include <windows.h>

#include "platform/IpHelper.h"
#include "platform/win32/Handles.h"
#include "ui/UpdateNetStatus.h"

namespace vt::win32 {

class StatusRefreshThread {
  public:
    StatusRefreshThread() = default;
    StatusRefreshThread(const StatusRefreshThread&) = delete;
    StatusRefreshThread& operator=(const StatusRefreshThread&) = delete;
    ~StatusRefreshThread() { Stop(); }

    // Runs the loop, each refresh sent to `window` as `message` with a pointer to the snapshot
    // taken from `snapshots` just before; none is taken while the window is hidden, unless it is
    // the first and the window is being shown (`showsAtStart`).
    void Start(TUpdateNetStatus& loop, IpHelper& snapshots, HWND window, UINT message,
               bool showsAtStart);
    // Never waits on a thread that waits for us: while waiting, the refreshes it hands over run.
    void Stop();

  private:
    static DWORD WINAPI Main(void* self);

    TUpdateNetStatus* loop_ = nullptr;
    IpHelper* snapshots_ = nullptr;
    HWND window_ = nullptr;
    UINT message_ = 0;
    bool showsAtStart_ = false;
    UniqueHandle thread_, wake_;
};

}  // namespace vt::win32
