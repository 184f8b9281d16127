// The Wine-side test runner; also the second writer process that the settings tests start, and the
// program the shell tests start and wait for.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "core/SettingsFile.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32System.h"

int main(int argc, char** argv) {
    // As the program does: names and paths fold by the system's code page, also in the writers.
    vt::UseAnsiCodePage(vt::win32::Win32System().AnsiCodePageRules());
    // --writer PATH SECTION COUNT: write COUNT keys into SECTION, one write at a time.
    if (argc == 5 && std::strcmp(argv[1], "--writer") == 0) {
        vt::win32::Win32FileStore store;
        vt::SettingsFile settings(store, argv[2]);
        const int count = std::atoi(argv[4]);
        for (int i = 0; i < count; ++i) {
            std::string key = "k";
            settings.WriteInteger(argv[3], key.append(std::to_string(i)), i);
        }
        return 0;
    }
    // --saver PATH: saves two versions of the file by turns until it is killed.
    if (argc == 3 && std::strcmp(argv[1], "--saver") == 0) {
        vt::win32::Win32FileStore store;
        vt::SettingsFile settings(store, argv[2]);
        for (int i = 0;; ++i) settings.WriteString("Options", "AppPath", i % 2 ? "B" : "A");
    }
    // --sleeper EVENT CODE: waits until the named event is set (30 s at most), then exits with CODE.
    if (argc == 4 && std::strcmp(argv[1], "--sleeper") == 0) {
        HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, argv[2]);
        WaitForSingleObject(stop, 30000);
        return std::atoi(argv[3]);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
