// The main window itself: frame, menu, toolbar, status bar, the two panes with their splitter, and
// the parts' views (tree, tabs, editor); its window procedure dispatches to them by control id.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "platform/win32/Handles.h"
#include "ui/MainViews.h"
#include "ui/win32/Win32CardTabsView.h"
#include "ui/win32/Win32ConfigTreeView.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/Win32EditorView.h"
#include "ui/win32/Win32StatusPanelView.h"
#include "ui/win32/Win32TrayView.h"

namespace vt::win32 {

inline constexpr char kMainWindowClass[] = "TfrmMain";
inline constexpr int kClientWidth = 792;
inline constexpr int kClientHeight = 533;

class MainWindowView : public MainView {
  public:
    MainWindowView() = default;
    MainWindowView(const MainWindowView&) = delete;
    MainWindowView& operator=(const MainWindowView&) = delete;

    // Creates the window hidden, with its controls.
    bool Create(HINSTANCE instance);
    HWND Window() const { return window_; }
    void Show(int showCommand);
    MainViews Views() { return {*this, tree_, tabs_, editor_, status_, tray_}; }
    // From now on the window's events go to the form's parts.
    void Attach(const MainParts& parts);

    // The message loop's share of each message: hints in the status bar, Tab and the "&" keys
    // among the controls. True when the message was handled.
    bool PreTranslate(MSG& message);

    // --- MainView
    WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(window_); }
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(const std::string& caption) override;
    void SetConfigTitle(const std::string& title) override;
    void StartStatusThread(TUpdateNetStatus& thread) override;
    void StopStatusThread() override;
    std::optional<std::string> ChooseShortcutIcon() override;
    void ShowAbout() override;
    OptionsView& OptionsDialogView() override { return options_; }
    void RunOptionsDialog(TfrmOptions& dialog) override { options_.Run(dialog); }
    void CloseMainWindow() override { PostMessageA(window_, WM_CLOSE, 0, 0); }
    void Terminate() override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SplitterProc(HWND splitter, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void CreateToolbar();
    void Layout();
    void OnCommand(int id, int code);
    bool OnNotify(const NMHDR& header, LRESULT& result);
    void ShowHint(const std::string& hint);
    static DWORD WINAPI StatusThreadMain(void* self);
    std::string HintAt(HWND control, POINT screen);
    // Whether Alt with that key opens a menu of the menu bar.
    bool IsMenuTitleKey(char key) const;

    HWND window_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND splitter_ = nullptr;
    HWND page_ = nullptr;
    std::optional<MainParts> parts_;
    int leftWidth_ = 200;
    std::string shownHint_;
    UniqueImageList actionImages_, treeImages_, tabMarks_;
    Win32ConfigTreeView tree_;
    Win32CardTabsView tabs_;
    Win32EditorView editor_;
    Win32StatusPanelView status_;
    Win32TrayView tray_;
    Win32OptionsDialog options_{nullptr};
    std::string lastIcon_;  // the icon dialog opens again on it
    HACCEL keys_ = nullptr;
    TUpdateNetStatus* statusThread_ = nullptr;
    UniqueHandle statusThreadHandle_, statusWake_;
};

}  // namespace vt::win32
