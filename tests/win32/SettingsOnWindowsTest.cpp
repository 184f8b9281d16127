// The settings file on Windows files: replacement, holds by other programs, refused writes, the
// writers' lock, a second process writing at the same time.
#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "base/Error.h"
#include "core/SettingsFile.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileStore.h"
#include "tests/win32/TempFolder.h"

namespace vt::win32 {
namespace {

using vt::testing::HeldFile;
using vt::testing::TempFolder;

std::string DaclText(const std::string& path) {
    char buffer[4096];
    DWORD needed = 0;
    if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, buffer, sizeof buffer, &needed))
        return "<none>";
    char* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(buffer, SDDL_REVISION_1,
                                                              DACL_SECURITY_INFORMATION, &text,
                                                              nullptr))
        return "<none>";
    std::string result = text;
    LocalFree(text);
    return result;
}

// The 8.3 form of a path where the system makes one, else the path itself.
std::string ShortPath(const std::string& path) {
    char buffer[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

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

constexpr char kConfigurations[] =
    "[Options]\r\nAppPath=C:\\VT\\VelmoraTarvello.exe\r\n\r\n[Configurations]\r\n"
    "{0A1B2C3D-0000-4000-8000-000000000001}=Office\r\n\r\n[FriendlyName]\r\n"
    "Office={0A1B2C3D-0000-4000-8000-000000000001}\r\n";


TEST(SettingsOnWindows, ABriefHoldByAnotherProgramIsWaitedOut) {
    TempFolder folder("brief");
    const std::string path = folder.File("LocalSettings.Ini");
    TempFolder::WriteFile(path, kConfigurations);
    Win32FileStore store;
    {
        HeldFile holder(path, 500);
        ASSERT_TRUE(holder.Holding());
        SettingsFile reader(store, path);
        EXPECT_TRUE(reader.ValueExists("FriendlyName", "Office"));
    }
    {
        HeldFile holder(path, 500);
        SettingsFile writer(store, path);
        writer.WriteString("Options", "AppPath", "D:\\VelmoraTarvello.exe");
    }
    std::string expected = kConfigurations;
    expected.replace(expected.find("C:\\VT\\"), 6, "D:\\");
    EXPECT_EQ(TempFolder::ReadFile(path), expected);
}

TEST(SettingsOnWindows, AHoldLongerThanTheWaitRefusesTheWriteAndKeepsTheFile) {
    TempFolder folder("locked");
    const std::string path = folder.File("LocalSettings.Ini");
    TempFolder::WriteFile(path, kConfigurations);
    Win32FileStore store;
    {
        HeldFile holder(path, FileStore::kHoldWaitMs + 1000);
        SettingsFile settings(store, path);
        try {
            settings.WriteString("Options", "AppPath", "D:\\x.exe");
            FAIL() << "the write was not refused";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
        }
    }
    EXPECT_EQ(TempFolder::ReadFile(path), kConfigurations);
    // A reader that shares reading but not deletion blocks only the replacement.
    UniqueFile reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    SettingsFile settings(store, path);
    EXPECT_TRUE(settings.ValueExists("FriendlyName", "Office"));
    EXPECT_THROW(settings.WriteString("Options", "AppPath", "D:\\x.exe"), Error);
    reader.Reset();
    EXPECT_EQ(TempFolder::ReadFile(path), kConfigurations);
}

std::string CurrentUserSid() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    const UniqueHandle owned(token);
    char buffer[512];
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size)) return "OW";
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text))
        return "OW";
    std::string sid = text;
    LocalFree(text);
    return sid;
}

