// The main window's frame: its controls, their layout, the message loop's share, dispatch.
// Its size at a DPI, and a move to another, are in MainWindowScale.cpp.
#include "ui/win32/MainWindowView.h"

#include <algorithm>
#include <utility>

#include "platform/win32/Dpi.h"
#include "platform/win32/ErrorReport.h"
#include "resources/resource.h"
#include "ui/win32/AboutDialog.h"
#include "ui/win32/Actions.h"
#include "ui/win32/ContextMenuKeys.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/Images.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

namespace {

constexpr int kPanesTop = 28;      // below the device line
constexpr int kStatusWidth = 172;  // the status group, left of the editor
constexpr int kGap = 8;
constexpr int kMinLeftWidth = 120, kMaxLeftWidth = 320;  // the splitter's limits

}  // namespace

bool MainWindowView::Create(HINSTANCE instance, std::function<void(const char*)> trace) {
    trace_ = trace ? std::move(trace) : [](const char*) {};
    RegisterClass(kMainWindowClass, IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                  LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP)));
    RouteContextMenuKeys();
    dpi_ = SystemDpi();  // a new window shows on the primary monitor, at the system's DPI
    const auto [width, height] = FrameSize(dpi_);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, "", kStyle, x, y, width, height,
                           nullptr, nullptr, instance, static_cast<WindowBase*>(this)) != nullptr;
}

void MainWindowView::LoadPictures() {
    actionImages_ = LoadImageStrip(IDB_ACTIONS, kActionImageSize, dpi_);
    treeImages_ = LoadImageStrip(IDB_TREE, kTreeImageSize, dpi_);
    tabMarks_ = LoadImageStrip(IDB_TABMARKS, kTabMarkSize, dpi_);
}

void MainWindowView::CreateControls(const MainParts& parts) {
    parts_.emplace(parts);
    const HWND window = Window();
    SetMenu(window, BuildMainMenu());
    LoadPictures();
    trace_("pictures");
    toolbar_ = Toolbar(BuildToolbar(window, kIdToolbar, actionImages_.Get()));
    toolbarPadding_ = toolbar_.Padding();  // the control's own, at 96 DPI
    statusBar_ = StatusBar(CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0,
                                           0, window, reinterpret_cast<HMENU>(kIdStatusBar),
                                           nullptr, nullptr));
    statusBar_.SetOnePart();
    trace_("frame, toolbar, status bar");
    tree_.Create(window, parts.tree, treeImages_.Get(), dpi_);
    splitter_.Create(window, kIdSplitter);
    splitter_.onDrag = [this](int x) {
        const int width = std::clamp(Rescaled(x, dpi_, kBaseDpi), kMinLeftWidth, kMaxLeftWidth);
        if (width == leftWidth_) return;
        leftWidth_ = width;
        Layout();
    };
    tabs_.Create(window, parts.tabs, tabMarks_.Get());
    tabs_.onStripChanged = [this] { Layout(); };
    if (dpi_ != kBaseDpi) ScaleBarPadding();
    page_.Create(window, kIdCardPage);
    SetWindowPos(page_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // above the tabs
    trace_("tree, splitter, tabs, page");
    status_.Create(window, page_.Handle(), kStatusWidth, dpi_);
    trace_("status panel");
    editor_.Create(page_.Handle(), parts.editor, kGap + kStatusWidth + kGap, kPanesTop, dpi_);
    trace_("editor");
    tray_.Create(window, parts.tray);
    options_ = Win32OptionsDialog(window);
    keys_ = BuildAccelerators();
    for (HWND control : {statusBar_.Handle(), splitter_.Handle()})
        SetWindowFont(control, MessageFont(dpi_));
    // The menu bar's height is known only now: make the client area exact. Resizing a top-level
    // window costs, even to the same size: only when it is not.
    FitClientArea();
    Layout();
}

void MainWindowView::DestroyControls() {
    StopStatusThread();
    tray_.SetTrayIconVisible(false);
    while (HWND child = GetWindow(Window(), GW_CHILD)) DestroyWindow(child);
    const HMENU menu = GetMenu(Window());
    SetMenu(Window(), nullptr);
    DestroyMenu(menu);
    keys_ = UniqueAccelerators();
    toolbar_ = Toolbar();
    parts_.reset();
}

