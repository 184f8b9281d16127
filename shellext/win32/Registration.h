// The extension's registration: its class and a context-menu handler for the network place's
// shell folders, for the machine where the process may write there, else for the user.
#pragma once

#include <windows.h>

#include <string>

namespace vt::win32 {

// The extension's own class.
inline constexpr char kExtensionClsid[] = "{F0F426D5-5761-43C8-A7DF-6602CC36D501}";
// "My Network Places", and the Network folder of Vista and later.
inline constexpr const char* kNetworkFolderClsids[] = {"{208D2C60-3AEA-1069-A2D7-08002B30309D}",
                                                       "{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}"};
// The handler's key name under each folder's ContextMenuHandlers.
inline constexpr char kHandlerName[] = "VelmoraTarvello";

// Under `machine`'s Software\Classes when the process may write there, else under `user`'s
// (HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER; tests pass keys of their own). S_OK when written.
HRESULT RegisterExtension(HKEY machine, HKEY user, const std::string& dllPath);
// Removes what RegisterExtension writes, from both where the process may, and the keys left
// empty above it under `user`; S_OK also when there was nothing to remove. E_ACCESSDENIED when
// the machine's keys are there and may not be removed by this process: the menu stays.
HRESULT UnregisterExtension(HKEY machine, HKEY user);

}  // namespace vt::win32