TEST(SettingsOnWindows, ReplacementKeepsTheFilesAttributesAndSecurity) {
    TempFolder folder("attributes");
    const std::string path = folder.File("LocalSettings.Ini");
    TempFolder::WriteFile(path, kConfigurations);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    // A DACL of our own: everyone may read, only this user may change the file.
    PSECURITY_DESCRIPTOR custom = nullptr;
    const std::string sddl = "D:P(A;;FA;;;" + CurrentUserSid() + ")(A;;FR;;;WD)";
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                                     &custom, nullptr));
    const bool aclStored = SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, custom);
    LocalFree(custom);
    const std::string before = DaclText(path);

    Win32FileStore store;
    SettingsFile settings(store, path);
    settings.WriteString("Options", "AppPath", "D:\\VelmoraTarvello.exe");
    EXPECT_NE(TempFolder::ReadFile(path).find("D:\\VelmoraTarvello.exe"), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    if (aclStored) {
        EXPECT_EQ(DaclText(path), before);
    }
    std::printf("      (custom DACL %s by this system: %s)\n", aclStored ? "stored" : "not stored",
                before.c_str());
}

// Short temporary names: the system's own writer accepts a path this close to its limit.
TEST(SettingsOnWindows, PathCloseToTheSystemsLimitIsWritten) {
    TempFolder folder("long");
    std::string deep = folder.Path();
    while (deep.size() < MAX_PATH - 40) {
        deep += "\\" + std::string(std::min<size_t>(30, MAX_PATH - 40 - deep.size()), 'd');
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    std::string path = deep + "\\LocalSettings.Ini";
    path.insert(path.size() - 4, std::string(MAX_PATH - 6 - path.size(), 'x'));
    ASSERT_EQ(path.size(), static_cast<size_t>(MAX_PATH - 6));
    Win32FileStore store;
    SettingsFile settings(store, path);
    settings.WriteString("Options", "AppPath", "C:\\a.exe");
    EXPECT_EQ(TempFolder::ReadFile(path), "[Options]\r\nAppPath=C:\\a.exe\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("Options", "Other", "1", path.c_str()));
    for (std::string at = deep; at.size() > folder.Path().size(); at.resize(at.rfind('\\'))) {
        DeleteFileA(path.c_str());
        RemoveDirectoryA(at.c_str());
    }
}

// This test program started again with `arguments`, as a second process on the same file. Wine
// now and then fails to start a process right after it ended another: that is tried again.
UniqueHandle StartSelf(const std::string& arguments) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" " + arguments;
    for (int attempt = 0; attempt < 5; ++attempt, Sleep(100)) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            std::printf("      (starting a second process failed with %lu)\n", GetLastError());
            continue;
        }
        CloseHandle(process.hThread);
        return UniqueHandle(process.hProcess);
    }
    return UniqueHandle();
}

// The file's bytes as a program that shares every access reads them: "<missing>" only when there is
// no such file; a brief hold by the writer is waited out.
std::string ReadAsAnotherProgram(const std::string& path) {
    for (;;) {
        UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        if (!file && GetLastError() == ERROR_FILE_NOT_FOUND) return "<missing>";
        if (!file) continue;
        std::string bytes(4096, '\0');
        DWORD got = 0;
        ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        bytes.resize(got);
        return bytes;
    }
}

// A writer killed at any moment of a save leaves the old file or the new one, never none.
TEST(SettingsOnWindows, AWriterKilledDuringASaveLeavesTheOldFileOrTheNew) {
    TempFolder folder("killed");
    const std::string path = folder.File("LocalSettings.Ini");
    const std::string a = "[Options]\r\nAppPath=A\r\n", b = "[Options]\r\nAppPath=B\r\n";
    TempFolder::WriteFile(path, a);
    for (int kill = 0; kill < 200; ++kill) {
        const UniqueHandle child = StartSelf("--saver \"" + path + "\"");
        ASSERT_TRUE(child);
        // Killed once it is saving, at ever other moments of its saves. Readers meanwhile, and
        // after the kill, find one of the two files whole.
        const std::string before = ReadAsAnotherProgram(path);
        std::string seen = before;
        for (int waited = 0; seen == before && waited < 10000; ++waited, Sleep(1))
            seen = ReadAsAnotherProgram(path);
        Sleep(kill % 7);
        TerminateProcess(child.Get(), 1);
        WaitForSingleObject(child.Get(), INFINITE);
        ASSERT_TRUE(seen == a || seen == b) << "while saving: " << seen;
        const std::string content = ReadAsAnotherProgram(path);
        ASSERT_TRUE(content == a || content == b) << "after kill " << kill << ": " << content;
    }
}

