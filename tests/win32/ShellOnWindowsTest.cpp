// The shell's "runas" start under Wine: the caller's window works while it waits, a quit stops the
// wait and leaves the other program running, and an exit code comes back as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "platform/win32/Win32Shell.h"

namespace vt::win32 {
namespace {

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

TEST(ShellOnWindows, TheWaitForAProgramRunAsAdministratorKeepsTheWindowWorking) {
    HWND window = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                  100, nullptr, nullptr, nullptr, nullptr);
    Win32Shell shell(window);
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, "vt-shell-test-sleeper");
    const DWORD self = GetCurrentThreadId();
    bool enabledMeanwhile = false;
    std::thread quitter([&] {
        Sleep(1500);
        enabledMeanwhile = IsWindowEnabled(window) != FALSE;
        PostThreadMessageA(self, WM_QUIT, 7, 0);
    });
    const ElevatedRun abandoned =
        shell.RunAsAdministrator(OwnPath(), "--sleeper vt-shell-test-sleeper 5");
    quitter.join();
    EXPECT_EQ(abandoned.end, ElevatedRun::End::Abandoned);
    EXPECT_TRUE(enabledMeanwhile);
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // handed on
    EXPECT_EQ(quit.wParam, 7u);

    SetEvent(stop);  // the first one ends by itself; this one is waited for to its end
    const ElevatedRun exited =
        shell.RunAsAdministrator(OwnPath(), "--sleeper vt-shell-test-sleeper 5");
    EXPECT_EQ(exited.end, ElevatedRun::End::Exited);
    EXPECT_EQ(exited.exitCode, 5u);
    CloseHandle(stop);
    DestroyWindow(window);
}

}  // namespace
}  // namespace vt::win32
