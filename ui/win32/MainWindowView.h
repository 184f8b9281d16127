// The main window itself: a fixed-size frame with the configuration tree, driven by the portable
// logic.
#pragma once

#include <windows.h>

#include "ui/MainView.h"

namespace vt::win32 {

inline constexpr char kMainWindowClass[] = "TfrmMain";
inline constexpr int kClientWidth = 792;
inline constexpr int kClientHeight = 533;

class MainWindowView : public MainView {
  public:
    // Creates the window hidden, with its controls.
    bool Create(HINSTANCE instance);
    HWND Window() const { return window_; }
    void Show(int showCommand);

    WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(window_); }
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(const std::string& caption) override;
    void SetConfigTitle(const std::string& title) override;
    void ClearTree() override;
    void SetTreeRedraw(bool enabled) override;
    void AppendTreeNode(TConfigNode& node, int imageIndex, bool select) override;
    void Terminate() override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();

    HWND window_ = nullptr;
    HWND lbConfigTitle_ = nullptr;
    HWND tvConfig_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace vt::win32
