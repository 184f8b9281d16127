// The main window's frame, layout, splitter, hints and message dispatch.
#include "ui/win32/MainWindowView.h"

#include <commdlg.h>

#include <cstring>

#include "base/AnsiText.h"
#include "resources/resource.h"
#include "ui/win32/AboutDialog.h"
#include "ui/win32/Actions.h"
#include "ui/win32/ContextMenuKeys.h"
#include "ui/win32/ControlTable.h"
#include "ui/win32/ErrorReport.h"
#include "ui/win32/MainWindowIds.h"

namespace vt::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr char kSplitterClass[] = "TSplitter";
constexpr char kPageClass[] = "TCardPage";
constexpr int kSplitterWidth = 4;
constexpr int kMinLeftWidth = 120, kMaxLeftWidth = 320;
constexpr int kPanesTop = 28;      // below the device line
constexpr int kStatusWidth = 172;  // the status group, left of the editor

UniqueImageList LoadImages(HINSTANCE instance, int bitmap, int size) {
    return UniqueImageList(ImageList_LoadImageA(instance, MAKEINTRESOURCEA(bitmap), size, 0,
                                                RGB(255, 0, 255), IMAGE_BITMAP,
                                                LR_CREATEDIBSECTION));
}

void RegisterClasses(HINSTANCE instance, WNDPROC main, WNDPROC splitter, WNDPROC page) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpfnWndProc = page;
    windowClass.lpszClassName = kPageClass;
    RegisterClassExA(&windowClass);
    windowClass.lpfnWndProc = main;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassExA(&windowClass);
    windowClass.lpfnWndProc = splitter;
    windowClass.hIcon = nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32644));  // IDC_SIZEWE
    windowClass.lpszClassName = kSplitterClass;
    RegisterClassExA(&windowClass);
}

}  // namespace

bool MainWindowView::Create(HINSTANCE instance) {
    RegisterClasses(instance, WindowProc, SplitterProc, PageProc);
    RouteContextMenuKeys();
    actionImages_ = LoadImages(instance, IDB_ACTIONS, 20);
    treeImages_ = LoadImages(instance, IDB_TREE, 24);
    tabMarks_ = LoadImages(instance, IDB_TABMARKS, 18);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, TRUE, WS_EX_CONTROLPARENT);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_ = CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, "", kStyle, x, y, width,
                              height, nullptr, BuildMainMenu(), instance, this);
    if (!window_) return false;
    // The menu bar's height is known only now: make the client area exact.
    RECT client{};
    GetClientRect(window_, &client);
    SetWindowPos(window_, nullptr, 0, 0, width + kClientWidth - client.right,
                 height + kClientHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    Layout();
    return true;
}

void MainWindowView::CreateControls() {
    CreateToolbar();
    statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(kIdStatusBar), nullptr, nullptr);
    const int parts[] = {-1};  // one part, the whole width
    SendMessageA(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
    tree_.Create(window_, treeImages_.Get());
    splitter_ = CreateWindowExA(0, kSplitterClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                                reinterpret_cast<HMENU>(kIdSplitter), nullptr, nullptr);
    tabs_.Create(window_, tabMarks_.Get());
    tabs_.onStripChanged = [this] { Layout(); };
    page_ = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_VISIBLE |
                                                                     WS_CLIPSIBLINGS,
                            0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kIdCardPage), nullptr,
                            nullptr);
    SetWindowPos(page_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // above the tab control
    status_.Create(window_, page_, kStatusWidth);
    editor_.Create(page_, 8 + kStatusWidth + 8, kPanesTop);
    tray_.Create(window_);
    options_ = Win32OptionsDialog(window_);
    keys_ = BuildAccelerators();
    for (HWND control : {statusBar_, splitter_})
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
}

