// Drives the real program in its own process: starts it from a folder, answers its message boxes,
// reads its windows.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <memory>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/win32/BoxWatcher.h"
#include "tests/win32/TempFolder.h"

namespace vt::e2e {

using vt::testing::BuildFolder;
using vt::testing::HeldFile;
using vt::testing::SeenBox;

class ProgramRun {
  public:
    // Copies the program into `folder` and starts it there with `arguments`, on the desktop
    // "station\\desktop" when one is named.
    ProgramRun(const std::string& folder, const std::string& arguments, int answer = IDOK,
               const char* desktop = nullptr) {
        exePath_ = folder + "\\VelmoraTarvello.exe";
        CopyFileA((BuildFolder() + "VelmoraTarvello.exe").c_str(), exePath_.c_str(), FALSE);
        std::string command = "\"" + exePath_ + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string desktopName = desktop ? desktop : "";
        if (desktop) startup.lpDesktop = desktopName.data();
        started_ = CreateProcessA(exePath_.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, folder.c_str(), &startup, &process_);
        if (started_)
            watcher_ = std::make_unique<vt::testing::BoxWatcher>(process_.dwProcessId, answer);
    }
    ~ProgramRun() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 99);
        watcher_.reset();
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }

    bool Started() const { return started_; }
    const std::string& ExePath() const { return exePath_; }

    // Waits for the process to end by itself; -1 when it does not within the time.
    int WaitForExit(DWORD ms = 20000) {
        if (WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<int>(code);
    }

    // Ends the process as the Task Manager, a logoff or a crash would: nothing of it runs on.
    void Kill() {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, INFINITE);
    }

    // Closes the window as its close button would and waits for the process to end.
    int CloseAndWait(HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return WaitForExit();
    }

    // The program's visible top-level window of that class, once it shows.
    HWND WaitForWindow(const char* className, DWORD ms = 20000) {
        for (DWORD waited = 0; waited < ms; waited += 20) {
            if (HWND found = vt::testing::BoxWatcher::FindVisible(process_.dwProcessId, className))
                return found;
            Sleep(20);
        }
        return nullptr;
    }

    std::vector<SeenBox> Boxes() { return watcher_->Boxes(); }
    // The answers to the next message boxes, in turn; after them the answer given at the start.
    void AnswerNext(std::initializer_list<int> answers) { watcher_->AnswerNext(answers); }
    // How many visible top-level windows of that class and caption the program shows.
    int CountVisible(const char* className, const char* caption) {
        int count = 0;
        for (HWND w = FindWindowExA(nullptr, nullptr, className, caption); w;
             w = FindWindowExA(nullptr, w, className, caption)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            count += pid == process_.dwProcessId && IsWindowVisible(w);
        }
        return count;
    }
    // The program's open menu (a pop-up of the menu bar or a context menu), or null.
    HWND OpenMenu() { return vt::testing::BoxWatcher::FindVisible(process_.dwProcessId, "#32768"); }
    // Ends the menu that the program tracks, whether a pop-up is open or only the bar is active.
    bool CloseMenu(HWND window) {
        for (HWND target : {OpenMenu(), window}) PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0);
        return WaitUntil([&] { return !OpenMenu(); }, 3000);
    }
    bool MainWindowEverShown() { return watcher_->EverShown("TfrmMain"); }

    struct TreeItem {
        HTREEITEM handle;
        std::string text;
    };
    // The tree's top-level items with their texts, read across the process boundary.
    std::vector<TreeItem> TreeItemsOf(HWND tree) {
        std::vector<TreeItem> items;
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, process_.dwProcessId);
        char* remote =
            static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
        for (auto item =
                 reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
             item; item = reinterpret_cast<HTREEITEM>(SendMessageA(
                       tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
            TVITEMA query{};
            query.mask = TVIF_TEXT | TVIF_HANDLE;
            query.hItem = item;
            query.pszText = remote + sizeof query;
            query.cchTextMax = 1024;
            WriteProcessMemory(process, remote, &query, sizeof query, nullptr);
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
            char text[1024] = {};
            ReadProcessMemory(process, remote + sizeof query, text, sizeof text - 1, nullptr);
            items.push_back({item, text});
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        return items;
    }

    // The texts of the tree's top-level items, and whether any item is selected.
    std::vector<std::string> TreeItems(HWND tree, bool& anySelected) {
        std::vector<std::string> texts;
        for (const TreeItem& item : TreeItemsOf(tree)) texts.push_back(item.text);
        anySelected = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0;
        return texts;
    }

    // Waits until `done` holds, for at most `ms`.
    template <typename Condition>
    static bool WaitUntil(Condition done, DWORD ms = 10000) {
        for (DWORD waited = 0; waited < ms; waited += 20) {
            if (done()) return true;
            Sleep(20);
        }
        return done();
    }

    // Segment `index` (0 to 3) of an address field: the edit box that the field numbers 2 x index.
    static HWND Segment(HWND field, int index) { return GetDlgItem(field, 2 * index); }

  private:
    std::string exePath_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    std::unique_ptr<vt::testing::BoxWatcher> watcher_;
};

// A running VelmoraTarvello.exe, found by its name, opened to wait on it; null when none runs.
inline HANDLE OpenRunningProgram() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    HANDLE found = nullptr;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "VelmoraTarvello.exe") == 0)
            found = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, entry.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

// Makes Wine report another Windows version to the program only.
class WineVersionFor {
  public:
    explicit WineVersionFor(const char* version) {
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       lstrlenA(version) + 1);
        RegCloseKey(key);
    }
    ~WineVersionFor() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

  private:
    static constexpr char kKey[] = "Software\\Wine\\AppDefaults\\VelmoraTarvello.exe";
};

}  // namespace vt::e2e
