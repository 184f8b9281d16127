// The status panel's window side.
#include "ui/win32/Win32StatusPanelView.h"

#include "resources/resource.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/Controls.h"
#include "platform/win32/Dpi.h"
#include "ui/win32/Images.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

namespace {

constexpr int kGroupLeft = 8, kGroupTop = 28;
constexpr int kMargin = 8;  // below the group
constexpr int kDeviceLineLeft = 12, kDeviceLineHeight = 18;
constexpr int kMemoInset = 10, kMemoTop = kGroupTop + 106;

}  // namespace

std::string WithWindowsLineBreaks(const std::string& text) {
    std::string shown;
    shown.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            shown += "\r\n";
        } else {
            shown.push_back(text[i]);
        }
    }
    return shown;
}

void Win32StatusPanelView::Create(HWND mainWindow, HWND page, int width, UINT dpi) {
    main_ = mainWindow;
    page_ = page;
    images_ = LoadImageStrip(IDB_STATUS, kStatusPictureSize, dpi);
    dpi_ = dpi;
    const int middle = kGroupLeft + width / 2;
    CreateControls(page, {
        {kIdDeviceLine, "STATIC", "", SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS, kDeviceLineLeft, 6, 0,
         kDeviceLineHeight},
        {kIdStatusPicture, "STATIC", "", SS_OWNERDRAW | SS_NOTIFY, middle - kStatusPictureSize / 2,
         kGroupTop + 22, kStatusPictureSize, kStatusPictureSize},
        {kIdStatusWord, "STATIC", "", SS_CENTER, kGroupLeft + 6, kGroupTop + 82, width - 12, 16},
        // A read-only edit without a frame: the addresses can be selected and copied.
        {kIdStatusMemo, "EDIT", "", ES_MULTILINE | ES_READONLY, kGroupLeft + kMemoInset, kMemoTop,
         width - 2 * kMemoInset, 0},
        {kIdStatusGroup, "BUTTON", "Connection Status", BS_GROUPBOX | WS_CLIPSIBLINGS, kGroupLeft,
         kGroupTop, width, 0},
    });
    Control(GetDlgItem(page, kIdDeviceLine)).SetFont(GuiFontBold(page));
    EditBox(GetDlgItem(page, kIdStatusMemo)).SetMargins(0, 0);
}

void Win32StatusPanelView::SetDpi(UINT dpi) {
    dpi_ = dpi;
    images_ = LoadImageStrip(IDB_STATUS, kStatusPictureSize, dpi);
}

void Win32StatusPanelView::Resize(int pageWidth, int pageHeight) {
    const auto resize = [&](int id, int width, int height) {
        SetWindowPos(GetDlgItem(page_, id), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    };
    const auto px = [this](int pixels) { return Scaled(pixels, dpi_); };
    RECT group{};
    GetWindowRect(GetDlgItem(page_, kIdStatusGroup), &group);
    const int width = group.right - group.left;
    const int bottom = pageHeight - px(kMargin);
    resize(kIdDeviceLine, pageWidth - px(2 * kDeviceLineLeft), px(kDeviceLineHeight));
    resize(kIdStatusGroup, width, bottom - px(kGroupTop));
    resize(kIdStatusMemo, width - px(2 * kMemoInset), bottom - px(kMemoTop + kMargin));
}

bool Win32StatusPanelView::IsShowing() const {
    return IsWindowVisible(main_) && !IsIconic(main_);
}

void Win32StatusPanelView::SetStatusPicture(int index) {
    if (index == picture_) return;
    picture_ = index;
    InvalidateRect(Picture(), nullptr, TRUE);
}

// Texts change rarely, refreshes come three times a second: repaint only what changed.
void Win32StatusPanelView::SetTextIfChanged(int id, const std::string& text) {
    HWND control = GetDlgItem(page_, id);
    const int length = GetWindowTextLengthA(control);
    std::string shown(static_cast<size_t>(length) + 1, '\0');
    shown.resize(static_cast<size_t>(GetWindowTextA(control, shown.data(), length + 1)));
    if (shown != text) SetWindowTextA(control, text.c_str());
}

void Win32StatusPanelView::SetStatusWord(const std::string& text) {
    SetTextIfChanged(kIdStatusWord, text);
}

void Win32StatusPanelView::SetStatusMemo(const std::string& text) {
    SetTextIfChanged(kIdStatusMemo, WithWindowsLineBreaks(text));
}

void Win32StatusPanelView::SetDeviceLine(const std::string& text) {
    SetTextIfChanged(kIdDeviceLine, text);
}

bool Win32StatusPanelView::DrawPicture(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_STATIC || static_cast<int>(item.CtlID) != kIdStatusPicture) return false;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    // Centred: the pictures are drawn at 100, 150 and 200 %, the place at any scale.
    int size = 0, height = 0;
    ImageList_GetIconSize(images_.Get(), &size, &height);
    ImageList_Draw(images_.Get(), picture_, item.hDC,
                   (item.rcItem.left + item.rcItem.right - size) / 2,
                   (item.rcItem.top + item.rcItem.bottom - height) / 2, ILD_TRANSPARENT);
    return true;
}

bool Win32StatusPanelView::IsGreyText(HWND control) const {
    const int id = GetDlgCtrlID(control);
    return GetParent(control) == page_ && (id == kIdStatusWord || id == kIdStatusMemo);
}

}  // namespace vt::win32
