// The address field as a window class: real single-line edit boxes and delimiter labels on a
// panel inside a frame, driven by the portable rules.
#pragma once

#include <windows.h>

#include <string>

namespace vt::win32 {

inline constexpr char kIPEditClass[] = "TIPEdit";
inline constexpr int kIPEditWidth = 145;
inline constexpr int kIPEditHeight = 21;

// The field tells its parent of every change of a segment's text, an emptied segment too
// (OnTextChange), with WM_COMMAND: the field's id, this notification code, and the segment box as
// the sender.
inline constexpr WORD kIPEditChanged = 0x4101;

// Messages of the field: WM_SETTEXT and WM_GETTEXT give and take its text (Text); this one copies
// the normalised address (IPText) into the buffer at lParam of wParam characters and returns its
// length. EnableWindow disables it with its colours.
inline constexpr UINT kIPEditGetIPText = WM_USER + 1;

// Registers the window class once; every field is then made with CreateWindowExA (a child with
// WS_EX_CONTROLPARENT, so the dialog manager tabs through its segments) and set up as the
// program's address fields are: four empty segments on a silver frame.
void RegisterIPEditClass();

std::string IPEditText(HWND field);
std::string IPEditIPText(HWND field);

}  // namespace vt::win32