TEST(SettingsOnWindows, EverySpellingOfOnePathSharesOneWritersLock) {
    TempFolder folder("lockname");
    const std::string path = folder.File("LocalSettings.Ini");
    TempFolder::WriteFile(path, kConfigurations);
    CreateDirectoryA(folder.File("sub").c_str(), nullptr);
    const std::string name = Win32FileStore::LockNameFor(path);
    std::string upper = path;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    for (const std::string& other : {upper, folder.File("sub\\..\\LocalSettings.Ini"),
                                     folder.Path() + "\\.\\LocalSettings.Ini", ShortPath(path)})
        EXPECT_EQ(Win32FileStore::LockNameFor(other), name) << other;
    EXPECT_NE(Win32FileStore::LockNameFor(folder.File("Other.Ini")), name);
    RemoveDirectoryA(folder.File("sub").c_str());
}

// The access list of a kernel object, as the system checks a later opener against it.
std::string ObjectDaclText(HANDLE object) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(object, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return "<none>";
    const UniqueLocalMemory owned(descriptor);
    char* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr))
        return "<none>";
    const UniqueLocalMemory ownedText(text);
    return text;
}

// The rights a handle was opened with.
ACCESS_MASK GrantedAccess(HANDLE handle) {
    using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryObject>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject")));
    PUBLIC_OBJECT_BASIC_INFORMATION info{};
    return query && query(handle, ObjectBasicInformation, &info, sizeof info, nullptr) == 0
               ? info.GrantedAccess
               : 0;
}

// A copy without administrator rights (every copy under UAC) is granted what Everyone is granted;
// the lock opens an existing mutex for exactly that, so such a copy waits for the others. (Wine
// checks no access list: the descriptor and the rights asked for are what Windows would check.)
TEST(SettingsOnWindows, TheWritersLockAsksOnlyForWhatEveryUserIsGranted) {
    const std::string name = "VelmoraTarvello.Test." + std::to_string(GetCurrentProcessId());
    const UniqueHandle first = Win32FileStore::OpenWritersMutex(name);
    ASSERT_TRUE(first);
    const std::string dacl = ObjectDaclText(first.Get());
    EXPECT_NE(dacl.find("(A;;0x100001;;;WD)"), std::string::npos) << dacl;
    const UniqueHandle second = Win32FileStore::OpenWritersMutex(name);
    ASSERT_TRUE(second);
    EXPECT_EQ(GrantedAccess(second.Get()), static_cast<ACCESS_MASK>(0x100001));

    // The second handle serialises with the first (another thread: a mutex lets its owner in
    // again), and may give the lock back.
    ASSERT_EQ(WaitForSingleObject(first.Get(), 0), WAIT_OBJECT_0);
    const auto tryOther = [&] {
        DWORD got = 0;
        std::thread([&] {
            got = WaitForSingleObject(second.Get(), 0);
            if (got == WAIT_OBJECT_0 && !ReleaseMutex(second.Get())) got = 99;
        }).join();
        return got;
    };
    EXPECT_EQ(tryOther(), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(ReleaseMutex(first.Get()));
    EXPECT_EQ(tryOther(), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST(SettingsOnWindows, TwoProcessesWritingAtOnceLoseNothing) {
    TempFolder folder("twowriters");
    const std::string path = folder.File("LocalSettings.Ini");
    constexpr int kWrites = 500;
    // The child reaches the file by another spelling of its path.
    CreateDirectoryA(folder.File("sub").c_str(), nullptr);
    const std::string otherSpelling = folder.File("SUB\\..\\localsettings.ini");
    const UniqueHandle child =
        StartSelf("--writer \"" + otherSpelling + "\" Child " + std::to_string(kWrites));
    ASSERT_TRUE(child);

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
    RemoveDirectoryA(folder.File("sub").c_str());
}

}  // namespace
}  // namespace vt::win32
