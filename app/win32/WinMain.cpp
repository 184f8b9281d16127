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
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's link object and the other COM objects live on this, the GUI thread.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    vt::win32::Win32Platform real;

    vt::win32::MainWindowView view;
    // Without a window nothing can run; 1 would tell a script "no such configuration".
    if (!view.Create(instance)) return vt::kExitApplyFailed;
    real.shell.SetOwner(view.Window());
    vt::TfrmMain form(real.platform, view.Views());
    view.Attach(form.Parts());
    // An error that escapes the start sequence is reported here; apply mode still ends after it.
    if (!vt::win32::Guarded(view.Window(), [&] { form.FormCreate(); }) && form.EndsAfterStart())
        view.Terminate();
    if (form.ShowMainWindow()) view.Show(showCommand);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (view.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (IsWindow(view.Window())) DestroyWindow(view.Window());
    if (com) CoUninitialize();
    return form.ExitCode();
}
