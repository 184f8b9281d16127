// A fresh folder under the Windows temporary folder for one test, removed with its files
// afterwards; and a file held by another program.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace vt::testing {

// The folder of the running test or benchmark, where the build put the program too.
inline std::string BuildFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

class TempFolder {
  public:
    explicit TempFolder(const std::string& name) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "vt-" + name + "-" + std::to_string(GetCurrentProcessId());
        Remove();
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(); }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Copies a file the build made (the program, a DLL, the help) into this folder.
    void CopyFromBuild(const std::string& name) const {
        CopyFileA((BuildFolder() + name).c_str(), File(name).c_str(), FALSE);
    }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    static std::string ReadFile(const std::string& path) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "<missing>";
        std::string bytes;
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
            bytes.append(buffer, got);
        CloseHandle(file);
        return bytes;
    }

  private:
    void Remove() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string file = path_ + "\\" + found.cFileName;
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(file.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path_.c_str());
    }
    std::string path_;
};

// Another program holds a file without sharing for `ms`, as an editor or a scanner may.
class HeldFile {
  public:
    HeldFile(const std::string& path, DWORD ms)
        : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)),
          release_([this, ms] {
              Sleep(ms);
              CloseHandle(file_);
          }) {}
    ~HeldFile() { release_.join(); }
    bool Holding() const { return file_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE file_;
    std::thread release_;
};

}  // namespace vt::testing