void MainWindowView::CreateToolbar() {
    toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                               0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kIdToolbar), nullptr,
                               nullptr);
    SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(actionImages_.Get()));
    SendMessageA(toolbar_, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    for (int command : kToolbarCommands) {
        TBBUTTON button{};
        if (command == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            const Action* action = FindAction(command);
            button.iBitmap = action->image;
            button.idCommand = command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
            button.iString = reinterpret_cast<INT_PTR>(action->toolbarText);
        }
        SendMessageA(toolbar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
}

void MainWindowView::Layout() {
    if (!toolbar_) return;
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
    SendMessageA(statusBar_, WM_SIZE, 0, 0);
    RECT bar{}, status{};
    GetWindowRect(toolbar_, &bar);
    GetWindowRect(statusBar_, &status);
    const int top = bar.bottom - bar.top;
    const int bottom = kClientHeight - (status.bottom - status.top);
    tree_.Place(0, top, leftWidth_, bottom - top);
    MoveWindow(splitter_, leftWidth_, top, kSplitterWidth, bottom - top, TRUE);
    const int tabsLeft = leftWidth_ + kSplitterWidth;
    MoveWindow(tabs_.Tabs(), tabsLeft, top + 2, kClientWidth - tabsLeft - 2, bottom - top - 4, TRUE);
    const RECT page = tabs_.PageArea();
    const int pageWidth = page.right - page.left;
    const int pageHeight = page.bottom - page.top;
    MoveWindow(page_, page.left, page.top, pageWidth, pageHeight, TRUE);
    status_.Resize(pageWidth, pageHeight);
    editor_.Resize(pageWidth, pageHeight);
}

void MainWindowView::Attach(const MainParts& parts) {
    parts_.emplace(parts);
    tree_.Attach(parts.tree);
    tabs_.Attach(parts.tabs);
    editor_.Attach(parts.editor);
    tray_.Attach(parts.tray);
}

void MainWindowView::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

void MainWindowView::SetApplicationTitle(const std::string& title) {
    win32::SetApplicationTitle(title);
}

void MainWindowView::SetCaption(const std::string& caption) {
    SetWindowTextA(window_, caption.c_str());
}

void MainWindowView::SetConfigTitle(const std::string& title) {
    SetWindowTextA(tree_.Title(), title.c_str());
}

// The refresh thread hands each refresh to this window's thread and waits for it; it is woken
// early to stop.
void MainWindowView::StartStatusThread(TUpdateNetStatus& thread) {
    StopStatusThread();
    statusThread_ = &thread;
    statusWake_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    DWORD id = 0;
    statusThreadHandle_.Reset(CreateThread(nullptr, 0, StatusThreadMain, this, 0, &id));
}

DWORD WINAPI MainWindowView::StatusThreadMain(void* parameter) {
    auto* self = static_cast<MainWindowView*>(parameter);
    const HWND window = self->window_;
    const HANDLE wake = self->statusWake_.Get();
    self->statusThread_->Execute(
        [window] { SendMessageA(window, WM_REFRESHSTATUS, 0, 0); },
        [wake](unsigned ms) { WaitForSingleObject(wake, ms); });
    return 0;
}

// Never waits on a thread that waits for us: while waiting, the refreshes it hands over run.
void MainWindowView::StopStatusThread() {
    if (!statusThreadHandle_) return;
    statusThread_->StopRequested = true;
    SetEvent(statusWake_.Get());
    const HANDLE thread = statusThreadHandle_.Get();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    statusThreadHandle_.Reset();
}

std::optional<std::string> MainWindowView::ChooseShortcutIcon() {
    char file[MAX_PATH] = {};
    lastIcon_.copy(file, sizeof file - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = "Icons (*.ico)\0*.ico\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrTitle = "Choose an icon for shortcut";
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                   OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    lastIcon_ = file;
    return lastIcon_;
}

void MainWindowView::ShowAbout() {
    RunAboutDialog(window_, [this] {
        if (parts_) parts_->actions.actHomepageExecute();
    });
}

void MainWindowView::Terminate() {
    PostQuitMessage(0);
}

void MainWindowView::ShowHint(const std::string& hint) {
    const std::string text = LongHint(hint);
    if (text == shownHint_) return;
    shownHint_ = text;
    SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string MainWindowView::HintAt(HWND control, POINT screen) {
    if (control == tree_.Tree()) return tree_.HintAt(screen);
    if (control == tabs_.Tabs()) return tabs_.HintAt(screen);
    if (control == toolbar_) {
        POINT at = screen;
        ScreenToClient(toolbar_, &at);
        const int index = static_cast<int>(SendMessageA(toolbar_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
        TBBUTTON button{};
        if (index >= 0 && SendMessageA(toolbar_, TB_GETBUTTON, static_cast<WPARAM>(index),
                                       reinterpret_cast<LPARAM>(&button)))
            if (const Action* action = FindAction(button.idCommand)) return action->hint;
    }
    return std::string();
}

bool MainWindowView::PreTranslate(MSG& message) {
    if (message.message == WM_MOUSEMOVE && (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
        POINT screen{};
        GetCursorPos(&screen);
        Guarded(window_, [&] { ShowHint(HintAt(message.hwnd, screen)); });
    }
    // A label being edited in the tree takes Enter and Escape itself.
    if (tree_.IsEditingLabel()) return false;
    if (keys_ && TranslateAcceleratorA(window_, keys_, &message)) return true;
    // Alt with a menu title's access key opens that menu wherever the focus is: the dialog
    // manager would press the editor's button or box with the same "&" key instead.
    if (message.message == WM_SYSCHAR && IsMenuTitleKey(static_cast<char>(message.wParam))) {
        SendMessageA(window_, WM_SYSCOMMAND, SC_KEYMENU, message.wParam);
        return true;
    }
    return IsDialogMessageA(window_, &message) != FALSE;
}

bool MainWindowView::IsMenuTitleKey(char key) const {
    const HMENU bar = GetMenu(window_);
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        char title[64] = {};
        GetMenuStringA(bar, static_cast<UINT>(i), title, sizeof title, MF_BYPOSITION);
        const char* amp = std::strchr(title, '&');
        if (amp && amp[1] && FoldCase(amp[1]) == FoldCase(key)) return true;
    }
    return false;
}

void MainWindowView::OnCommand(int id, int code) {
    if (editor_.OnCommand(id, code) || tray_.OnCommand(id) || !parts_) return;
    if (id == kIdStatusPicture && code == STN_DBLCLK) parts_->status.raNetStatusDblClick();
    ConfigTree& tree = parts_->tree;
    Shortcuts& actions = parts_->actions;
    switch (id) {
        case kCmdAdd: tree.actAddExecute(); break;
        case kCmdRename: tree.actModifyExecute(); break;
        case kCmdDelete: tree.actDeleteExecute(); break;
        case kCmdApply: tree.actApplyExecute(); break;
        case kCmdOptions: parts_->options.actOptionsExecute(); break;
        case kCmdDesktopShortcut: actions.actDesktopShortCutExecute(); break;
        case kCmdQuickLaunch: actions.actQuickLaunchExecute(); break;
        case kCmdHelp: actions.actHelpExecute(); break;
        case kCmdHomepage: actions.actHomepageExecute(); break;
        case kCmdWebsite: actions.actWebsiteExecute(); break;
        case kCmdFeedback: actions.actSendFeedbackExecute(); break;
        case kCmdAbout: actions.actAboutExecute(); break;
        case kCmdExit: actions.actExitExecute(); break;
        default: break;
    }
}

bool MainWindowView::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom == tree_.Tree()) return tree_.OnNotify(header, result);
    if (header.hwndFrom == tabs_.Tabs()) return tabs_.OnNotify(header, result);
    if (header.code == TTN_GETDISPINFOA) {  // the toolbar's tool tips: the action's short hint
        auto& tip = *reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(&header));
        if (const Action* action = FindAction(static_cast<int>(header.idFrom))) {
            tip.lpszText = const_cast<char*>(action->hint);
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK MainWindowView::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindowView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindowView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (!Guarded(window, [&] { result = self->OnMessage(message, wParam, lParam); })) return 0;
    return result;
}

LRESULT MainWindowView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tray_.OnMessage(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
            break;
        }
        case WM_CONTEXTMENU:  // the tree's from the keyboard; a right click tells it by NM_RCLICK
            if (reinterpret_cast<HWND>(wParam) != tree_.Tree()) break;
            tree_.ShowMenu(lParam);
            return 0;
        case WM_EDITNODE:
            tree_.EditNode(*reinterpret_cast<TConfigNode*>(wParam));
            return 0;
        case WM_NODEEDITED:
            tree_.NodeEdited();
            return 0;
        case WM_MEASUREITEM:
            if (MeasureMenuImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (DrawMenuImage(item, actionImages_.Get()) || status_.DrawPicture(item)) return TRUE;
            break;
        }
        case WM_CTLCOLORSTATIC:
            if (status_.IsGreyText(reinterpret_cast<HWND>(lParam))) {
                const auto dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_SYSCOMMAND:
            // Minimising sends the window to the tray instead of the taskbar.
            if ((wParam & 0xFFF0) == SC_MINIMIZE && parts_) {
                parts_->tray.MinimizeToTray();
                return 0;
            }
            break;
        case WM_REFRESHSTATUS:
            // A failed refresh is not reported: the next cycle tries again.
            try {
                if (parts_) parts_->status.RefreshStatusPanel();
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
        case WM_DESTROY:
            StopStatusThread();
            tray_.SetTrayIconVisible(false);
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// The bar between the panes: dragging it gives the left pane another width.
LRESULT CALLBACK MainWindowView::SplitterProc(HWND splitter, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            SetCapture(splitter);
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            return 0;
        case WM_MOUSEMOVE:
            if (GetCapture() == splitter && (wParam & MK_LBUTTON)) {
                HWND main = GetParent(splitter);
                auto* self = reinterpret_cast<MainWindowView*>(GetWindowLongPtrA(main, GWLP_USERDATA));
                POINT at{};
                GetCursorPos(&at);
                ScreenToClient(main, &at);
                const int width = at.x < kMinLeftWidth ? kMinLeftWidth
                                  : at.x > kMaxLeftWidth ? kMaxLeftWidth
                                                         : static_cast<int>(at.x);
                if (self && width != self->leftWidth_) {
                    self->leftWidth_ = width;
                    self->Layout();
                }
            }
            return 0;
        default:
            return DefWindowProcA(splitter, message, wParam, lParam);
    }
}

// The card page hands what its controls report to the main window; the status picture shows a
// hand, since a double-click on it opens the network connections.
LRESULT CALLBACK MainWindowView::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
            return SendMessageA(GetParent(page), message, wParam, lParam);
        case WM_SETCURSOR:
            if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == kIdStatusPicture) {
                SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
                return TRUE;
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(page, message, wParam, lParam);
}

}  // namespace vt::win32
