// The icon dialog through GetOpenFileName, from the common dialogs loaded when first asked for:
// a start that never opens it does not pay for them.
#include "ui/win32/IconDialog.h"

#include <commdlg.h>

namespace vt::win32 {

std::optional<std::string> IconDialog::Run(HWND owner) {
    char file[MAX_PATH] = {};
    last_.copy(file, sizeof file - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Icons (*.ico)\0*.ico\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrTitle = "Choose an icon for shortcut";
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                   OFN_EXPLORER;
    using OpenFileName = BOOL(WINAPI*)(OPENFILENAMEA*);
    static const auto open = reinterpret_cast<OpenFileName>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("comdlg32.dll"), "GetOpenFileNameA")));
    if (!open || !open(&dialog)) return std::nullopt;
    last_ = file;
    return last_;
}

}  // namespace vt::win32
