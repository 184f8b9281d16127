// The seam for what the program asks of the user interface's basics: message boxes and the message
// pump.
#pragma once

#include <cstdint>
#include <string>

namespace vt {

// An opaque window handle; 0 means no owner.
using WindowHandle = uintptr_t;

// The standard Windows values.
inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbYesNoCancel = 0x03;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconWarning = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

class Prompts {
  public:
    virtual ~Prompts() = default;
    // Shows the text exactly as given; returns the pressed button's identifier.
    virtual int ShowBox(WindowHandle owner, const std::string& text, const std::string& caption,
                        unsigned flags) = 0;
    // Brings the window of that caption to the front, in whatever program it is; nothing when
    // there is none.
    virtual void BringToFront(const std::string& caption) { (void)caption; }
    // Lets the messages waiting for this thread run, then returns.
    virtual void ProcessMessages() = 0;
    // Shows the system's wait cursor and gives the cursor it replaced, for RestoreCursor.
    virtual uintptr_t ShowWaitCursor() = 0;
    virtual void RestoreCursor(uintptr_t previous) = 0;
};

}  // namespace vt
