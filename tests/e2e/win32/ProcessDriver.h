// Drives the real program in its own process: starts it from a folder, answers its message boxes, reads its windows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vt::e2e {

struct SeenBox {
    std::string caption;
    std::string text;
};

// The folder of the test executable, where the build put the program too.
inline std::string BuildFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

class ProgramRun {
public:
    // Copies the program into `folder` and starts it there with `arguments`.
    ProgramRun(const std::string& folder, const std::string& arguments) {
        exePath_ = folder + "\\VelmoraTarvello.exe";
        CopyFileA((BuildFolder() + "VelmoraTarvello.exe").c_str(), exePath_.c_str(), FALSE);
        std::string command = "\"" + exePath_ + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(exePath_.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, folder.c_str(), &startup, &process_);
        if (started_) watcher_ = std::thread([this] { Watch(); });
    }
    ~ProgramRun() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 99);
        stop_ = true;
        watcher_.join();
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

    // The program's visible top-level window of that class, once it shows.
    HWND WaitForWindow(const char* className, DWORD ms = 20000) {
        for (DWORD waited = 0; waited < ms; waited += 20) {
            if (HWND found = FindVisible(className)) return found;
            Sleep(20);
        }
        return nullptr;
    }

    std::vector<SeenBox> Boxes() {
        std::lock_guard<std::mutex> lock(mutex_);
        return boxes_;
    }
    bool MainWindowEverShown() const { return mainShown_; }

    // The texts of the tree's top-level items, and whether any item is selected.
    std::vector<std::string> TreeItems(HWND tree, bool& anySelected) {
        std::vector<std::string> texts;
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, process_.dwProcessId);
        char* remote = static_cast<char*>(
            VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
        for (auto item = reinterpret_cast<HTREEITEM>(
                 SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
             item; item = reinterpret_cast<HTREEITEM>(
                       SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
            TVITEMA query{};
            query.mask = TVIF_TEXT | TVIF_HANDLE;
            query.hItem = item;
            query.pszText = remote + sizeof query;
            query.cchTextMax = 1024;
            WriteProcessMemory(process, remote, &query, sizeof query, nullptr);
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
            char text[1024] = {};
            ReadProcessMemory(process, remote + sizeof query, text, sizeof text - 1, nullptr);
            texts.emplace_back(text);
        }
        anySelected = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0;
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        return texts;
    }

private:
    struct Search {
        DWORD pid;
        const char* className;
        HWND found;
    };
    static BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (pid == s->pid && IsWindowVisible(window) && lstrcmpA(name, s->className) == 0) {
            s->found = window;
            return FALSE;
        }
        return TRUE;
    }
    HWND FindVisible(const char* className) {
        Search search{process_.dwProcessId, className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Answers each message box with OK (the first button) and records what it said.
    void Watch() {
        while (!stop_) {
            if (FindVisible("TfrmMain")) mainShown_ = true;
            if (HWND box = FindVisible("#32770")) {
                char caption[512] = {}, text[4096] = {};
                GetWindowTextA(box, caption, sizeof caption);
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    boxes_.push_back({caption, text});
                }
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                for (int i = 0; i < 100 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(10);
            }
            Sleep(10);
        }
    }

    std::string exePath_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    std::thread watcher_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> mainShown_{false};
    std::mutex mutex_;
    std::vector<SeenBox> boxes_;
};

}  // namespace vt::e2e
