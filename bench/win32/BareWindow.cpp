// The second yardstick for start-up: the program's main window made bare. The bench hands it on
// the command line what the program's window is made of (bench/win32/WindowTree.h): the same
// windows of the same classes, styles, rectangles and texts, the tree's item count, the tabs, the
// toolbar's buttons; the menu bar it makes with the program's own code, which only adds items.
// It makes them, shows and paints them, and lives until it is closed: nothing read, nothing
// computed, only the windows Wine must make anyway.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win32/WindowTree.h"
#include "ui/win32/Actions.h"
#include "ui/win32/Images.h"

namespace {

using Fields = std::vector<std::string>;

std::vector<Fields> Records(const char* text) {
    std::vector<Fields> records(1);
    std::string field;
    for (const char* c = text; *c; ++c) {
        if (*c == vt::bench::kFieldEnd) {
            records.back().push_back(field);
            field.clear();
        } else if (*c == vt::bench::kRecordEnd) {
            records.emplace_back();
        } else {
            field += *c;
        }
    }
    records.pop_back();
    return records;
}

long Number(const std::string& field) {
    return std::strtol(field.c_str(), nullptr, 10);
}

// The program's own classes, as plain windows with the dialog colour.
void RegisterBare(const std::string& name) {
    WNDCLASSA known{};
    if (GetClassInfoA(nullptr, name.c_str(), &known) ||
        GetClassInfoA(GetModuleHandleA(nullptr), name.c_str(), &known))
        return;
    WNDCLASSA bare{};
    bare.lpfnWndProc = DefWindowProcA;
    bare.hInstance = GetModuleHandleA(nullptr);
    bare.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    bare.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    bare.lpszClassName = name.c_str();
    RegisterClassA(&bare);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);

    const std::vector<Fields> records = Records(commandLine);
    std::vector<HWND> windows;
    std::vector<RECT> places;  // left, top, width, height
    HWND main = nullptr, tree = nullptr, tabs = nullptr, toolbar = nullptr;
    std::vector<TBBUTTON> buttons;
    SIZE buttonSize{}, padding{};
    std::vector<std::string> buttonTexts;
    for (size_t i = 0; i < records.size(); ++i) {
        const Fields& r = records[i];
        if (r[0] == "W") {
            const long parent = Number(r[1]);
            RegisterBare(r[2]);
            // The frame is shown once it is whole; its controls are visible as the program's are.
            const DWORD style = static_cast<DWORD>(Number(r[3])) & (parent < 0 ? ~WS_VISIBLE : ~0u);
            HWND window = CreateWindowExA(
                static_cast<DWORD>(Number(r[4])), r[2].c_str(), r[10].c_str(), style, Number(r[5]),
                Number(r[6]), Number(r[7]), Number(r[8]),
                parent < 0 ? nullptr : windows[static_cast<size_t>(parent)],
                parent < 0 ? nullptr : reinterpret_cast<HMENU>(static_cast<INT_PTR>(Number(r[9]))),
                nullptr, nullptr);
            if (parent < 0)
                SetMenu(main = window, vt::win32::BuildMainMenu());
            else
                SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            if (r[2] == WC_TREEVIEWA) tree = window;
            if (r[2] == WC_TABCONTROLA) tabs = window;
            if (r[2] == TOOLBARCLASSNAMEA) toolbar = window;
            windows.push_back(window);
            places.push_back({Number(r[5]), Number(r[6]), Number(r[7]), Number(r[8])});
        } else if (r[0] == "T") {
            for (long item = 0; item < Number(r[1]); ++item) {
                const std::string name = "Configuration " + std::to_string(item);
                TVINSERTSTRUCTA insert{};
                insert.hInsertAfter = TVI_LAST;
                insert.item.mask = TVIF_TEXT;
                insert.item.pszText = const_cast<char*>(name.c_str());
                SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
            }
        } else if (r[0] == "A") {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(r[1].c_str());
            SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(TabCtrl_GetItemCount(tabs)),
                         reinterpret_cast<LPARAM>(&item));
        } else if (r[0] == "S") {
            buttonSize = {Number(r[1]), Number(r[2])};
            padding = {Number(r[3]), Number(r[4])};
        } else if (r[0] == "B") {
            TBBUTTON button{};
            button.iBitmap = static_cast<int>(buttons.size());
            button.idCommand = static_cast<int>(Number(r[1]));
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = static_cast<BYTE>(Number(r[2]));
            buttons.push_back(button);
            buttonTexts.push_back(r[3]);
        }
    }
    if (!main) return 1;
    if (toolbar) {
        // Pictures of the program's size, left blank: drawing them is the program's own work.
        const int side = vt::win32::kActionImageSize;
        SendMessageA(toolbar, TB_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(ImageList_Create(
                         side, side, ILC_COLOR24 | ILC_MASK, static_cast<int>(buttons.size()), 0)));
        for (size_t b = 0; b < buttons.size(); ++b)
            if (!(buttons[b].fsStyle & BTNS_SEP))
                buttons[b].iString = reinterpret_cast<INT_PTR>(buttonTexts[b].c_str());
        SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(),
                     reinterpret_cast<LPARAM>(buttons.data()));
        if (SendMessageA(toolbar, TB_GETPADDING, 0, 0) != MAKELPARAM(padding.cx, padding.cy))
            SendMessageA(toolbar, TB_SETPADDING, 0, MAKELPARAM(padding.cx, padding.cy));
        SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    }
    // Laid out once more where the program's layout put them: some controls change their size
    // as they are made.
    for (size_t w = 1; w < windows.size(); ++w)
        SetWindowPos(windows[w], nullptr, places[w].left, places[w].top, places[w].right,
                     places[w].bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(main, showCommand);
    UpdateWindow(main);
    MSG message;
    while (IsWindow(main) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_CLOSE) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
