// Starting and stopping the status refresh thread.
#include "ui/win32/StatusRefreshThread.h"

#include <utility>

#include "net/AdapterStatus.h"

namespace vt::win32 {

void StatusRefreshThread::Start(TUpdateNetStatus& loop, IpHelper& snapshots, HWND window,
                                UINT message, bool showsAtStart) {
    Stop();
    loop_ = &loop;
    snapshots_ = &snapshots;
    window_ = window;
    message_ = message;
    showsAtStart_ = showsAtStart;
    wake_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    DWORD id = 0;
    thread_.Reset(CreateThread(nullptr, 0, Main, this, 0, &id));
}

DWORD WINAPI StatusRefreshThread::Main(void* parameter) {
    auto* self = static_cast<StatusRefreshThread*>(parameter);
    const HWND window = self->window_;
    const UINT message = self->message_;
    const HANDLE wake = self->wake_.Get();
    IpHelper& snapshots = *self->snapshots_;
    bool firstShows = self->showsAtStart_;
    self->loop_->Execute(
        [window, message, &snapshots, &firstShows] {
            // The live snapshot is the slow part: taken here, it costs the window's thread
            // nothing. None is taken while the window is hidden (in the tray, or in apply mode),
            // where none is used; the first is when the window is being shown meanwhile. Without
            // one the refresh takes its own.
            const bool wanted = std::exchange(firstShows, false) || IsWindowVisible(window);
            TAdapterStatuses statuses;
            if (wanted) GetAdapterStatuses(snapshots, statuses);
            SendMessageA(window, message, 0, wanted ? reinterpret_cast<LPARAM>(&statuses) : 0);
        },
        [wake](unsigned ms) { WaitForSingleObject(wake, ms); });
    return 0;
}

void StatusRefreshThread::Stop() {
    if (!thread_) return;
    loop_->StopRequested = true;
    SetEvent(wake_.Get());
    const HANDLE thread = thread_.Get();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    thread_.Reset();
}

}  // namespace vt::win32
