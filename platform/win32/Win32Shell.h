// The Windows shell behind the seam: SHGetSpecialFolderLocation, the shell link object,
// ShellExecute, WinExec, the "runas" start, folders and files, LoadLibrary.
#pragma once

#include "platform/Shell.h"

namespace vt::win32 {

class Win32Shell : public Shell {
  public:
    explicit Win32Shell(void* ownerWindow = nullptr) : owner_(ownerWindow) {}
    void SetOwner(void* ownerWindow) { owner_ = ownerWindow; }

    std::string SpecialFolder(int csidl) override;
    bool CreateLink(const ShellLink& link) override;
    void Open(const std::string& verb, const std::string& file, const std::string& parameters,
              int showCommand) override;
    unsigned WinExec(const std::string& commandLine, int showCommand) override;
    ElevatedRun RunAsAdministrator(const std::string& file,
                                   const std::string& parameters) override;
    bool CreateFolders(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    std::optional<int32_t> CallLibraryExport(const std::string& library,
                                             const std::string& exportName) override;

  private:
    void* owner_;  // the application's window, owner of what the shell shows
};

}  // namespace vt::win32