void MainWindowView::Layout() {
    if (!toolbar_.Handle()) return;
    toolbar_.AutoSize();
    statusBar_.Fit();
    RECT bar{}, status{};
    GetWindowRect(toolbar_.Handle(), &bar);
    GetWindowRect(statusBar_.Handle(), &status);
    const auto px = [this](int pixels) { return Scaled(pixels, dpi_); };
    const int top = bar.bottom - bar.top;
    const int bottom = px(kClientHeight) - (status.bottom - status.top);
    const int left = px(leftWidth_);
    tree_.Place(0, top, left, bottom - top);
    MoveWindow(splitter_.Handle(), left, top, px(kSplitterWidth), bottom - top, TRUE);
    const int tabsLeft = left + px(kSplitterWidth);
    MoveWindow(tabs_.Tabs(), tabsLeft, top + px(2), px(kClientWidth) - tabsLeft - px(2),
               bottom - top - px(4), TRUE);
    const RECT page = tabs_.PageArea();
    const int pageWidth = page.right - page.left;
    const int pageHeight = page.bottom - page.top;
    MoveWindow(page_.Handle(), page.left, page.top, pageWidth, pageHeight, TRUE);
    status_.Resize(pageWidth, pageHeight);
    editor_.Resize(pageWidth, pageHeight);
}

void MainWindowView::Show(int showCommand) {
    ShowWindow(Window(), showCommand);
    UpdateWindow(Window());
}

void MainWindowView::SetApplicationTitle(const std::string& title) {
    win32::SetApplicationTitle(title);
}

void MainWindowView::SetCaption(const std::string& caption) {
    SetWindowTextA(Window(), caption.c_str());
}

void MainWindowView::SetConfigTitle(const std::string& title) {
    SetWindowTextA(tree_.Title(), title.c_str());
}

void MainWindowView::StartStatusThread(TUpdateNetStatus& thread, IpHelper& snapshots,
                                       bool showsAtStart) {
    statusThread_.Start(thread, snapshots, Window(), WM_REFRESHSTATUS, showsAtStart);
}

void MainWindowView::ShowAbout() {
    RunAboutDialog(Window(), [this] { parts_->actions.actHomepageExecute(); });
}

void MainWindowView::ShowHint(const std::string& hint) {
    const std::string text = LongHint(hint);
    if (text == shownHint_) return;
    shownHint_ = text;
    statusBar_.SetText(text);
}

std::string MainWindowView::HintAt(HWND control, POINT screen) {
    if (control == tree_.Tree()) return tree_.HintAt(screen);
    if (control == tabs_.Tabs()) return tabs_.HintAt(screen);
    if (control != toolbar_.Handle()) return std::string();
    ScreenToClient(control, &screen);
    const Action* action = FindAction(toolbar_.CommandAt(screen));
    return action ? action->hint : std::string();
}

bool MainWindowView::PreTranslate(MSG& message) {
    const HWND window = Window();
    if (message.message == WM_MOUSEMOVE &&
        (message.hwnd == window || IsChild(window, message.hwnd))) {
        POINT screen{};
        GetCursorPos(&screen);
        Guarded(window, [&] { ShowHint(HintAt(message.hwnd, screen)); });
    }
    // A label being edited in the tree takes Enter and Escape itself.
    if (tree_.IsEditingLabel()) return false;
    if (keys_ && TranslateAcceleratorW(window, keys_.Get(), &message)) return true;
    // Alt with a menu title's access key opens that menu wherever the focus is: the dialog
    // manager would press the editor's button or box with the same "&" key instead.
    if (message.message == WM_SYSCHAR && message.wParam < 0x80 &&
        IsMenuTitleKey(GetMenu(window), static_cast<char>(message.wParam))) {
        SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, message.wParam);
        return true;
    }
    return IsDialogMessageW(window, &message) != FALSE;
}

