// The main window with real controls under Wine: its frame, its tree, and the top-level error
// report.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "base/Error.h"
#include "tests/win32/BoxWatcher.h"
#include "ui/win32/ErrorReport.h"
#include "ui/win32/MainWindowView.h"

namespace vt::win32 {
namespace {

class MainWindowViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(view.Create(GetModuleHandleA(nullptr)));
        tree = FindWindowExA(view.Window(), nullptr, WC_TREEVIEWA, nullptr);
        ASSERT_NE(tree, nullptr);
    }
    void TearDown() override {
        DestroyWindow(view.Window());
        MSG quit;  // the window asks the application to end; later tests need an empty queue
        while (PeekMessageA(&quit, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    std::string ItemText(HTREEITEM item) {
        char text[256] = {};
        TVITEMA query{};
        query.mask = TVIF_TEXT | TVIF_HANDLE;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        return text;
    }
    HTREEITEM Next(HTREEITEM item, UINT how) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    }

    MainWindowView view;
    HWND tree = nullptr;
};

TEST_F(MainWindowViewTest, FixedClientAreaMinimisableNotResizable) {
    RECT client{};
    GetClientRect(view.Window(), &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
    const LONG style = GetWindowLongA(view.Window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(IsWindowVisible(view.Window()));  // shown only when the start sequence says so
    EXPECT_EQ(GetWindow(view.Window(), GW_OWNER), nullptr);  // its own taskbar button
}

TEST_F(MainWindowViewTest, CaptionAndTitle) {
    view.SetCaption("Velmora Tarvello 1.50");
    view.SetConfigTitle("  Configurations");
    char text[64] = {};
    GetWindowTextA(view.Window(), text, sizeof text);
    EXPECT_STREQ(text, "Velmora Tarvello 1.50");
    HWND title = FindWindowExA(view.Window(), nullptr, "STATIC", nullptr);
    GetWindowTextA(title, text, sizeof text);
    EXPECT_STREQ(text, "  Configurations");
}

TEST_F(MainWindowViewTest, NodesAppendInOrderAndOnlyTheSelectFlagSelectsAndEdits) {
    ShowWindow(view.Window(), SW_SHOWNOACTIVATE);  // label editing needs a visible tree
    TConfigNode office, home, added;
    office.Text = "Office";
    home.Text = "Home";
    added.Text = "New configuration";
    view.SetTreeRedraw(false);
    view.AppendTreeNode(office, 0, false);
    view.AppendTreeNode(home, 0, false);
    view.SetTreeRedraw(true);
    EXPECT_EQ(Next(nullptr, TVGN_CARET), nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(tree, TVM_GETEDITCONTROL, 0, 0)), nullptr);

    view.AppendTreeNode(added, 0, true);
    HTREEITEM first = Next(nullptr, TVGN_ROOT);
    HTREEITEM second = Next(first, TVGN_NEXT);
    HTREEITEM third = Next(second, TVGN_NEXT);
    EXPECT_EQ(ItemText(first), "Office");
    EXPECT_EQ(ItemText(second), "Home");
    EXPECT_EQ(ItemText(third), "New configuration");
    EXPECT_EQ(Next(nullptr, TVGN_CARET), third);
    EXPECT_NE(reinterpret_cast<HWND>(SendMessageA(tree, TVM_GETEDITCONTROL, 0, 0)), nullptr);

    TVITEMA query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = first;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(reinterpret_cast<TConfigNode*>(query.lParam), &office);

    SendMessageA(tree, TVM_ENDEDITLABELNOW, TRUE, 0);
    view.ClearTree();
    EXPECT_EQ(Next(nullptr, TVGN_ROOT), nullptr);
}

TEST(ErrorReportTest, AnErrorIsShownWithTheTitleAndErrorIconAndTheCallerGoesOn) {
    SetApplicationTitle("Velmora Tarvello");
    testing::BoxWatcher watcher(GetCurrentProcessId());
    bool after = false;
    EXPECT_FALSE(
        Guarded(nullptr, [] { throw Error("Unable to write to C:\\x\\LocalSettings.Ini"); }));
    after = true;
    EXPECT_TRUE(Guarded(nullptr, [] {}));
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Velmora Tarvello");
    EXPECT_EQ(boxes[0].text, "Unable to write to C:\\x\\LocalSettings.Ini");
    EXPECT_EQ(boxes[0].icon, "error");
    EXPECT_TRUE(after);
}

}  // namespace
}  // namespace vt::win32
