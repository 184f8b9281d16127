// Takes the README's pictures from a real run: the main window with a configuration selected,
// and the tray menu. Run by tools/screenshots.sh, which prepares the demo folder.
// Usage: vt_screenshots DEMO_FOLDER OUTPUT_FOLDER
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "tests/e2e/win32/ProcessDriver.h"
#include "tests/win32/Screenshot.h"
#include "ui/win32/MainWindowIds.h"

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "screenshots: %s\n", what);
    return 1;
}

HWND VisibleMenu() {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
         w = FindWindowExA(nullptr, w, "#32768", nullptr))
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Fail("usage: vt_screenshots DEMO_FOLDER OUTPUT_FOLDER");
    const std::string output = argv[2];
    // The pointer rests where a taskbar's notification area would be: off the window, so no hint
    // shows, and where the tray menu opens.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 24, GetSystemMetrics(SM_CYSCREEN) - 8);

    vt::e2e::ProgramRun run(argv[1], "");
    if (!run.Started()) return Fail("the program did not start");
    HWND window = run.WaitForWindow("TfrmMain");
    if (!window) {
        for (const auto& box : run.Boxes())
            std::fprintf(stderr, "screenshots: message \"%s\": %s\n", box.caption.c_str(),
                         box.text.c_str());
        return Fail("the main window did not show");
    }
    HWND tree = GetDlgItem(window, vt::win32::kIdTree);
    const auto items = run.TreeItemsOf(tree);
    if (items.empty()) return Fail("the configuration tree is empty");
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items.front().handle));
    Sleep(1500);  // a few status refreshes
    if (!vt::testing::SaveScreenshot(window, "main-window", output))
        return Fail("the main window could not be saved");

    // Wine may decline to open a pop-up menu for a window not in the foreground just then.
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
        PostMessageA(window, vt::win32::WM_TRAYICON, 1, WM_RBUTTONDOWN);
        vt::e2e::ProgramRun::WaitUntil([&] { return (menu = VisibleMenu()) != nullptr; }, 2000);
    }
    if (!menu) return Fail("the tray menu did not open");
    const bool saved = vt::testing::SaveScreenshot(menu, "tray-menu", output);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!saved) return Fail("the tray menu could not be saved");
    return run.CloseAndWait(window) == 0 ? 0 : Fail("the program did not end cleanly");
}
