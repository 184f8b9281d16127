// Scripted message boxes: records every box shown and answers from a queue.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Prompts.h"

namespace vt::fakes {

class FakePrompts : public Prompts {
  public:
    struct Shown {
        WindowHandle owner;
        std::string text;
        std::string caption;
        unsigned flags;
    };
    std::vector<Shown> shown;
    std::deque<int> answers;  // empty: every box answers OK
    int pumps = 0;
    uintptr_t cursor = 1;  // the arrow; 2 is the wait cursor
    int cursorChanges = 0;

    int ShowBox(WindowHandle owner, const std::string& text, const std::string& caption,
                unsigned flags) override {
        shown.push_back({owner, text, caption, flags});
        if (answers.empty()) return kIdOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::function<void()> onPump;  // what the waiting messages do, when a test needs it
    std::vector<std::string> broughtToFront;

    void BringToFront(const std::string& caption) override { broughtToFront.push_back(caption); }

    void ProcessMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    uintptr_t ShowWaitCursor() override {
        ++cursorChanges;
        return std::exchange(cursor, 2);
    }
    void RestoreCursor(uintptr_t previous) override {
        ++cursorChanges;
        cursor = previous;
    }
};

}  // namespace vt::fakes
