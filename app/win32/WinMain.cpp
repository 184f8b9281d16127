// The program entry: builds the real platform and the main window, runs the start sequence and the
// message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/ErrorReport.h"
#include "platform/win32/Win32Platform.h"
#include "ui/MainWindow.h"
#include "ui/win32/MainWindowView.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    vt::win32::Win32Platform real;
    real.system.TraceStartup("entry");
    // Names in the settings file compare as the system's own functions compare them.
    vt::UseAnsiCodePage(real.system.AnsiCodePageRules());
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's link object and the other COM objects live on this, the GUI thread.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    real.system.TraceStartup("common controls and COM");

    // Decided once: the window and its logic are made for it.
    const vt::StartRequest request =
        vt::DecideStartMode(vt::SplitCommandLine(real.system.CommandLine()));
    vt::win32::MainWindowView view;
    // Without a window nothing can run; 1 would tell a script "no such configuration".
    if (!view.Create(instance, [&](const char* step) { real.system.TraceStartup(step); }))
        return vt::kExitApplyFailed;
    vt::TfrmMain form(real.platform, view.Views(), request);
    // Apply mode never shows the window: it needs none of its controls.
    if (request.mode != vt::StartMode::Apply) view.CreateControls(form.Parts());
    real.system.TraceStartup("window and controls laid out");
    real.shell.SetOwner(view.Window());
    // An error that escapes the start sequence is reported here; apply mode still ends after it.
    if (!vt::win32::Guarded(view.Window(), [&] { form.FormCreate(); }) && form.EndsAfterStart())
        view.Terminate();
    if (form.ShowMainWindow()) view.Show(showCommand);
    real.system.TraceStartup("shown and painted");

    MSG message;
    for (bool waited = false;;) {
        // The first moment nothing is left to do, painting included: the window waits for input.
        if (!waited && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            waited = true;
            real.system.TraceStartup("waiting for input");
        }
        // Unicode messages: a character typed that the ANSI code page lacks reaches the window
        // (the tree's label edit) as itself, and is refused there by name.
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        if (view.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (IsWindow(view.Window())) DestroyWindow(view.Window());
    if (com) CoUninitialize();
    return form.ExitCode();
}
