// The settings file on Windows files: replacement, refused writes, a second process writing at the
// same time.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Error.h"
#include "core/SettingsFile.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileStore.h"
#include "tests/win32/TempFolder.h"

namespace vt::win32 {
namespace {

using vt::testing::TempFolder;

TEST(SettingsOnWindows, FirstWriteCreatesTheFileAndNothingElse) {
    TempFolder folder("create");
    Win32FileStore store;
    SettingsFile settings(store, folder.File("LocalSettings.Ini"));
    settings.WriteString("Options", "AppPath", "C:\\VT\\VelmoraTarvello.exe");
    EXPECT_EQ(TempFolder::ReadFile(folder.File("LocalSettings.Ini")),
              "[Options]\r\nAppPath=C:\\VT\\VelmoraTarvello.exe\r\n");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder.File("*").c_str(), &found);
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 1);  // no temporary or lock file left behind
}

TEST(SettingsOnWindows, SeesAnEditMadeBetweenTwoOperations) {
    TempFolder folder("reload");
    Win32FileStore store;
    const std::string path = folder.File("LocalSettings.Ini");
    SettingsFile settings(store, path);
    settings.WriteString("S", "a", "1");
    EXPECT_EQ(settings.ReadString("S", "a", ""), "1");
    TempFolder::WriteFile(path, "[S]\r\na=2\r\nb=3\r\n");  // same size would not hide it either
    EXPECT_EQ(settings.ReadString("S", "a", ""), "2");
    settings.WriteString("S", "c", "4");
    EXPECT_EQ(TempFolder::ReadFile(path), "[S]\r\na=2\r\nb=3\r\nc=4\r\n");
}

TEST(SettingsOnWindows, ReadOnlyFileRefusesTheWriteAndStaysIntact) {
    TempFolder folder("readonly");
    Win32FileStore store;
    const std::string path = folder.File("LocalSettings.Ini");
    TempFolder::WriteFile(path, "[S]\r\nk=1\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    SettingsFile settings(store, path);
    try {
        settings.WriteString("S", "k", "2");
        FAIL() << "the write to a read-only file was not refused";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(TempFolder::ReadFile(path), "[S]\r\nk=1\r\n");
    EXPECT_EQ(settings.ReadString("S", "k", ""), "1");
}

TEST(SettingsOnWindows, FileHeldOpenByAnotherProgramRefusesTheWrite) {
    TempFolder folder("locked");
    Win32FileStore store;
    const std::string path = folder.File("LocalSettings.Ini");
    TempFolder::WriteFile(path, "[S]\r\nk=1\r\n");
    UniqueFile holder(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    SettingsFile settings(store, path);
    EXPECT_THROW(settings.WriteString("S", "k", "2"), Error);
    holder.Reset();
    EXPECT_EQ(TempFolder::ReadFile(path), "[S]\r\nk=1\r\n");
}

TEST(SettingsOnWindows, TwoProcessesWritingAtOnceLoseNothing) {
    TempFolder folder("twowriters");
    const std::string path = folder.File("LocalSettings.Ini");
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    constexpr int kWrites = 100;
    std::string command =
        "\"" + std::string(self) + "\" --writer \"" + path + "\" Child " + std::to_string(kWrites);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    UniqueHandle child(process.hProcess), thread(process.hThread);

    Win32FileStore store;
    SettingsFile mine(store, path);
    for (int i = 0; i < kWrites; ++i) mine.WriteInteger("Parent", "k" + std::to_string(i), i);
    ASSERT_EQ(WaitForSingleObject(child.Get(), 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(child.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);

    SettingsFile reader(store, path);
    EXPECT_EQ(reader.ReadSection("Parent").size(), static_cast<size_t>(kWrites));
    EXPECT_EQ(reader.ReadSection("Child").size(), static_cast<size_t>(kWrites));
}

}  // namespace
}  // namespace vt::win32
