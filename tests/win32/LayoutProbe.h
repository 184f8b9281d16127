// A window's layout as a user sees it: every descendant window's rectangle in its parent's client
// area, whose texts do not fit their controls, and a layout kept from the 96-DPI run to compare.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vt::testing {

using Layout = std::map<std::string, RECT>;  // "class#id/class#id..." from the window down

inline std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Each window's place in its parent's client area: a pane moved by the height of a toolbar shows
// once, not again in every control inside it.
inline void AddLayout(HWND parent, const std::string& path, Layout& layout) {
    std::map<std::string, int> seen;  // controls without an id, counted
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;  // what a user sees: a hidden up-down is none
        std::string key = path + ClassOf(child) + "#" + std::to_string(GetDlgCtrlID(child));
        key += "." + std::to_string(seen[key]++);
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        layout[key] = place;
        AddLayout(child, key + "/", layout);
    }
}

inline Layout LayoutOf(HWND top) {
    Layout layout;
    RECT client{};
    GetClientRect(top, &client);
    layout["client"] = client;
    AddLayout(top, "", layout);
    return layout;
}

inline BOOL CALLBACK AddWindow(HWND window, LPARAM all) {
    reinterpret_cast<std::vector<HWND>*>(all)->push_back(window);
    return TRUE;
}

// Buttons, check boxes, radio buttons and labels whose text is wider than they show it.
inline std::vector<std::string> TextsCut(HWND top, UINT dpi) {
    std::vector<std::string> cut;
    std::vector<HWND> windows;
    EnumChildWindows(top, AddWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND control : windows) {
        const std::string name = ClassOf(control);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        if (!text[0] || (name != "Button" && name != "Static") || (style & BS_MULTILINE)) continue;
        const LONG kind = style & 0x0F;
        if (name == "Static" && (kind == SS_OWNERDRAW || kind == SS_BITMAP || kind == SS_ICON))
            continue;
        HDC dc = GetDC(control);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
        RECT need{};
        DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        const bool box = name == "Button" && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON &&
                         kind != BS_GROUPBOX;
        const int glyph = box ? MulDiv(16, static_cast<int>(dpi), 96) : 0;  // the box and its gap
        RECT shown{};
        GetClientRect(control, &shown);
        if (need.right + glyph > shown.right || need.bottom > shown.bottom + 2)
            cut.push_back(std::string(text) + " needs " + std::to_string(need.right + glyph) + "x" +
                          std::to_string(need.bottom) + ", shows " + std::to_string(shown.right) +
                          "x" + std::to_string(shown.bottom));
    }
    return cut;
}

inline void SaveLayout(const std::string& name, const Layout& layout) {
    std::ofstream file("results/layout-96-" + name + ".txt");
    for (const auto& [key, r] : layout)
        file << key << ' ' << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << '\n';
}

inline std::optional<Layout> LoadLayout(const std::string& name) {
    std::ifstream file("results/layout-96-" + name + ".txt");
    if (!file) return std::nullopt;
    Layout layout;
    std::string key;
    RECT r{};
    while (file >> key >> r.left >> r.top >> r.right >> r.bottom) layout[key] = r;
    return layout;
}

// What differs from the 96-DPI layout times DPI/96 by more than a few pixels, or is there in one
// of the two only (a scroll bar or an up-down control that the other has not). Across, a few
// pixels; down, more: the toolbar and the tab strip take their heights from their texts and
// pictures, which do not grow exactly with the DPI, and the panes below fill what they leave.
inline std::vector<std::string> Misplaced(const Layout& at96, const Layout& now, UINT dpi) {
    std::vector<std::string> wrong;
    const int across = 2 + static_cast<int>(dpi) / 32, down = static_cast<int>(dpi) / 8;
    const auto within = [&](LONG at96, LONG shown, int tolerance) {
        return std::abs(MulDiv(at96, static_cast<int>(dpi), 96) - shown) <= tolerance;
    };
    for (const auto& [key, r] : at96) {
        const auto found = now.find(key);
        if (found == now.end()) {
            wrong.push_back(key + " is missing");
            continue;
        }
        const RECT& s = found->second;
        if (!within(r.left, s.left, across) || !within(r.top, s.top, down) ||
            !within(r.right, s.right, across) || !within(r.bottom, s.bottom, down))
            wrong.push_back(key + " at " + std::to_string(s.left) + "," + std::to_string(s.top) +
                            "," + std::to_string(s.right) + "," + std::to_string(s.bottom) +
                            " from " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                            std::to_string(r.right) + "," + std::to_string(r.bottom));
    }
    for (const auto& [key, r] : now)
        if (!at96.count(key)) wrong.push_back(key + " is new");
    return wrong;
}

}  // namespace vt::testing
