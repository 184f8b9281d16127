// The settings editor's controls on the card page: check boxes, radio buttons, address fields and
// buttons, addressed by EditorControl; their clicks go to the editor's logic.
#pragma once

#include <windows.h>

#include "ui/SettingsEditor.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

// The editor control's id: the first editor id plus its place in EditorControl.
inline int EditorId(EditorControl control) {
    return kIdEditorFirst + static_cast<int>(control);
}

class Win32EditorView : public EditorView {
  public:
    // Makes the controls on `page`, their events going to `logic`, the group's top left corner
    // at `left`, `top`. `left` and `top` at 96 DPI; the controls at the page's DPI.
    void Create(HWND page, SettingsEditor& logic, int left, int top, UINT dpi);
    // The controls have been moved to the DPI; Resize lays them out at it.
    void SetDpi(UINT dpi) { dpi_ = dpi; }
    // The group and its separators fill the page to its right and bottom edges.
    void Resize(int pageWidth, int pageHeight);

    // --- EditorView
    void SetChecked(EditorControl control, bool checked) override;
    bool IsChecked(EditorControl control) const override;
    void SetEnabled(EditorControl control, bool enabled) override;
    bool IsEnabled(EditorControl control) const override;
    void SetAddress(EditorControl field, const std::string& text) override;
    std::string Address(EditorControl field) const override;
    std::string AddressText(EditorControl field) const override;
    void Focus(EditorControl control) override;
    std::optional<std::vector<IPPair>> EditAddressList(const TAddrType& ips,
                                                       const TAddrType& masks) override;

    // A command from one of the editor's controls; false when it is not one of them.
    bool OnCommand(int id, int code);

  private:
    HWND Item(EditorControl control) const { return GetDlgItem(page_, EditorId(control)); }

    SettingsEditor* logic_ = nullptr;
    HWND page_ = nullptr;
    int left_ = 0, top_ = 0;  // at 96 DPI
    UINT dpi_ = 96;
};

}  // namespace vt::win32
