// The address field and the address dialogs with real controls under Wine: keystrokes reach the
// rules, the geometry is right, the buttons reach their handlers.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "controls/win32/IPEditControl.h"
#include "tests/win32/Screenshot.h"
#include "ui/win32/EditIPDialog.h"
#include "ui/win32/IPListDialog.h"

namespace vt::win32 {
namespace {

constexpr int kFieldId = 42;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

bool PutOnClipboard(HWND owner, const char* text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(copy), text, strlen(text) + 1);
    GlobalUnlock(copy);
    SetClipboardData(CF_TEXT, copy);
    CloseClipboard();
    return true;
}

// A plain window holding one field, recording the field's change notifications.
class FieldHost : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterIPEditClass();
        WNDCLASSA host{};
        host.lpfnWndProc = HostProc;
        host.hInstance = GetModuleHandleA(nullptr);
        host.lpszClassName = "AddressFieldTestHost";
        RegisterClassA(&host);
        window = CreateWindowExA(0, "AddressFieldTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 40, 40, 300, 120, nullptr, nullptr, nullptr, nullptr);
        field = CreateWindowExA(0, kIPEditClass, "", WS_CHILD | WS_VISIBLE, 20, 20, kIPEditWidth,
                                kIPEditHeight, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFieldId)), nullptr, nullptr);
        ASSERT_NE(field, nullptr);
        notes().clear();
        SetForegroundWindow(window);
        SetFocus(field);
        Pump();
    }
    void TearDown() override { DestroyWindow(window); }

    // What a user's keys send to the focused box.
    void Type(const std::string& keys) {
        for (char c : keys) {
            PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
            Pump();
        }
    }
    std::vector<HWND> Segments() {
        std::vector<HWND> boxes;
        for (HWND child : Children(field)) {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Edit") == 0) boxes.push_back(child);
        }
        return boxes;
    }
    static std::vector<std::pair<int, HWND>>& notes() {
        static std::vector<std::pair<int, HWND>> seen;
        return seen;
    }
    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && HIWORD(wParam) == kIPEditChanged)
            notes().push_back({LOWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window = nullptr, field = nullptr;
};

TEST_F(FieldHost, LaidOutAsFourBoxesAndThreeDelimitersInsideASilverFrame) {
    RECT frame{};
    GetClientRect(field, &frame);
    EXPECT_EQ(frame.right, 145);
    EXPECT_EQ(frame.bottom, 21);
    // The segment boxes are the field's only children; the delimiters between them are painted.
    const std::vector<HWND> boxes = Segments();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(Children(field).size(), 4u);
    for (size_t i = 0; i < boxes.size(); ++i) {
        RECT box{};
        GetWindowRect(boxes[i], &box);
        MapWindowPoints(nullptr, field, reinterpret_cast<POINT*>(&box), 2);
        EXPECT_EQ(box.left, 6 + 35 * static_cast<int>(i)) << i;
        EXPECT_EQ(box.right - box.left, 25) << i;
        EXPECT_EQ(GetDlgItem(field, 2 * static_cast<int>(i)), boxes[i]);
    }
    UpdateWindow(window);
    HDC dc = GetDC(field);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(192, 192, 192));
    ReleaseDC(field, dc);
    EXPECT_EQ(IPEditText(field), "...");
    EXPECT_EQ(GetFocus(), Segments()[0]);  // focusing the field puts the caret in its first segment
}

TEST_F(FieldHost, KeystrokesFillTheSegmentsAndTellTheParent) {
    Type("192168x1.");
    EXPECT_EQ(IPEditText(field), "192.168.1.");
    EXPECT_EQ(GetFocus(), Segments()[3]);
    ASSERT_FALSE(notes().empty());
    EXPECT_EQ(notes().back().first, kFieldId);
    EXPECT_EQ(notes().back().second, Segments()[2]);  // the sender is the segment box
    Type("300");
    EXPECT_EQ(IPEditText(field), "192.168.1.255");
    EXPECT_EQ(IPEditIPText(field), "192.168.1.255");
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_LEFT, 1);
    Pump();
    EXPECT_EQ(GetFocus(), Segments()[2]);  // the correction left the caret at the start
}

