// The About dialog's window.
#include "ui/win32/AboutDialog.h"

#include <string>

#include "core/ProductIdentity.h"
#include "resources/resource.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/Controls.h"
#include "platform/win32/Dpi.h"
#include "ui/win32/Images.h"
#include "platform/win32/ModalDialog.h"

namespace vt::win32 {

namespace {

constexpr int kTitle = 403;
constexpr int kLinkLeft = 220;

class AboutDialog : public ModalDialog {
  public:
    explicit AboutDialog(const std::function<void()>& openHomepage) : openHomepage_(openHomepage) {}

  protected:
    Frame Layout() const override { return {"Product Information", 340, 190}; }
    bool OnInitDialog() override {
        const std::string version = std::string("Version ") + kVersionText;
        CreateControls(Window(), {
            {kIdAboutBanner, "STATIC", "", SS_BITMAP | SS_NOTIFY, 0, 0, 340, 64},
            {-1, "STATIC", "", SS_ICON, 20, 84, 48, 48},
            {kTitle, "STATIC", kProductTitle, 0, 84, 88, 240, 18},
            {-1, "STATIC", version.c_str(), 0, 84, 110, 240, 16},
            {IDOK, "BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 245, 152, 80, 26},
        });
        OnDpi(Dpi());
        return true;
    }
    // The banner drawn for the DPI, the icon at its size there, the title in bold.
    void OnDpi(UINT dpi) override {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        StaticPicture(Item(kIdAboutBanner))
            .SetBitmap(static_cast<HBITMAP>(
                LoadImageA(instance, MAKEINTRESOURCEA(PictureResource(IDB_BANNER, dpi)),
                           IMAGE_BITMAP, 0, 0, LR_SHARED)));
        const int size = Scaled(48, dpi);
        StaticPicture(GetWindow(Item(kTitle), GW_HWNDPREV))
            .SetIcon(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP),
                                                   IMAGE_ICON, size, size, LR_SHARED)));
        Control(Item(kTitle)).SetFont(MessageFont(dpi, true));
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id == kIdAboutBanner && code == STN_CLICKED) {
            if (PointerOnLink()) openHomepage_();
            return true;
        }
        if (id != IDOK) return false;
        End(IDOK);
        return true;
    }
    bool OnSetCursor(HWND control) override {
        if (GetDlgCtrlID(control) != kIdAboutBanner || !PointerOnLink()) return false;
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
        return true;
    }
    // The banner's right part, where the home page's address stands.
    bool PointerOnLink() const {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(GetDlgItem(Window(), kIdAboutBanner), &at);
        return at.x >= Scaled(kLinkLeft, Dpi()) && at.y >= 0 && at.y < Scaled(64, Dpi());
    }

  private:
    const std::function<void()>& openHomepage_;
};

}  // namespace

void RunAboutDialog(HWND owner, const std::function<void()>& openHomepage) {
    AboutDialog dialog(openHomepage);
    dialog.Run(owner);
}

}  // namespace vt::win32
