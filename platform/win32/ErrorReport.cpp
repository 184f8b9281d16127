// The error report's message box and the application title it uses.
#include "platform/win32/ErrorReport.h"

#include "platform/win32/ModalOwner.h"

namespace vt::win32 {

namespace {

std::string& Title() {
    static std::string title = [] {
        // Before the start sequence names the product, the executable's name stands in.
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string name = path;
        name = name.substr(name.find_last_of('\\') + 1);
        return name.substr(0, name.rfind('.'));
    }();
    return title;
}

}  // namespace

void SetApplicationTitle(const std::string& title) {
    Title() = title;
}

const std::string& ApplicationTitle() {
    return Title();
}

std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string why = text ? text : "";
    if (text) LocalFree(text);
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r')) why.pop_back();
    return why;
}

void ReportError(HWND owner, const std::exception& error) {
    MessageBoxA(ModalOwnerFor(owner), error.what(), Title().c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace vt::win32
