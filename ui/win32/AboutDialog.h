// The About dialog ("Product Information"): icon, title, version, and a banner whose right part
// opens the home page.
#pragma once

#include <windows.h>

#include <functional>

namespace vt::win32 {

inline constexpr int kIdAboutBanner = 401;  // its right part opens the home page

void RunAboutDialog(HWND owner, const std::function<void()>& openHomepage);

}  // namespace vt::win32
