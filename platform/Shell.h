// The seam for what the program asks of the Windows shell: special folders, shell links, opening
// documents and programs, files, and the exports of a library.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vt {

// E_ACCESSDENIED, as a library's export reports a refusal for lack of rights.
inline constexpr int32_t kAccessDeniedResult = static_cast<int32_t>(0x80070005u);

inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;

inline constexpr int kCsidlStartup = 7;
inline constexpr int kCsidlDesktopDirectory = 16;
inline constexpr int kCsidlAppData = 26;

// Every field of a shell link (.lnk) as the program fills them.
struct ShellLink {
    std::string file;  // the .lnk file written
    std::string description;
    std::string target;
    std::string arguments;
    std::string workingDirectory;  // not set when empty
    std::string iconFile;          // not set when empty
    int iconIndex = 0;
    int showCommand = kSwShowNormal;
    friend bool operator==(const ShellLink&, const ShellLink&) = default;
};

// How a program started as administrator ended for the one that waited for it.
struct ElevatedRun {
    enum class End {
        NotStarted,  // the user declined, or the system refused
        Exited,      // with exitCode
        Abandoned,   // this program quit meanwhile; the other one runs on
    };
    End end = End::NotStarted;
    uint32_t exitCode = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // The folder's path without a trailing backslash; empty when the system has none.
    virtual std::string SpecialFolder(int csidl) = 0;
    // Writes the link through the shell's link object; false when the file could not be saved.
    // Raises when the link object itself cannot be created.
    virtual bool CreateLink(const ShellLink& link) = 0;
    // ShellExecute with the verb ("" for the default one); callers do not examine the result.
    virtual void Open(const std::string& verb, const std::string& file,
                      const std::string& parameters, int showCommand) = 0;
    // WinExec: starts a program by its command line; callers do not examine the result.
    virtual unsigned WinExec(const std::string& commandLine, int showCommand) = 0;
    // Starts the program as administrator (the shell's "runas" verb) and waits for it while this
    // program's windows go on working.
    virtual ElevatedRun RunAsAdministrator(const std::string& file,
                                           const std::string& parameters) = 0;
    // Creates the folder and the missing ones above it; false when it is not there afterwards.
    virtual bool CreateFolders(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Loads the library, calls the export without arguments and frees the library: what the
    // export returned (an HRESULT), or nothing when the library or the export is missing.
    virtual std::optional<int32_t> CallLibraryExport(const std::string& library,
                                                     const std::string& exportName) = 0;
};

}  // namespace vt
