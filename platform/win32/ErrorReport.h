// The top-level error handler: an error escaping a window procedure is shown, and the program goes
// on.
#pragma once

#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>

namespace vt::win32 {

// The caption of error reports; the product title once the start sequence has set it.
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

// The system's text for an error code, without its line end; empty when the system has none.
std::string SystemErrorText(DWORD code);

// A message box with the error's text, the application's title as caption and the error icon.
void ReportError(HWND owner, const std::exception& error);

// Runs `body`, reporting any error it raises instead of letting it cross into Windows.
template <typename Body>
bool Guarded(HWND owner, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception& error) {
        ReportError(owner, error);
    } catch (...) {
        ReportError(owner, std::runtime_error("Unexpected error"));
    }
    return false;
}

}  // namespace vt::win32
