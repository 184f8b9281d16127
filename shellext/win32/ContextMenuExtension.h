// The Explorer context-menu extension's object: IShellExtInit and IContextMenu, one per menu that
// Explorer builds.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace vt::win32 {

// The objects and server locks alive, for DllCanUnloadNow.
LONG LiveObjects();
void AddServerLock(bool lock);

class ContextMenuExtension final : public IShellExtInit, public IContextMenu {
  public:
    // `folder`: the DLL's folder, with its backslash; the settings file and the program are there.
    explicit ContextMenuExtension(std::string folder);
    ~ContextMenuExtension();
    ContextMenuExtension(const ContextMenuExtension&) = delete;
    ContextMenuExtension& operator=(const ContextMenuExtension&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IShellExtInit: the menu does not depend on what is selected.
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY progId) override;
    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId,
                                  UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR offset, UINT type, UINT* reserved, CHAR* name,
                                  UINT size) override;

  private:
    // The item at an offset: a configuration's index, or names_.size() for "Open"; -1 for none.
    int ItemOfVerb(const CMINVOKECOMMANDINFO& info) const;
    HRESULT Start(HWND owner, const std::string& arguments) const;

    LONG references_ = 1;
    std::string folder_;
    std::vector<std::string> names_;  // as the last menu offered them
};

}  // namespace vt::win32
