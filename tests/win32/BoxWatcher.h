// Answers the message boxes of one process from a watcher thread and records caption, text and icon
// of each.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vt::testing {

struct SeenBox {
    std::string caption;
    std::string text;
    std::string icon;  // "error", "information", "question", "warning", "none" or "unknown"
};

// An answer that is none: the box is recorded and left as it is.
inline constexpr int kNoAnswer = 0;

class BoxWatcher {
  public:
    explicit BoxWatcher(DWORD processId, int answer = IDOK)
        : processId_(processId), answer_(answer), thread_([this] { Run(); }) {}
    ~BoxWatcher() {
        stop_ = true;
        thread_.join();
    }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    std::vector<SeenBox> Boxes() {
        std::lock_guard<std::mutex> lock(mutex_);
        return boxes_;
    }
    // The answers to the next boxes, in turn; after them every box gets the default answer.
    void AnswerNext(std::initializer_list<int> answers) {
        std::lock_guard<std::mutex> lock(mutex_);
        next_.insert(next_.end(), answers);
    }
    // Whether a visible top-level window of this class belonged to the process at any time.
    bool EverShown(const char* className) {
        return lstrcmpA(className, "TfrmMain") == 0 && mainShown_;
    }

    // The process's visible top-level window of that class, or null.
    static HWND FindVisible(DWORD processId, const char* className) {
        Search search{processId, className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

  private:
    struct Search {
        DWORD pid;
        const char* className;
        HWND found;
        bool messageBoxOnly = false;
    };
    static BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        // A message box, not another dialog: it shows its text in control 0xFFFF.
        if (s->messageBoxOnly && !GetDlgItem(window, 0xFFFF)) return TRUE;
        if (pid == s->pid && IsWindowVisible(window) && lstrcmpA(name, s->className) == 0) {
            s->found = window;
            return FALSE;
        }
        return TRUE;
    }

    // The pixels that a device context holds in a square from its origin, as 32-bit values.
    static std::vector<DWORD> Pixels(HDC source, int left, int top, int size) {
        HDC memory = CreateCompatibleDC(source);
        HBITMAP bitmap = CreateCompatibleBitmap(source, size, size);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, size, size, source, left, top, SRCCOPY);
        SelectObject(memory, old);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size;
        info.bmiHeader.biHeight = -size;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        std::vector<DWORD> pixels(static_cast<size_t>(size) * size);
        GetDIBits(memory, bitmap, 0, size, pixels.data(), &info, DIB_RGB_COLORS);
        DeleteObject(bitmap);
        DeleteDC(memory);
        return pixels;
    }

    // Which standard icon the box shows: the icon control's pixels on screen against each
    // standard icon drawn here on the same background.
    static std::string IconOf(HWND box) {
        HWND control = GetDlgItem(box, 1088);         // Wine's message box icon
        if (!control) control = GetDlgItem(box, 20);  // Windows'
        if (!control || !IsWindowVisible(control) || !SendMessageA(control, STM_GETICON, 0, 0))
            return "none";
        RECT rect;
        GetWindowRect(control, &rect);
        const int size = GetSystemMetrics(SM_CXICON);
        HDC screen = GetDC(nullptr);
        const std::vector<DWORD> shown = Pixels(screen, rect.left, rect.top, size);
        const COLORREF background =
            GetPixel(screen, rect.left, rect.top);  // icon corners are clear
        const struct {
            LPCSTR id;
            const char* name;
        } icons[] = {{IDI_HAND, "error"},
                     {IDI_ASTERISK, "information"},
                     {IDI_QUESTION, "question"},
                     {IDI_EXCLAMATION, "warning"}};
        std::string found = "unknown";
        for (const auto& icon : icons) {
            HDC canvas = CreateCompatibleDC(screen);
            HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
            HGDIOBJ old = SelectObject(canvas, bitmap);
            HBRUSH brush = CreateSolidBrush(background);
            RECT all{0, 0, size, size};
            FillRect(canvas, &all, brush);
            DeleteObject(brush);
            DrawIconEx(canvas, 0, 0, LoadIconA(nullptr, icon.id), size, size, 0, nullptr,
                       DI_NORMAL);
            const bool same = Pixels(canvas, 0, 0, size) == shown;
            SelectObject(canvas, old);
            DeleteObject(bitmap);
            DeleteDC(canvas);
            if (same) {
                found = icon.name;
                break;
            }
        }
        ReleaseDC(nullptr, screen);
        return found;
    }

    void Run() {
        while (!stop_) {
            if (FindVisible(processId_, "TfrmMain")) mainShown_ = true;
            Search search{processId_, "#32770", nullptr, true};
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            if (HWND box = search.found) {
                char caption[512] = {}, text[4096] = {};
                GetWindowTextA(box, caption, sizeof caption);
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                // The icon can be read only once the box has painted it.
                std::string icon = "unknown";
                for (int tries = 0; tries < 40 && icon == "unknown"; ++tries) {
                    Sleep(25);
                    icon = IconOf(box);
                }
                int answer = answer_;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    boxes_.push_back({caption, text, icon});
                    if (!next_.empty()) {
                        answer = next_.front();
                        next_.pop_front();
                    }
                }
                if (answer == kNoAnswer) {  // as nobody at the machine: until it goes by itself
                    while (!stop_ && IsWindow(box) && IsWindowVisible(box)) Sleep(10);
                    continue;
                }
                PostMessageA(box, WM_COMMAND, answer, 0);
                for (int i = 0; i < 200 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(10);
            }
            Sleep(10);
        }
    }

    DWORD processId_;
    int answer_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> mainShown_{false};
    std::mutex mutex_;
    std::vector<SeenBox> boxes_;
    std::deque<int> next_;
    std::thread thread_;
};

}  // namespace vt::testing
