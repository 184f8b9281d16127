// A shell in memory: special folders a test sets, links and files it keeps, and every program,
// document and library export it was asked for, recorded.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/Error.h"
#include "core/CommandLine.h"
#include "platform/Shell.h"

namespace vt::fakes {

class FakeShell : public Shell {
  public:
    std::map<int, std::string> folders{{kCsidlDesktopDirectory, "C:\\Users\\Ann\\Desktop"},
                                       {kCsidlAppData, "C:\\Users\\Ann\\AppData"},
                                       {kCsidlStartup, "C:\\Users\\Ann\\Startup"}};
    std::set<std::string> existingFolders{"C:\\Users\\Ann\\Desktop", "C:\\Users\\Ann\\Startup"};
    std::set<std::string> files;
    std::map<std::string, ShellLink> links;  // by file
    bool linkObjectFails = false;
    bool savesNowhere = false;  // the link object reports a save that left no file (a device)
    struct Started {
        std::string commandLine;
        int showCommand;
    };
    std::vector<Started> started;
    struct Opened {
        std::string verb, file, parameters;
        int showCommand;
    };
    std::vector<Opened> opened;
    struct Elevated {
        std::string file, parameters;
    };
    std::vector<Elevated> elevated;
    ElevatedRun elevatedRun{ElevatedRun::End::Exited, kReportedExitCodes};
    std::vector<std::string> exportsCalled;  // "library!export"
    std::map<std::string, int32_t> libraries;  // "library!export" that exist, and what they return

    std::string SpecialFolder(int csidl) override {
        const auto it = folders.find(csidl);
        return it == folders.end() ? std::string() : it->second;
    }
    // Saved only into a folder that exists, under a name the file system takes; as on NTFS, a
    // ":" saves into a stream of the file named before it, and that path then exists.
    bool CreateLink(const ShellLink& link) override {
        if (linkObjectFails) throw Error("Class not registered");
        const size_t slash = link.file.find_last_of('\\');
        const std::string name = link.file.substr(slash + 1);
        if (!existingFolders.count(link.file.substr(0, slash)) ||
            name.find_first_of("*?\"<>|/") != std::string::npos)
            return false;
        if (savesNowhere) return true;
        links[link.file] = link;
        files.insert(link.file);
        return true;
    }
    void Open(const std::string& verb, const std::string& file, const std::string& parameters,
              int showCommand) override {
        opened.push_back({verb, file, parameters, showCommand});
    }
    unsigned WinExec(const std::string& commandLine, int showCommand) override {
        started.push_back({commandLine, showCommand});
        return 33;
    }
    ElevatedRun RunAsAdministrator(const std::string& file,
                                   const std::string& parameters) override {
        elevated.push_back({file, parameters});
        return elevatedRun;
    }
    bool CreateFolders(const std::string& path) override {
        for (size_t slash = path.find('\\', 3); slash != std::string::npos;
             slash = path.find('\\', slash + 1))
            existingFolders.insert(path.substr(0, slash));
        existingFolders.insert(path);
        return true;
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool RemoveFile(const std::string& path) override {
        links.erase(path);
        return files.erase(path) != 0;
    }
    std::optional<int32_t> CallLibraryExport(const std::string& library,
                                             const std::string& exportName) override {
        const std::string call = library + "!" + exportName;
        exportsCalled.push_back(call);
        const auto found = libraries.find(call);
        if (found == libraries.end()) return std::nullopt;
        return found->second;
    }
};

}  // namespace vt::fakes
