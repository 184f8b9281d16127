// Shift+F10 and the menu key, turned into the context-menu request of the control with the focus.
#pragma once

namespace vt::win32 {

// From now on, on this thread, in dialogs and message boxes too, Shift+F10 and the menu key reach
// the focused control as WM_CONTEXTMENU with the position -1, which a control passes on to its
// parent: not every system's tree and list controls pass the keys on themselves. A second call
// on the same thread does nothing.
void RouteContextMenuKeys();

}  // namespace vt::win32
