// A running program's main window as a list of what makes it: every window of its tree (class,
// styles, rectangle, id, text), the tree view's item count, the tabs' captions and the toolbar's
// buttons. vt_bare_window.exe makes the same windows from it, bare. The menu bar is left out: Wine
// keeps a menu in the process that made it, so another process cannot read it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace vt::bench {

// Records end with kRecordEnd; their fields are separated by kFieldEnd.
inline constexpr char kRecordEnd = '\x1e';
inline constexpr char kFieldEnd = '\x1f';

class WindowTreeWriter {
  public:
    WindowTreeWriter(HWND main, HANDLE process) : process_(process) { Window(main, -1); }
    const std::string& Text() const { return text_; }
    int Windows() const { return count_; }

  private:
    void Record(std::initializer_list<std::string> fields) {
        for (const std::string& field : fields) text_ += field + kFieldEnd;
        text_ += kRecordEnd;
    }
    static std::string N(long long value) { return std::to_string(value); }

    // Parents before their children; siblings top first, as each new child goes below the others.
    void Window(HWND window, int parent) {
        const int index = count_++;
        char className[64] = {}, text[256] = {};
        GetClassNameA(window, className, sizeof className);
        GetWindowTextA(window, text, sizeof text);
        RECT place{};
        GetWindowRect(window, &place);
        if (parent >= 0)
            MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
        Record({"W", N(parent), className, N(GetWindowLongA(window, GWL_STYLE)),
                N(GetWindowLongA(window, GWL_EXSTYLE)), N(place.left), N(place.top),
                N(place.right - place.left), N(place.bottom - place.top),
                N(parent < 0 ? 0 : GetDlgCtrlID(window)), text});
        const std::string kind = className;
        if (kind == WC_TREEVIEWA) Record({"T", N(SendMessageA(window, TVM_GETCOUNT, 0, 0))});
        if (kind == WC_TABCONTROLA) Tabs(window);
        if (kind == TOOLBARCLASSNAMEA) Buttons(window);
        if (parent < 0 || kind != WC_TABCONTROLA) {
            for (HWND child = GetWindow(window, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                Window(child, index);
        }
    }

    // What a message fills in in the program's own memory.
    template <typename Item>
    Item Remote(HWND window, UINT message, WPARAM wParam, Item item, char* text = nullptr) {
        constexpr size_t kTextSize = 256;
        auto* memory = static_cast<char*>(
            VirtualAllocEx(process_, nullptr, sizeof item + kTextSize, MEM_COMMIT, PAGE_READWRITE));
        if (!memory) return item;
        if constexpr (requires { item.pszText; }) {
            item.pszText = memory + sizeof item;
            item.cchTextMax = kTextSize;
        }
        WriteProcessMemory(process_, memory, &item, sizeof item, nullptr);
        SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(memory));
        ReadProcessMemory(process_, memory, &item, sizeof item, nullptr);
        if (text) ReadProcessMemory(process_, memory + sizeof item, text, kTextSize, nullptr);
        VirtualFreeEx(process_, memory, 0, MEM_RELEASE);
        return item;
    }

    // The text a message writes into a buffer in the program's own memory.
    void Remote(HWND window, UINT message, WPARAM wParam, char (&text)[256]) {
        auto* memory = VirtualAllocEx(process_, nullptr, sizeof text, MEM_COMMIT, PAGE_READWRITE);
        if (!memory) return;
        SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(memory));
        ReadProcessMemory(process_, memory, text, sizeof text - 1, nullptr);
        VirtualFreeEx(process_, memory, 0, MEM_RELEASE);
    }

    void Tabs(HWND tabs) {
        for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
            char caption[256] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            Remote(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), item, caption);
            caption[sizeof caption - 1] = '\0';
            Record({"A", caption});
        }
    }

    void Buttons(HWND toolbar) {
        const auto size = static_cast<DWORD>(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
        const auto padding = static_cast<DWORD>(SendMessageA(toolbar, TB_GETPADDING, 0, 0));
        Record({"S", N(LOWORD(size)), N(HIWORD(size)), N(LOWORD(padding)), N(HIWORD(padding))});
        const auto count = SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const TBBUTTON button =
                Remote(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), TBBUTTON{});
            char text[256] = {};
            if (!(button.fsStyle & BTNS_SEP))
                Remote(toolbar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand), text);
            Record({"B", N(button.idCommand), N(button.fsStyle), text});
        }
    }

    HANDLE process_;
    int count_ = 0;
    std::string text_;
};

}  // namespace vt::bench
