// The main window itself: frame, menu, toolbar, status bar, the two panes with their splitter, and
// the parts' views (tree, tabs, editor, status panel, tray); it dispatches by control id.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>

#include "platform/win32/Handles.h"
#include "platform/win32/WindowBase.h"
#include "ui/MainViews.h"
#include "ui/win32/CardPage.h"
#include "ui/win32/Controls.h"
#include "ui/win32/IconDialog.h"
#include "ui/win32/KeepDialog.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/Splitter.h"
#include "ui/win32/StatusRefreshThread.h"
#include "ui/win32/Win32CardTabsView.h"
#include "ui/win32/Win32ConfigTreeView.h"
#include "ui/win32/Win32EditorView.h"
#include "ui/win32/Win32StatusPanelView.h"
#include "ui/win32/Win32TrayView.h"

namespace vt::win32 {

inline constexpr char kMainWindowClass[] = "TfrmMain";
inline constexpr int kClientWidth = 792;
inline constexpr int kClientHeight = 533;

class MainWindowView : public WindowBase, public MainView {
  public:
    // Creates the window hidden and bare: the owner of the message boxes, all that apply mode
    // needs of it; `trace` is told of each step.
    bool Create(HINSTANCE instance, std::function<void(const char*)> trace = {});
    // The menu and the controls, their events going to the form's parts, laid out.
    void CreateControls(const MainParts& parts);
    // The menu and the controls go again, with the parts they served.
    void DestroyControls();
    HWND Window() const { return WindowBase::Handle(); }
    void Show(int showCommand);
    MainViews Views() { return {*this, tree_, tabs_, editor_, status_, tray_}; }

    // The message loop's share of each message: hints in the status bar, the keys, Tab and the
    // "&" keys among the controls. True when the message was handled.
    bool PreTranslate(MSG& message);

    // --- MainView
    WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(Window()); }
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(const std::string& caption) override;
    void SetConfigTitle(const std::string& title) override;
    void StartStatusThread(TUpdateNetStatus& thread, IpHelper& snapshots,
                           bool showsAtStart) override;
    void StopStatusThread() override { statusThread_.Stop(); }
    std::optional<std::string> ChooseShortcutIcon() override { return icons_.Run(Window()); }
    void ShowAbout() override;
    OptionsView& OptionsDialogView() override { return options_; }
    void RunOptionsDialog(TfrmOptions& dialog) override { options_.Run(dialog); }
    KeepView& KeepDialogView() override { return keep_; }
    void RunKeepDialog(TfrmKeep& dialog) override { keep_.Run(Window(), dialog); }
    void CloseMainWindow() override { PostMessageA(Window(), WM_CLOSE, 0, 0); }
    void Terminate() override { PostQuitMessage(0); }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, const NMHDR& header, LRESULT& result) override;

  private:
    static constexpr DWORD kStyle =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    // The window's frame around a client area of the Parts' size at the DPI.
    static SIZE FrameSize(UINT dpi);
    void LoadPictures();
    void ScaleBarPadding();
    void FitClientArea();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void Layout();
    // The long part of a hint in the status bar, once per change.
    void ShowHint(const std::string& hint);
    std::string HintAt(HWND control, POINT screen);

    Toolbar toolbar_;
    SIZE toolbarPadding_{};  // at 96 DPI
    StatusBar statusBar_;
    Splitter splitter_;
    CardPage page_;
    UINT dpi_ = 96;
    int leftWidth_ = 200;  // at 96 DPI
    std::string shownHint_;
    UniqueImageList actionImages_, treeImages_, tabMarks_;
    Win32ConfigTreeView tree_;
    Win32CardTabsView tabs_;
    Win32EditorView editor_;
    Win32StatusPanelView status_;
    Win32TrayView tray_;
    Win32OptionsDialog options_{nullptr};
    Win32KeepDialog keep_;
    IconDialog icons_;
    UniqueAccelerators keys_;
    StatusRefreshThread statusThread_;
    std::optional<MainParts> parts_;
    std::function<void(const char*)> trace_;
};

}  // namespace vt::win32
