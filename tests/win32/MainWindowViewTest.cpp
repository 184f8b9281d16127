// The main window with real controls under Wine, driven by its logic on fake platform services:
// geometry, and every kind of control reaching the logic (tree, tabs, editor, toolbar, menu).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <tuple>

#include "base/Error.h"
#include "controls/win32/IPEditControl.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/win32/BoxWatcher.h"
#include "tests/win32/LayoutProbe.h"
#include "tests/win32/Screenshot.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/ErrorReport.h"
#include "ui/win32/MainWindowIds.h"
#include "ui/win32/AboutDialog.h"
#include "ui/win32/EditIPDialog.h"
#include "ui/win32/IPListDialog.h"
#include "ui/MainWindow.h"
#include "ui/win32/MainWindowView.h"
#include "ui/win32/OptionsDialog.h"

namespace vt::win32 {
namespace {

using C = EditorControl;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// One window for the whole suite (hiding a shown window costs Wine two seconds under Xvfb); each
// test starts it anew with its own form on fresh fakes.
class MainWindowViewTest : public ::testing::Test, protected fakes::FakePlatform {
  protected:
    static constexpr char kPath[] = "C:\\Tools\\LocalSettings.Ini";
    static void SetUpTestSuite() {
        view = new MainWindowView;
        ASSERT_TRUE(view->Create(GetModuleHandleA(nullptr)));
        view->Show(SW_SHOWNOACTIVATE);
    }
    static void TearDownTestSuite() {
        DestroyWindow(view->Window());
        delete view;
        MSG quit;  // the window asks the application to end; later tests need an empty queue
        while (PeekMessageA(&quit, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void SetUp() override {
        for (const auto& [subkey, id, name] :
             {std::tuple{"0000", "{CA}", "LAN"}, std::tuple{"0001", "{CB}", "WLAN"}}) {
            const std::string classKey = std::string(kAdapterClassKey) + "\\" + subkey;
            registry.store.SeedString(classKey, "NetCfgInstanceId", id);
            registry.store.SeedString(classKey, "DriverDesc", std::string(name) + " adapter");
            registry.store.SeedString(classKey + "\\Ndi\\Interfaces", "LowerRange", "ethernet");
            registry.store.SeedString(ConnectionKeyPath(id), "Name", name);
        }
        files.Put(kPath,
                  "[Configurations]\r\n{K1}=Office\r\n{K2}=Home\r\n[FriendlyName]\r\n"
                  "Office={K1}\r\nHome={K2}\r\n[{K1}{CA}]\r\nToConfig=1\r\nAutoDHCP=0\r\n"
                  "IPAddr0=10.0.0.2\r\nSubnetMask0=255.0.0.0\r\n");
        form = std::make_unique<TfrmMain>(platform, view->Views(), StartRequest{});
        view->CreateControls(form->Parts());
        form->FormCreate();
        tree = GetDlgItem(view->Window(), kIdTree);
        tabs = GetDlgItem(view->Window(), kIdTabs);
        page = GetDlgItem(view->Window(), kIdCardPage);
    }
    void TearDown() override {
        if (TreeView_GetEditControl(tree)) TreeView_EndEditLabelNow(tree, TRUE);
        Pump();
        view->DestroyControls();
    }
    HWND Editor(C control) { return GetDlgItem(page, EditorId(control)); }
    HTREEITEM Item(int index) {
        HTREEITEM item = TreeView_GetRoot(tree);
        while (index-- > 0 && item) item = TreeView_GetNextSibling(tree, item);
        return item;
    }
    std::string ItemText(HTREEITEM item) {
        char text[128] = {};
        TVITEMA query{};
        query.mask = TVIF_TEXT | TVIF_HANDLE;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        return text;
    }
    int TabImage(int tab) {
        TCITEMA item{};
        item.mask = TCIF_IMAGE;
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    // A click on a tab, as the mouse gives it.
    void ClickTab(int tab) {
        RECT area{};
        TabCtrl_GetItemRect(tabs, tab, &area);
        const LPARAM at = MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
        SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tabs, WM_LBUTTONUP, 0, at);
        Pump();
    }

    static MainWindowView* view;
    std::unique_ptr<TfrmMain> form;
    HWND tree = nullptr, tabs = nullptr, page = nullptr;
};

MainWindowView* MainWindowViewTest::view = nullptr;

TEST_F(MainWindowViewTest, FrameAndPanesAreLaidOutAsSpecified) {
    RECT client{};
    GetClientRect(view->Window(), &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
    const LONG style = GetWindowLongA(view->Window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    RECT pane{};
    GetWindowRect(tree, &pane);
    MapWindowPoints(nullptr, view->Window(), reinterpret_cast<POINT*>(&pane), 2);
    EXPECT_EQ(pane.left, 0);
    EXPECT_EQ(pane.right, 200);
    char text[64] = {};
    GetDlgItemTextA(view->Window(), kIdConfigTitle, text, sizeof text);
    EXPECT_STREQ(text, "  Configurations");
    GetDlgItemTextA(page, kIdStatusGroup, text, sizeof text);
    EXPECT_STREQ(text, "Connection Status");
    GetClassNameA(GetDlgItem(page, kIdStatusMemo), text, sizeof text);  // its text can be copied
    EXPECT_EQ(lstrcmpiA(text, "Edit"), 0);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(page, kIdStatusMemo), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(TabCtrl_GetItemCount(tabs), 2);
    EXPECT_EQ(SendDlgItemMessageA(view->Window(), kIdToolbar, TB_BUTTONCOUNT, 0, 0), 9);
    HMENU menu = GetMenu(view->Window());
    GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Configuration");
    for (C control : {C::checkSelected, C::edtIP, C::btnIPMore, C::edtDns1, C::btnApply})
        EXPECT_NE(Editor(control), nullptr);
    EXPECT_FALSE(IsWindowEnabled(Editor(C::btnSave)));  // the start state
    vt::testing::SaveScreenshot(view->Window(), "main-window");
}

TEST_F(MainWindowViewTest, TreeTabsAndEditorReachTheLogic) {
    TreeView_SelectItem(tree, Item(0));
    Pump();
    EXPECT_EQ(IPEditText(Editor(C::edtIP)), "10.0.0.2");
    EXPECT_EQ(TabImage(0), 1);
    EXPECT_EQ(TabImage(1), 0);
    SendMessageA(Editor(C::rbDisable), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(Editor(C::btnSave)));
    EXPECT_FALSE(IsWindowEnabled(Editor(C::edtIP)));
    SendMessageA(Editor(C::btnSave), BM_CLICK, 0, 0);
    EXPECT_EQ(form->Session.Settings().ReadString("{K1}{CA}", "ToEnable", ""), "0");

    prompts.answers = {kIdNo};
    SetWindowTextA(Editor(C::edtGateway), "10.0.0.1");  // the field's change marks the edit
    ClickTab(1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "Save - Office");
    EXPECT_EQ(TabCtrl_GetCurSel(tabs), 1);
    EXPECT_EQ(form->Session.Cards().Current().ConnectionName, "WLAN");
}

// The status bar shows the long hint of what the pointer is over.
TEST_F(MainWindowViewTest, StatusBarShowsTheHintUnderThePointer) {
    const auto hintOver = [&](HWND control, RECT area) {
        POINT at{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        ClientToScreen(control, &at);
        SetCursorPos(at.x, at.y);
        MSG move{control, WM_MOUSEMOVE, 0, 0, 0, at};
        view->PreTranslate(move);
        char text[128] = {};
        SendDlgItemMessageA(view->Window(), kIdStatusBar, SB_GETTEXTA, 0,
                            reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    RECT area{};
    TreeView_GetItemRect(tree, Item(1), &area, TRUE);
    EXPECT_EQ(hintOver(tree, area), "  Configurations - Home");
    TabCtrl_GetItemRect(tabs, 1, &area);
    EXPECT_EQ(hintOver(tabs, area), "WLAN adapter");
    HWND toolbar = GetDlgItem(view->Window(), kIdToolbar);
    SendMessageA(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&area));
    EXPECT_EQ(hintOver(toolbar, area), "Add a configuration");
}

TEST_F(MainWindowViewTest, AddRenameByLabelEditingAndTheToolbarCommands) {
    SendMessageA(view->Window(), WM_COMMAND, MAKEWPARAM(kCmdAdd, BN_CLICKED), 0);
    HWND edit = TreeView_GetEditControl(tree);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(ItemText(TreeView_GetSelection(tree)), "New Configuration1");
    SetWindowTextA(edit, "Lab");
    TreeView_EndEditLabelNow(tree, FALSE);
    Pump();
    EXPECT_EQ(ItemText(Item(2)), "Lab");
    EXPECT_NE(files.Content(kPath).find("\r\nLab={00000000-0000-4000-8000-000000000001}\r\n"),
              std::string::npos);

    SendMessageA(tree, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Item(2)));
    SetWindowTextA(TreeView_GetEditControl(tree), "");
    TreeView_EndEditLabelNow(tree, FALSE);
    Pump();  // the name is checked, then WM_EDITNODE restarts the edit
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "Rename - Lab");
    EXPECT_NE(TreeView_GetEditControl(tree), nullptr);
    EXPECT_EQ(ItemText(Item(2)), "Lab");
}

HWND WaitForDialog(const char* caption) {
    for (int i = 0; i < 500; ++i) {
        HWND found = FindWindowA("#32770", caption);
        if (found && IsWindowVisible(found)) return found;
        Sleep(10);
    }
    return nullptr;
}

TEST_F(MainWindowViewTest, OptionsDialogShowsItsPagesAndOkCarriesTheChoicesOut) {
    std::vector<std::string> seen;
    std::thread driver([&] {
        HWND dialog = WaitForDialog("Options");
        if (!dialog) return;
        RECT client{};
        GetClientRect(dialog, &client);
        seen.push_back(std::to_string(client.right) + "x" + std::to_string(client.bottom));
        HWND pages = GetDlgItem(dialog, kIdOptionsPages);
        seen.push_back(std::to_string(TabCtrl_GetItemCount(pages)) + " pages");
        seen.push_back(std::to_string(ListView_GetItemCount(GetDlgItem(dialog, kIdLvItems))) +
                       " configurations");
        vt::testing::SaveScreenshot(dialog, "options-dialog");
        // The seconds count only once the box is checked.
        HWND seconds = GetDlgItem(dialog, kIdEdtConfirmSeconds);
        seen.push_back(std::to_string(GetDlgItemInt(dialog, kIdEdtConfirmSeconds, nullptr, FALSE)) +
                       (IsWindowEnabled(seconds) ? " s, enabled" : " s, disabled"));
        SendMessageA(GetDlgItem(dialog, kIdChkConfirmApply), BM_CLICK, 0, 0);
        seen.push_back(IsWindowEnabled(seconds) ? "enabled" : "still disabled");
        SetWindowTextA(seconds, "30");
        TabCtrl_SetCurSel(pages, 2);
        NMHDR change{pages, static_cast<UINT_PTR>(kIdOptionsPages), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(dialog, WM_NOTIFY, kIdOptionsPages, reinterpret_cast<LPARAM>(&change));
        seen.push_back(IsWindowVisible(GetDlgItem(dialog, kIdLvCardList)) &&
                               !IsWindowVisible(GetDlgItem(dialog, kIdChkAutorun))
                           ? "adapters page"
                           : "wrong page");
        CheckDlgButton(dialog, kIdChkAutorun, BST_CHECKED);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    form->OptionsAction.actOptionsExecute();
    driver.join();
    EXPECT_EQ(seen, (std::vector<std::string>{"397x295", "3 pages", "2 configurations",
                                               "15 s, disabled", "enabled", "adapters page"}));
    EXPECT_EQ(form->Session.Settings().ReadString("Options", "Autorun", ""), "1");
    EXPECT_EQ(form->Session.Settings().ReadString("Options", "ConfirmApply", ""), "1");
    EXPECT_EQ(form->Session.Settings().ReadString("Options", "ConfirmSeconds", ""), "30");
    EXPECT_EQ(shell.links.count("C:\\Users\\Ann\\Startup\\Velmora Tarvello.lnk"), 1u);
    EXPECT_EQ(shell.exportsCalled.size(), 1u);
}

TEST_F(MainWindowViewTest, AboutDialogShowsTheProductAndItsBannerOpensTheHomePage) {
    std::string title;
    std::thread driver([&] {
        HWND dialog = WaitForDialog("Product Information");
        if (!dialog) return;
        char text[64] = {};
        GetDlgItemTextA(dialog, 403, text, sizeof text);
        title = text;
        vt::testing::SaveScreenshot(dialog, "about-dialog");
        HWND banner = GetDlgItem(dialog, kIdAboutBanner);
        RECT area{};
        GetWindowRect(banner, &area);
        SetCursorPos(area.right - 30, area.top + 30);  // on the address
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kIdAboutBanner, STN_CLICKED),
                     reinterpret_cast<LPARAM>(banner));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    form->Actions.actAboutExecute();
    driver.join();
    EXPECT_EQ(title, "Velmora Tarvello");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].parameters, "http://www.example.com/");
}

struct PopupMenu {
    std::vector<std::string> items;
    RECT place{};  // on the screen
};

// The items and place of the pop-up menu that `open` opens; the menu is closed again. The menu
// runs until a reader on another thread closes it. Wine may decline to open a pop-up menu for a
// window of a thread that is not in the foreground just then: it is asked again, as a user would.
template <typename Open>
PopupMenu ReadPopupMenu(Open open) {
    PopupMenu read;
    for (int attempt = 0; attempt < 3 && read.items.empty(); ++attempt) {
        std::thread reader([&] {
            // The visible pop-up menu window that holds a menu (others may linger hidden).
            HWND menu = nullptr;
            HMENU handle = nullptr;
            for (int i = 0; i < 150 && !handle; ++i) {
                for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w && !handle;
                     w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
                    if (!IsWindowVisible(w)) continue;
                    menu = w;
                    handle = reinterpret_cast<HMENU>(SendMessageA(w, 0x01E1, 0, 0));  // MN_GETHMENU
                }
                if (!handle) Sleep(10);
            }
            if (!handle) return;
            GetWindowRect(menu, &read.place);
            for (int i = 0; i < GetMenuItemCount(handle); ++i) {
                char text[64] = {};
                GetMenuStringA(handle, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                const UINT state = GetMenuState(handle, static_cast<UINT>(i), MF_BYPOSITION);
                const bool grayed = (state & MF_GRAYED) && !(state & MF_SEPARATOR);
                read.items.push_back(std::string(text) + (grayed ? " (grayed)" : ""));
            }
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        open();
        reader.join();
    }
    return read;
}

// Shift+F10 opens the tree's menu at the selected node, as a right click opens it at the pointer.
TEST_F(MainWindowViewTest, TreeMenuOpensFromTheKeyboardAtTheSelectedNode) {
    // Without a selected configuration there are no settings to take.
    EXPECT_EQ(ReadPopupMenu([&] {
                  PostMessageA(tree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), -1);
                  Pump();
              }).items.back(),
              "Take &Current Settings (grayed)");
    TreeView_SelectItem(tree, Item(1));
    RECT node{};
    TreeView_GetItemRect(tree, Item(1), &node, TRUE);
    MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&node), 2);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    const PopupMenu menu = ReadPopupMenu([&] {
        PostMessageA(tree, WM_SYSKEYDOWN, VK_F10, 0);
        Pump();
    });
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    ASSERT_GE(menu.items.size(), 2u);
    EXPECT_EQ(menu.items.front(), "&Add");
    // Taking the card's settings follows Apply, offered for the selected configuration.
    EXPECT_EQ(menu.items[menu.items.size() - 2], "&Apply");
    EXPECT_EQ(menu.items.back(), "Take &Current Settings");
    EXPECT_EQ(menu.place.left, node.left);
    EXPECT_EQ(menu.place.top, node.bottom);
}

bool TrayIconExists(HWND window) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window;
    probe.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;  // only an icon that is there changes
}

// Last in the suite: it hides the window, which costs Wine two seconds under Xvfb.
TEST_F(MainWindowViewTest, TrayIconAndTrayMenuReachTheLogic) {
    files.Put(kPath, files.Content(kPath) + "[{K1}]\r\nShowInMenu=1\r\n");
    const HWND window = view->Window();
    SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconExists(window));

    const std::vector<std::string> items =
        ReadPopupMenu([&] { SendMessageA(window, WM_TRAYICON, 1, WM_RBUTTONDOWN); }).items;
    EXPECT_EQ(items, (std::vector<std::string>{"&Restore                    ", "", "Office", "",
                                                "&Options", "&About...", "", "&Exit"}));

    SendMessageA(window, WM_COMMAND, kCmdTrayItemFirst, 0);  // "Office": applied, window hidden
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(prompts.shown.back().caption, "LAN");
    EXPECT_FALSE(IsWindowVisible(window));

    SendMessageA(window, WM_TRAYICON, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(TrayIconExists(window));
}

TEST(ErrorReportTest, AnErrorIsShownWithTheTitleAndErrorIconAndTheCallerGoesOn) {
    SetApplicationTitle("Velmora Tarvello");
    testing::BoxWatcher watcher(GetCurrentProcessId());
    EXPECT_FALSE(
        Guarded(nullptr, [] { throw Error("Unable to write to C:\\x\\LocalSettings.Ini"); }));
    EXPECT_TRUE(Guarded(nullptr, [] {}));
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Velmora Tarvello");
    EXPECT_EQ(boxes[0].text, "Unable to write to C:\\x\\LocalSettings.Ini");
    EXPECT_EQ(boxes[0].icon, "error");
}

// Every window at this run's DPI: the ordinary run, at 96 DPI, keeps each window's layout; the runs
// at 144 and 192 DPI (tools/wine-tests.sh) find it again, times DPI/96 within a few pixels, with
// no scroll bar or up-down control it did not have, and no text wider than its control.
TEST_F(MainWindowViewTest, EveryWindowIsItsNinetySixDpiLayoutAtThisDpi) {
    const UINT dpi = WindowDpi(view->Window());
    char asked[8] = {};  // the DPI the run set the desktop to, where tools/wine-tests.sh ran it
    if (GetEnvironmentVariableA("VT_TEST_DPI", asked, sizeof asked)) {
        ASSERT_EQ(dpi, static_cast<UINT>(std::atoi(asked)));
    }
    std::map<std::string, vt::testing::Layout> layouts;
    std::vector<std::string> cut;
    const auto take = [&](const std::string& name, HWND window) {
        layouts[name] = vt::testing::LayoutOf(window);
        for (const std::string& text : vt::testing::TextsCut(window, dpi))
            cut.push_back(name + ": " + text);
        vt::testing::SaveScreenshot(window, name + "-at-" + std::to_string(dpi));
    };
    TreeView_SelectItem(tree, Item(0));
    Pump();
    take("main-window", view->Window());
    const auto inDialog = [&](const char* caption, const std::function<void()>& open,
                              const std::function<void(HWND)>& then) {
        std::thread driver([&] {
            HWND dialog = WaitForDialog(caption);
            if (!dialog) return;
            take(caption, dialog);
            then(dialog);
        });
        open();
        driver.join();
    };
    const auto cancel = [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); };
    inDialog("Options", [&] { form->OptionsAction.actOptionsExecute(); }, cancel);
    inDialog("Product Information", [&] { form->Actions.actAboutExecute(); }, cancel);
    inDialog(
        "IP Address ", [&] { RunIPListDialog(view->Window(), {"10.0.0.2"}, {"255.0.0.0"}); },
        [&](HWND list) {
            PostMessageA(list, WM_COMMAND, kIdIPListAdd, 0);
            if (HWND single = WaitForDialog(" IP Address")) {
                take(" IP Address", single);
                cancel(single);
            }
            for (int i = 0; i < 100 && FindWindowA("#32770", " IP Address"); ++i) Sleep(10);
            cancel(list);
        });
    TfrmKeep keep(view->KeepDialogView(), system, "Office", 600);  // the clock stands still
    inDialog("Keep - Office", [&] { view->RunKeepDialog(keep); }, cancel);
    ASSERT_EQ(layouts.size(), 6u);
    for (const auto& [name, layout] : layouts) {
        if (dpi == kBaseDpi) {
            vt::testing::SaveLayout(name, layout);
            continue;
        }
        const auto at96 = vt::testing::LoadLayout(name);
        if (!at96) GTEST_SKIP() << "no layout kept at 96 DPI: run the ordinary run first";
        EXPECT_EQ(vt::testing::Misplaced(*at96, layout, dpi), std::vector<std::string>{})
            << name << " at " << dpi << " DPI";
    }
    EXPECT_EQ(cut, std::vector<std::string>{});
}

// Through a DPI move, counts the messages a control receives while the picture list it draws
// from has been given up by the program already. The test holds a reference of its own to the
// list, so that such a message is counted instead of reading freed memory.
class GivenUpPicturesWatch {
  public:
    GivenUpPicturesWatch(HWND control, UINT getList, WPARAM which)
        : control_(control), getList_(getList), which_(which) {
        list_ = reinterpret_cast<HIMAGELIST>(SendMessageA(control, getList, which, 0));
        using QueryInterface = HRESULT(WINAPI*)(HIMAGELIST, REFIID, void**);
        const auto query = reinterpret_cast<QueryInterface>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("comctl32.dll"), "HIMAGELIST_QueryInterface")));
        if (!list_ || !query ||
            FAILED(query(list_, IID_IUnknown, reinterpret_cast<void**>(&held_))))
            return;
        references_ = References();
        SetWindowSubclass(control, &Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~GivenUpPicturesWatch() {
        RemoveWindowSubclass(control_, &Procedure, 1);
        if (held_) held_->Release();
    }
    bool Watching() const { return held_ != nullptr; }
    int Messages() const { return messages_; }

  private:
    ULONG References() const {
        held_->AddRef();
        return held_->Release();
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<GivenUpPicturesWatch*>(data);
        if (!self->asking_) {
            self->asking_ = true;
            const auto current =
                reinterpret_cast<HIMAGELIST>(DefSubclassProc(window, self->getList_, self->which_, 0));
            if (current == self->list_ && self->References() < self->references_) ++self->messages_;
            self->asking_ = false;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND control_;
    UINT getList_;
    WPARAM which_;
    HIMAGELIST list_ = nullptr;
    IUnknown* held_ = nullptr;
    ULONG references_ = 0;
    bool asking_ = false;
    int messages_ = 0;
};

// Moved to a monitor of another DPI: laid out anew at it, and back again.
TEST_F(MainWindowViewTest, MovedToAnotherDpiTheWindowIsLaidOutAnewThere) {
    TreeView_SelectItem(tree, Item(0));
    Pump();
    const UINT dpi = WindowDpi(view->Window()), larger = dpi * 5 / 4;  // still on the screen
    const vt::testing::Layout before = vt::testing::LayoutOf(view->Window());
    const auto move = [&](UINT to) {
        RECT suggested{};
        GetWindowRect(view->Window(), &suggested);
        SendMessageA(view->Window(), kWmDpiChanged, MAKEWPARAM(to, to),
                     reinterpret_cast<LPARAM>(&suggested));
        Pump();
    };
    {
        // No control is ever left drawing from a picture list the window has destroyed.
        GivenUpPicturesWatch tree(this->tree, TVM_GETIMAGELIST, TVSIL_NORMAL);
        GivenUpPicturesWatch tabs(GetDlgItem(view->Window(), kIdTabs), TCM_GETIMAGELIST, 0);
        GivenUpPicturesWatch toolbar(GetDlgItem(view->Window(), kIdToolbar), TB_GETIMAGELIST, 0);
        ASSERT_TRUE(tree.Watching() && tabs.Watching() && toolbar.Watching());
        move(larger);
        EXPECT_EQ(tree.Messages(), 0);
        EXPECT_EQ(tabs.Messages(), 0);
        EXPECT_EQ(toolbar.Messages(), 0);
    }
    EXPECT_EQ(vt::testing::Misplaced(before, vt::testing::LayoutOf(view->Window()),
                                     larger * kBaseDpi / dpi),
              std::vector<std::string>{});
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Editor(C::checkIP), WM_GETFONT, 0, 0)),
              MessageFont(larger));
    move(dpi);
    EXPECT_EQ(vt::testing::Misplaced(before, vt::testing::LayoutOf(view->Window()), kBaseDpi),
              std::vector<std::string>{});
}

}  // namespace
}  // namespace vt::win32
