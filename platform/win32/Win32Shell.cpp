// The shell's calls, with COM objects released within each call.
#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

#include <string>

#include "base/Error.h"
#include "platform/win32/ErrorReport.h"
#include "platform/win32/Handles.h"

namespace vt::win32 {

namespace {

// Releases a COM interface when the scope ends.
template <typename Interface>
class ComPointer {
  public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer_) pointer_->Release();
    }
    Interface** Out() { return &pointer_; }
    void** OutVoid() { return reinterpret_cast<void**>(&pointer_); }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

  private:
    Interface* pointer_ = nullptr;
};

std::wstring Wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
    return wide;
}

}  // namespace

std::string Win32Shell::SpecialFolder(int csidl) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(static_cast<HWND>(owner_), csidl, &items)) || !items)
        return std::string();
    char path[MAX_PATH * 2] = {};
    const bool found = SHGetPathFromIDListA(items, path) != FALSE;
    CoTaskMemFree(items);
    return found ? std::string(path) : std::string();
}

bool Win32Shell::CreateLink(const ShellLink& link) {
    ComPointer<IShellLinkA> shellLink;
    const HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IShellLinkA, shellLink.OutVoid());
    if (FAILED(created) || !shellLink) {
        const std::string why = SystemErrorText(static_cast<DWORD>(created));
        throw Error(why.empty() ? "The shell link object cannot be created." : why);
    }
    shellLink->SetPath(link.target.c_str());
    shellLink->SetArguments(link.arguments.c_str());
    if (!link.workingDirectory.empty()) shellLink->SetWorkingDirectory(link.workingDirectory.c_str());
    if (!link.iconFile.empty()) shellLink->SetIconLocation(link.iconFile.c_str(), link.iconIndex);
    shellLink->SetShowCmd(link.showCommand);
    if (!link.description.empty()) shellLink->SetDescription(link.description.c_str());
    ComPointer<IPersistFile> file;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.OutVoid())) || !file) return false;
    return SUCCEEDED(file->Save(Wide(link.file).c_str(), FALSE));
}

void Win32Shell::Open(const std::string& verb, const std::string& file,
                      const std::string& parameters, int showCommand) {
    ShellExecuteA(static_cast<HWND>(owner_), verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                  parameters.empty() ? nullptr : parameters.c_str(), nullptr, showCommand);
}

unsigned Win32Shell::WinExec(const std::string& commandLine, int showCommand) {
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
}

ElevatedRun Win32Shell::RunAsAdministrator(const std::string& file,
                                           const std::string& parameters) {
    SHELLEXECUTEINFOA start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    start.hwnd = static_cast<HWND>(owner_);
    start.lpVerb = "runas";
    start.lpFile = file.c_str();
    start.lpParameters = parameters.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&start) || !start.hProcess) return {};
    const UniqueHandle process(start.hProcess);
    // The windows go on working meanwhile: they paint, the tray answers, a second apply is
    // turned away by the caller's busy mark, and Exit ends this program without the other one.
    while (MsgWaitForMultipleObjects(1, &start.hProcess, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));  // for the message loop to see
                return {ElevatedRun::End::Abandoned};
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(start.hProcess, &code)) return {};
    return {ElevatedRun::End::Exited, code};
}

bool Win32Shell::CreateFolders(const std::string& path) {
    SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Shell::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Shell::RemoveFile(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != FALSE;
}

std::optional<int32_t> Win32Shell::CallLibraryExport(const std::string& library,
                                                     const std::string& exportName) {
    HMODULE module = LoadLibraryA(library.c_str());
    if (!module) return std::nullopt;
    using Entry = HRESULT(STDAPICALLTYPE*)();
    const auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(module, exportName.c_str())));
    std::optional<int32_t> result;
    if (entry) result = entry();
    FreeLibrary(module);
    return result;
}

}  // namespace vt::win32