TEST_F(FieldHost, PasteMeetsTheValueRuleAndSetTextSplits) {
    SetWindowTextA(field, "10.0.0.1.5");
    EXPECT_EQ(IPEditText(field), "10.0.0.1");
    ASSERT_TRUE(PutOnClipboard(window, "ab"));
    SendMessageA(Segments()[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(Segments()[1], WM_PASTE, 0, 0);
    EXPECT_EQ(IPEditText(field), "10.255.0.1");
    EnableWindow(field, FALSE);
    EXPECT_FALSE(IsWindowEnabled(field));
    EnableWindow(field, TRUE);
}

// Drives a modal dialog from a second thread while the test's thread runs it.
class DialogDriver {
  public:
    explicit DialogDriver(std::function<void()> steps) : thread_(std::move(steps)) {}
    ~DialogDriver() { thread_.join(); }
    static HWND WaitFor(const char* caption) {
        for (int i = 0; i < 500; ++i) {
            HWND found = FindWindowA("#32770", caption);
            if (found && IsWindowVisible(found)) return found;
            Sleep(10);
        }
        return nullptr;
    }
    static void Click(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    static int Rows(HWND dialog) {
        return static_cast<int>(SendDlgItemMessageA(dialog, kIdIPList, LVM_GETITEMCOUNT, 0, 0));
    }

  private:
    std::thread thread_;
};

TEST(AddressDialogs, ListDialogButtonsReachTheirHandlersAndOkHandsBackTheRows) {
    CreateDirectoryA("results", nullptr);
    std::atomic<bool> sawEverything{false};
    std::optional<std::vector<IPPair>> rows;
    {
        DialogDriver driver([&] {
            HWND list = DialogDriver::WaitFor("IP Address ");
            if (!list) return;
            RECT client{};
            GetClientRect(list, &client);
            const bool geometry = client.right == 428 && client.bottom == 374;
            const bool started = DialogDriver::Rows(list) == 2;
            vt::testing::SaveScreenshot(list, "ip-list-dialog");
            DialogDriver::Click(list, kIdIPListClear);
            Sleep(100);
            const bool cleared = DialogDriver::Rows(list) == 0;
            DialogDriver::Click(list, kIdIPListAdd);
            HWND single = DialogDriver::WaitFor(" IP Address");
            if (!single) return;
            GetClientRect(single, &client);
            const bool singleGeometry = client.right == 329 && client.bottom == 192;
            SendDlgItemMessageA(single, kIdEditIPAddress, WM_SETTEXT, 0,
                                reinterpret_cast<LPARAM>("192.168.001.010"));
            SendDlgItemMessageA(single, kIdEditIPMask, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0.0.0.0"));
            vt::testing::SaveScreenshot(single, "edit-ip-dialog");
            DialogDriver::Click(single, IDOK);
            for (int i = 0; i < 100 && DialogDriver::Rows(list) != 1; ++i) Sleep(10);
            const bool added = DialogDriver::Rows(list) == 1;
            DialogDriver::Click(list, IDOK);
            sawEverything = geometry && started && cleared && singleGeometry && added;
        });
        rows = RunIPListDialog(nullptr, {"10.0.0.1", "10.0.0.2"}, {"255.0.0.0"});
    }
    EXPECT_TRUE(sawEverything);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(*rows, (std::vector<IPPair>{{"192.168.1.10", ""}}));
}

TEST(AddressDialogs, EscapeAndAcceleratorsWorkUnderTheDialogManager) {
    std::optional<std::vector<IPPair>> rows{std::vector<IPPair>{}};
    std::atomic<int> afterRemove{-1};
    {
        DialogDriver driver([&] {
            HWND list = DialogDriver::WaitFor("IP Address ");
            if (!list) return;
            HWND view = GetDlgItem(list, kIdIPList);
            LVITEMA item{};
            item.stateMask = item.state = LVIS_SELECTED;
            SendMessageA(view, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
            PostMessageA(view, WM_SYSCHAR, 'r', 0x20000000);  // Alt+R: "&Remove", not a tab stop
            for (int i = 0; i < 100 && DialogDriver::Rows(list) != 1; ++i) Sleep(10);
            afterRemove = DialogDriver::Rows(list);
            PostMessageA(view, WM_KEYDOWN, VK_ESCAPE, 1);
        });
        rows = RunIPListDialog(nullptr, {"10.0.0.1", "10.0.0.2"}, {"255.0.0.0", "255.0.0.0"});
    }
    EXPECT_EQ(afterRemove, 1);
    EXPECT_FALSE(rows.has_value());  // Escape: nothing handed back
}

// What a user's hands send: real key presses and clicks, to whatever window has the focus or lies
// under the pointer.
namespace hands {

void Key(WORD key, bool shift = false) {
    std::vector<INPUT> inputs;
    const auto press = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (shift) press(VK_SHIFT, false);
    press(key, false);
    press(key, true);
    if (shift) press(VK_SHIFT, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(60);
}
void Type(const char* keys) {
    for (; *keys; ++keys) Key(*keys == '.' ? VK_OEM_PERIOD : static_cast<WORD>(*keys));
}
void Click(HWND window, int x, int y, bool right = false) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    SetCursorPos(at.x, at.y);
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    Sleep(150);
}
// The window that has the keyboard focus in the window's thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

}  // namespace hands

// The address edit dialog as a user meets it: it takes digits from the first key, Tab and
// Shift+Tab go through the segments, a click on a dot or beside the segments puts the caret in
// the nearest segment without selecting it, and the segments' own menu pastes.
TEST(AddressDialogs, TheEditDialogTakesKeysClicksAndPasteFromTheStart) {
    std::atomic<bool> done{false};
    std::vector<std::string> seen;
    std::optional<std::vector<IPPair>> rows;
    {
        DialogDriver driver([&] {
            HWND list = DialogDriver::WaitFor("IP Address ");
            if (!list) return;
            DialogDriver::Click(list, kIdIPListAdd);
            HWND single = DialogDriver::WaitFor(" IP Address");
            if (!single) return;
            SetForegroundWindow(single);
            Sleep(200);
            HWND ip = GetDlgItem(single, kIdEditIPAddress),
                 mask = GetDlgItem(single, kIdEditIPMask);
            const auto text = [](HWND field) {
                char value[64] = {};
                GetWindowTextA(field, value, sizeof value);  // what another process reads
                return std::string(value);
            };
            hands::Type("192168");
            seen.push_back(text(ip));
            hands::Key(VK_TAB, true);  // back into the second segment
            seen.push_back(hands::FocusOf(single) == GetDlgItem(ip, 2) ? "second" : "elsewhere");
            for (int i = 0; i < 3; ++i) hands::Key(VK_TAB);  // third, fourth, the mask's first
            seen.push_back(hands::FocusOf(single) == GetDlgItem(mask, 0) ? "mask" : "elsewhere");
            hands::Key(VK_TAB, true);  // from the mask back into the address's last segment
            seen.push_back(hands::FocusOf(single) == GetDlgItem(ip, 6) ? "last" : "elsewhere");

            SendMessageA(ip, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("192.168.10.25"));
            RECT box{};
            GetWindowRect(GetDlgItem(ip, 4), &box);
            MapWindowPoints(nullptr, ip, reinterpret_cast<POINT*>(&box), 2);
            hands::Click(ip, box.left - 8, 10);  // on the dot after the second segment
            hands::Key(VK_BACK);
            hands::Click(ip, kIPEditWidth - 3, 10);  // right of the last segment
            hands::Key(VK_BACK);
            seen.push_back(text(ip));

            if (!PutOnClipboard(single, "255")) return;
            RECT first{};
            GetWindowRect(GetDlgItem(mask, 0), &first);
            MapWindowPoints(nullptr, mask, reinterpret_cast<POINT*>(&first), 2);
            hands::Click(mask, first.left + 5, 10, true);  // the segment's own menu
            hands::Key('P');                               // "&Paste"
            seen.push_back(text(mask));

            // OK refuses an address no adapter can have, by name, and the dialog stays.
            SendMessageA(ip, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("127.0.0.1"));
            DialogDriver::Click(single, IDOK);
            HWND refusal = DialogDriver::WaitFor("IP Address");
            char said[256] = {};
            if (refusal) GetDlgItemTextA(refusal, 0xFFFF, said, sizeof said);
            seen.push_back(said);
            if (refusal) PostMessageA(refusal, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 100 && IsWindowVisible(refusal); ++i) Sleep(10);
            SendMessageA(ip, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("192.16.10.2"));
            DialogDriver::Click(single, IDOK);
            for (int i = 0; i < 100 && DialogDriver::Rows(list) != 1; ++i) Sleep(10);
            DialogDriver::Click(list, IDOK);
            done = true;
        });
        rows = RunIPListDialog(nullptr, {}, {});
    }
    ASSERT_TRUE(done);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "192.168..", "second", "mask", "last", "192.16.10.2", "255...",
                        "\rIP Address: 127.0.0.1 is not valid: addresses beginning with 127 are "
                        "the computer's own loopback.   \r\r"}));
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(*rows, (std::vector<IPPair>{{"192.16.10.2", "255.0.0.0"}}));
}

}  // namespace
}  // namespace vt::win32
