// The options dialog ("Options"): three pages of choices under a tab control, OK and Cancel.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"
#include "ui/OptionsDialog.h"
#include "platform/win32/ModalDialog.h"

namespace vt::win32 {

// Control ids, so tests find the controls.
inline constexpr int kIdOptionsPages = 301;
inline constexpr int kIdChkAutorun = 302;
inline constexpr int kIdChkEnableMenu = 303;
inline constexpr int kIdChkCustomizeIcon = 304;
inline constexpr int kIdLvItems = 305;
inline constexpr int kIdLvCardList = 306;
inline constexpr int kIdChkConfirmApply = 307;
inline constexpr int kIdEdtConfirmSeconds = 308;

// Lives as long as the main window; its window exists while the dialog runs.
class Win32OptionsDialog : public ModalDialog, public OptionsView {
  public:
    explicit Win32OptionsDialog(HWND owner) : owner_(owner) {}
    void Run(TfrmOptions& logic);

    // --- OptionsView
    WindowHandle Handle() override;
    void ShowRows() override;
    void Close() override { End(IDOK); }

  protected:
    Frame Layout() const override { return {"Options", 397, 295}; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, const NMHDR& header) override;
    // The lists' menus: a right click turns into this, and so do Shift+F10 and the menu key.
    void OnContextMenu(HWND control, LPARAM position) override;
    void OnDpi(UINT dpi) override;

  private:
    void ShowPage(int page);
    void TakeChoices();  // what the user checked, into the logic

    HWND owner_;
    TfrmOptions* logic_ = nullptr;
    UniqueImageList adapterImages_;
};

}  // namespace vt::win32
