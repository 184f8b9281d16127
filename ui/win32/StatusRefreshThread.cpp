// Starting and stopping the status refresh thread.
#include "ui/win32/StatusRefreshThread.h"

namespace vt::win32 {

void StatusRefreshThread::Start(TUpdateNetStatus& loop, HWND window, UINT message) {
    Stop();
    loop_ = &loop;
    window_ = window;
    message_ = message;
    wake_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    DWORD id = 0;
    thread_.Reset(CreateThread(nullptr, 0, Main, this, 0, &id));
}

DWORD WINAPI StatusRefreshThread::Main(void* parameter) {
    auto* self = static_cast<StatusRefreshThread*>(parameter);
    const HWND window = self->window_;
    const UINT message = self->message_;
    const HANDLE wake = self->wake_.Get();
    self->loop_->Execute([window, message] { SendMessageA(window, message, 0, 0); },
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
