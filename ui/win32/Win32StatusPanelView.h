// The connection status panel on the card page: the device line, the "Connection Status" group
// with its picture, state word and address text.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"
#include "ui/StatusPanel.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

class Win32StatusPanelView : public StatusPanelView {
  public:
    // `width` at 96 DPI; the controls at the page's DPI.
    void Create(HWND mainWindow, HWND page, int width, UINT dpi);
    // The controls have been moved to the DPI: the pictures drawn for it; Resize lays out at it.
    void SetDpi(UINT dpi);
    void Resize(int pageWidth, int pageHeight);

    // --- StatusPanelView
    bool IsShowing() const override;
    void SetStatusPicture(int index) override;
    void SetStatusWord(const std::string& text) override;
    void SetStatusMemo(const std::string& text) override;
    void SetDeviceLine(const std::string& text) override;

    // The picture is drawn by its owner; the state word and the address text are grey.
    bool DrawPicture(const DRAWITEMSTRUCT& item) const;
    bool IsGreyText(HWND control) const;
    HWND Picture() const { return GetDlgItem(page_, kIdStatusPicture); }

  private:
    void SetTextIfChanged(int id, const std::string& text);

    HWND main_ = nullptr;
    HWND page_ = nullptr;
    UINT dpi_ = 96;
    int picture_ = 2;  // the window opens with the connected picture
    UniqueImageList images_;
};

// Line breaks as a static control shows them: every CR, LF or CR LF becomes CR LF.
std::string WithWindowsLineBreaks(const std::string& text);

}  // namespace vt::win32