bool MainWindowView::OnCommand(int id, int code, HWND) {
    if (editor_.OnCommand(id, code) || tray_.OnCommand(id)) return true;
    ConfigTree& tree = parts_->tree;
    Shortcuts& actions = parts_->actions;
    switch (id) {
        case kIdStatusPicture:
            if (code == STN_DBLCLK) parts_->status.raNetStatusDblClick();
            return true;
        case kCmdAdd: tree.actAddExecute(); return true;
        case kCmdRename: tree.actModifyExecute(); return true;
        case kCmdDelete: tree.actDeleteExecute(); return true;
        case kCmdApply: tree.actApplyExecute(); return true;
        case kCmdTakeCurrent: parts_->editor.actTakeCurrentExecute(); return true;
        case kCmdOptions: parts_->options.actOptionsExecute(); return true;
        case kCmdDesktopShortcut: actions.actDesktopShortCutExecute(); return true;
        case kCmdQuickLaunch: actions.actQuickLaunchExecute(); return true;
        case kCmdHelp: actions.actHelpExecute(); return true;
        case kCmdHomepage: actions.actHomepageExecute(); return true;
        case kCmdWebsite: actions.actWebsiteExecute(); return true;
        case kCmdFeedback: actions.actSendFeedbackExecute(); return true;
        case kCmdAbout: actions.actAboutExecute(); return true;
        case kCmdExit: actions.actExitExecute(); return true;
        default: return false;
    }
}

bool MainWindowView::OnNotify(int id, const NMHDR& header, LRESULT& result) {
    if (id == kIdTree) return tree_.OnNotify(header, result);
    if (id == kIdTabs) return tabs_.OnNotify(header, result);
    if (header.code != TTN_GETDISPINFOA) return false;
    // The toolbar's tool tips, asked for by command: the action's short hint.
    const Action* action = FindAction(id);
    if (!action) return false;
    reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(&header))->lpszText =
        const_cast<char*>(action->hint);
    return true;
}

LRESULT MainWindowView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        StopStatusThread();
        tray_.SetTrayIconVisible(false);
        PostQuitMessage(0);
        return 0;
    }
    // Without its controls (apply mode) the window only owns the message boxes.
    if (!parts_) return Default(message, wParam, lParam);
    if (tray_.OnMessage(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_CONTEXTMENU:  // the tree's from the keyboard; a right click tells it by NM_RCLICK
            if (reinterpret_cast<HWND>(wParam) != tree_.Tree()) break;
            tree_.ShowMenu(lParam);
            return 0;
        case WM_MEASUREITEM:
            if (MeasureMenuImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam),
                                 PictureSize(kActionImageSize, dpi_)))
                return TRUE;
            break;
        case kWmDpiChanged:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (DrawMenuImage(item, actionImages_.Get()) || status_.DrawPicture(item)) return TRUE;
            break;
        }
        case WM_CTLCOLORSTATIC:
            if (!status_.IsGreyText(reinterpret_cast<HWND>(lParam))) break;
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_GRAYTEXT));
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_SYSCOMMAND:
            // Minimising sends the window to the tray instead of the taskbar.
            if ((wParam & 0xFFF0) != SC_MINIMIZE) break;
            parts_->tray.MinimizeToTray();
            return 0;
        case WM_REFRESHSTATUS:
            // A failed refresh is not reported: the next cycle tries again.
            try {
                parts_->status.RefreshStatusPanel(
                    reinterpret_cast<const TAdapterStatuses*>(lParam));
                return 1;
            } catch (...) {
                return 0;
            }
        case WM_MENUSELECT: {
            const Action* action = FindAction(LOWORD(wParam));
            ShowHint(action && !(HIWORD(wParam) & MF_POPUP) ? action->hint : "");
            return 0;
        }
        case WM_EXITMENULOOP:
            ShowHint("");
            return 0;
        case WM_INITMENUPOPUP:  // the configuration menu or the tree's, about to open
            EnableMenuItem(reinterpret_cast<HMENU>(wParam), kCmdTakeCurrent,
                           MF_BYCOMMAND | (parts_->editor.CanTakeCurrentSettings() ? MF_ENABLED
                                                                                   : MF_GRAYED));
            return 0;
        default:
            break;
    }
    return WindowBase::OnMessage(message, wParam, lParam);
}

}  // namespace vt::win32
