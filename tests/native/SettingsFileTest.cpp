// The settings file object: value forms, defaults, reloading, atomic and serialised writes, refused
// writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/Error.h"
#include "core/SettingsFile.h"
#include "platform/posix/PosixFileStore.h"
#include "tests/fakes/FakeFileStore.h"

namespace vt {
namespace {

constexpr char kPath[] = "C:\\Tools\\LocalSettings.Ini";

class SettingsFileTest : public ::testing::Test {
  protected:
    fakes::FakeFileStore store;
    SettingsFile settings{store, kPath};
    void Given(const std::string& text) { store.Put(kPath, text); }
};

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(settings.ReadString("Options", "Filters", "dflt"), "dflt");
    EXPECT_EQ(settings.ReadInteger("Options", "X", 7), 7);
    EXPECT_TRUE(settings.ReadBool("Options", "EnableMenu", true));
    EXPECT_TRUE(settings.ReadSection("Configurations").empty());
    Given("[Options]\r\nA=1\r\n");
    EXPECT_EQ(settings.ReadString("Other", "A", "d"), "d");
    EXPECT_EQ(settings.ReadString("Options", "B", "d"), "d");
    EXPECT_FALSE(store.Exists("C:\\Tools\\other.ini"));
}

TEST_F(SettingsFileTest, IntegerValueForms) {
    Given(
        "[S]\r\ndec=42\r\nneg=-17\r\nhex=0x1F\r\nhex2=0XfF\r\nword=yes\r\nempty=\r\n"
        "tail=12abc\r\nbig=2147483648\r\nmin=-2147483648\r\nfull=0xFFFFFFFF\r\nbare=0x\r\n"
        "plus=+5\r\nspaced=\" 7\"\r\n");
    EXPECT_EQ(settings.ReadInteger("S", "dec", 0), 42);
    EXPECT_EQ(settings.ReadInteger("S", "neg", 0), -17);
    EXPECT_EQ(settings.ReadInteger("S", "hex", 0), 31);
    EXPECT_EQ(settings.ReadInteger("S", "hex2", 0), 255);
    EXPECT_EQ(settings.ReadInteger("S", "word", 9), 9);
    EXPECT_EQ(settings.ReadInteger("S", "empty", 9), 9);
    EXPECT_EQ(settings.ReadInteger("S", "tail", 9), 9);
    EXPECT_EQ(settings.ReadInteger("S", "big", 9), 9);
    EXPECT_EQ(settings.ReadInteger("S", "min", 9), INT32_MIN);
    EXPECT_EQ(settings.ReadInteger("S", "full", 9), -1);
    EXPECT_EQ(settings.ReadInteger("S", "bare", 9), 9);
    EXPECT_EQ(settings.ReadInteger("S", "plus", 9), 5);
    EXPECT_EQ(settings.ReadInteger("S", "spaced", 9), 9);
}

TEST_F(SettingsFileTest, BooleanValueForms) {
    Given("[S]\r\nyes=yes\r\ntwo=2\r\nhex=0x1\r\nzero=0\r\nminus=-1\r\n");
    EXPECT_TRUE(settings.ReadBool("S", "yes", true));
    EXPECT_FALSE(settings.ReadBool("S", "yes", false));
    EXPECT_TRUE(settings.ReadBool("S", "two", false));
    EXPECT_TRUE(settings.ReadBool("S", "hex", false));
    EXPECT_FALSE(settings.ReadBool("S", "zero", true));
    EXPECT_TRUE(settings.ReadBool("S", "minus", false));
}

TEST_F(SettingsFileTest, WritesUseTheValueForms) {
    settings.WriteBool("S", "t", true);
    settings.WriteBool("S", "f", false);
    settings.WriteInteger("S", "n", -12);
    settings.WriteString("S", "s", "text");
    EXPECT_EQ(store.Content(kPath), "[S]\r\nt=1\r\nf=0\r\nn=-12\r\ns=text\r\n");
}

TEST_F(SettingsFileTest, ValueExistsComparesListedKeysIgnoringCase) {
    Given("[FriendlyName]\r\nOffice=1\r\nnovalue\r\n");
    EXPECT_TRUE(settings.ValueExists("friendlyname", "OFFICE"));
    EXPECT_FALSE(settings.ValueExists("FriendlyName", "novalue"));
    EXPECT_FALSE(settings.ValueExists("FriendlyName", "Home"));
}

TEST_F(SettingsFileTest, SectionValuesAreWhatEachReadWouldGive) {
    Given("[C]\r\n{B}=Beta\r\n{A}=\"Alpha\"\r\n{b}=again\r\nnovalue\r\n{E}=\r\n");
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(settings.ReadSectionValues("c"),
              (Entries{{"{B}", "Beta"}, {"{A}", "Alpha"}, {"{b}", "Beta"}, {"{E}", ""}}));
    EXPECT_EQ(store.reads, 1);
}

TEST_F(SettingsFileTest, EmptyKeyReadsEmptyNotTheDefault) {
    Given("[S]\r\n=x\r\n");
    EXPECT_EQ(settings.ReadString("S", "", "dflt"), "");
    EXPECT_EQ(settings.ReadInteger("S", "", 5), 5);
}

TEST_F(SettingsFileTest, NoticesAChangeMadeByAnotherProcess) {
    Given("[S]\r\nk=1\r\n");
    EXPECT_EQ(settings.ReadString("S", "k", ""), "1");
    Given("[S]\r\nk=2\r\nhand=edit\r\n");
    EXPECT_EQ(settings.ReadString("S", "k", ""), "2");
    // A write starts from the file as it is now, so the other process's edit survives.
    settings.WriteString("S", "mine", "3");
    EXPECT_EQ(store.Content(kPath), "[S]\r\nk=2\r\nhand=edit\r\nmine=3\r\n");
}

TEST_F(SettingsFileTest, ReadsDoNotReloadAnUnchangedFile) {
    Given("[S]\r\nk=1\r\n");
    for (int i = 0; i < 10; ++i) settings.ReadString("S", "k", "");
    EXPECT_EQ(store.reads, 1);
}

TEST_F(SettingsFileTest, ASnapshotLooksAtTheFileOncePerUserAction) {
    Given("[S]\r\nk=1\r\n");
    {
        SettingsFile::Snapshot action(settings);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(settings.ReadString("S", "k", ""), "1");
        EXPECT_EQ(store.looks, 0);  // nothing loaded yet: the first read loads without a check
        Given("[S]\r\nk=2\r\n");
        EXPECT_EQ(settings.ReadString("S", "k", ""), "1");
        // Its own writes start from the file as it is now, and its reads see them.
        settings.WriteString("S", "mine", "3");
        EXPECT_EQ(settings.ReadString("S", "k", ""), "2");
        EXPECT_EQ(settings.ReadString("S", "mine", ""), "3");
    }
    Given("[S]\r\nk=4\r\n");
    EXPECT_EQ(settings.ReadString("S", "k", ""), "4");  // the next action looks again
    store.unreadableReads = 100;
    Given("[S]\r\nk=5\r\n");
    SettingsFile::Snapshot action(settings);
    EXPECT_THROW(settings.ReadString("S", "k", "default"), SettingsUnreadable);
    EXPECT_THROW(settings.ReadString("S", "k", "default"), SettingsUnreadable);
    EXPECT_EQ(store.unreadableReads, 99);  // a held file is waited for once, not once per read
}

TEST_F(SettingsFileTest, UnchangedWriteLeavesTheFileAlone) {
    settings.WriteString("S", "k", "1");
    settings.WriteString("S", "K", "1");
    EXPECT_EQ(store.replaces, 1);
}

TEST_F(SettingsFileTest, RefusedWriteRaisesWithFullPathAndKeepsTheFile) {
    Given("[S]\r\nk=1\r\n");
    for (bool refuseLock : {true, false}) {
        store.refuseLock = refuseLock;
        store.refuseReplace = !refuseLock;
        try {
            settings.WriteString("S", "k", "2");
            FAIL() << "the write was not refused";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Unable to write to C:\\Tools\\LocalSettings.Ini");
        }
        EXPECT_EQ(store.Content(kPath), "[S]\r\nk=1\r\n");
        EXPECT_EQ(settings.ReadString("S", "k", ""), "1");  // nothing half-done in memory either
    }
    store.refuseReplace = false;
    settings.WriteString("S", "k", "3");
    EXPECT_EQ(settings.ReadString("S", "k", ""), "3");
}

// What one process writes, a fresh process reads back under the same names, or it is refused.
TEST_F(SettingsFileTest, NamesAndTextsThatWouldNotReadBackAreRefused) {
    Given("[S]\r\nk=1\r\n");
    EXPECT_THROW(settings.WriteString("S", "k", "x\r\n[Options]\r\nAppPath=evil"), Error);
    EXPECT_THROW(settings.WriteString("S", "a\nb", "1"), Error);
    EXPECT_THROW(settings.WriteString("S\n", "a", "1"), Error);
    const std::pair<const char*, const char*> refused[] = {
        {"FriendlyName", "[Home]"}, {"S", "[a"},  // with "]" in the value below: a header
        {"S", ";note"},  {"S", "a=b"}, {"S", " padded"}, {"S", "padded "}, {"S", ""},
        {"", "k"},       {" ", "k"},   {" S", "k"}};
    for (const auto& [section, key] : refused)
        EXPECT_THROW(settings.WriteString(section, key, "b]"), Error) << section << "|" << key;
    EXPECT_EQ(store.Content(kPath), "[S]\r\nk=1\r\n");

    settings.WriteString("FriendlyName", "[Home", "{K}");  // no "]" on the line: a key
    SettingsFile fresh(store, kPath);
    EXPECT_EQ(fresh.ReadSection("FriendlyName"), std::vector<std::string>{"[Home"});
    EXPECT_EQ(fresh.ReadSection("S"), std::vector<std::string>{"k"});
}

// Another program holds the file for a moment: a read says so rather than answer its default,
// and reads it again later; a write refuses rather than replace the file with what little it
// knows.
TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeverTakenAsEmpty) {
    const std::string text = "[Options]\r\nAppPath=C:\\old.exe\r\n[FriendlyName]\r\nOffice={K}\r\n";
    Given(text);
    store.unreadableReads = 1;
    try {
        settings.ValueExists("FriendlyName", "Office");
        FAIL() << "an unreadable file was read";
    } catch (const SettingsUnreadable& e) {
        EXPECT_STREQ(e.what(), "Unable to read C:\\Tools\\LocalSettings.Ini");
    }
    EXPECT_TRUE(settings.ValueExists("FriendlyName", "Office"));

    SettingsFile writer(store, kPath);
    store.unreadableReads = 1;
    EXPECT_THROW(writer.WriteString("Options", "AppPath", "C:\\new.exe"), Error);
    EXPECT_EQ(store.Content(kPath), text);
    writer.WriteString("Options", "AppPath", "C:\\new.exe");
    EXPECT_EQ(store.Content(kPath),
              "[Options]\r\nAppPath=C:\\new.exe\r\n[FriendlyName]\r\nOffice={K}\r\n");
}

TEST_F(SettingsFileTest, AReadThatEndsEarlyIsAFailedRead) {
    const std::string text = "[S]\r\nk=1\r\n[T]\r\nlast=2\r\n";
    Given(text);
    store.cutReadsBy = 9;
    EXPECT_THROW(settings.ReadString("S", "k", "dflt"), SettingsUnreadable);
    EXPECT_THROW(settings.WriteString("S", "k", "3"), Error);
    EXPECT_EQ(store.Content(kPath), text);
}

// An edit in place of the same size within one clock tick keeps the stamp; writes read anyway.
TEST_F(SettingsFileTest, AWriteKeepsAnEditThatTheStampDoesNotShow) {
    Given("[S]\r\nk=1\r\n");
    EXPECT_EQ(settings.ReadString("S", "k", ""), "1");
    store.PutKeepingStamp(kPath, "[S]\r\nk=2\r\n");
    settings.WriteString("S", "new", "x");
    EXPECT_EQ(store.Content(kPath), "[S]\r\nk=2\r\nnew=x\r\n");
}

TEST_F(SettingsFileTest, BatchIsAllOrNothing) {
    Given("[S]\r\nk=1\r\n");
    EXPECT_THROW(settings.Update([](SettingsFile::Batch& batch) {
        batch.WriteString("S", "a", "1");
        batch.WriteString("S", "b", "bad\n");
    }),
                 Error);
    EXPECT_EQ(store.Content(kPath), "[S]\r\nk=1\r\n");
    EXPECT_EQ(settings.ReadString("S", "a", "none"), "none");
}

TEST_F(SettingsFileTest, EraseSectionAndDeleteKey) {
    Given("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
    settings.DeleteKey("a", "x");
    settings.EraseSection("b");
    EXPECT_EQ(store.Content(kPath), "[A]\r\ny=2\r\n");
}

std::string Utf16Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

// Files kept in a Unicode form, as other editors save them, are read and written in that form.
TEST_F(SettingsFileTest, Utf16FileIsReadAndWrittenAsUtf16) {
    Given(Utf16Le(u"[Options]\r\nAppPath=C:\\\u00e9.exe\r\nNote=\u03a9mega\r\n"));
    EXPECT_EQ(settings.ReadString("Options", "AppPath", ""), "C:\\\xE9.exe");
    EXPECT_EQ(settings.ReadString("Options", "Note", ""), "?mega");  // no ANSI form
    settings.WriteString("Options", "Filters", "{A},");
    // The line with no ANSI form comes back as it was, not as "?mega".
    EXPECT_EQ(store.Content(kPath),
              Utf16Le(u"[Options]\r\nAppPath=C:\\\u00e9.exe\r\nNote=\u03a9mega\r\nFilters={A},\r\n"));
    // Lines that read the same in ANSI each keep their own bytes, a line that is "??" too.
    Given(Utf16Le(u";??\r\n;\u6771\u4eac\r\n;\u5927\u962a\r\n[Options]\r\n;\u6771\u4eac\r\n"));
    settings.WriteString("Options", "Filters", "{A},");
    EXPECT_EQ(store.Content(kPath),
              Utf16Le(u";??\r\n;\u6771\u4eac\r\n;\u5927\u962a\r\n[Options]\r\n"
                      u";\u6771\u4eac\r\nFilters={A},\r\n"));
}

// Without its mark, as the system tells text apart: UTF-16 laid out with NULs keeps its form. A
// file with NULs in no such layout cannot be told: never read as something else, never written.
TEST_F(SettingsFileTest, Utf16WithoutAMarkKeepsItsFormAndAFileThatCannotBeToldIsLeftAlone) {
    const std::string unmarked = Utf16Le(u"[Options]\r\nAppPath=C:\\\u00e9.exe\r\n").substr(2);
    Given(unmarked);
    EXPECT_EQ(settings.ReadString("Options", "AppPath", ""), "C:\\\xE9.exe");
    settings.WriteString("Options", "Filters", "{A},");
    EXPECT_EQ(store.Content(kPath),
              Utf16Le(u"[Options]\r\nAppPath=C:\\\u00e9.exe\r\nFilters={A},\r\n").substr(2));
    const std::string untold = std::string("[Options]\r\nAppPath=x\0\0\0y\r\n", 23);
    Given(untold);
    EXPECT_THROW(settings.ReadString("Options", "AppPath", ""), SettingsUnreadable);
    EXPECT_THROW(settings.WriteString("Options", "AppPath", "C:\\a.exe"), Error);
    EXPECT_EQ(store.Content(kPath), untold);
}

TEST_F(SettingsFileTest, Utf8MarkIsKeptAndHidesNothing) {
    Given("\xEF\xBB\xBF[Options]\r\nAppPath=C:\\\xC3\xA9.exe\r\n");
    EXPECT_EQ(settings.ReadString("Options", "AppPath", ""), "C:\\\xE9.exe");
    settings.WriteString("Options", "AppPath", "D:\\\xE9.exe");
    EXPECT_EQ(store.Content(kPath), "\xEF\xBB\xBF[Options]\r\nAppPath=D:\\\xC3\xA9.exe\r\n");
}

TEST_F(SettingsFileTest, CarriageReturnsAloneEndLines) {
    Given("[S]\rk=1\rj=2");
    EXPECT_EQ(settings.ReadSection("S"), (std::vector<std::string>{"k", "j"}));
    settings.WriteString("S", "j", "3");
    EXPECT_EQ(store.Content(kPath), "[S]\r\nk=1\r\nj=3\r\n");
}

// The same engine on real files.
class SettingsOnDiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("vt-settings-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "LocalSettings.Ini").string();
    }
    void TearDown() override {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir);
    }
    std::string Content() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    PosixFileStore store;
    std::filesystem::path dir;
    std::string path;
};

TEST_F(SettingsOnDiskTest, FirstWriteCreatesTheFileAndLeavesNoTemporaryBehind) {
    SettingsFile settings(store, path);
    settings.WriteString("Options", "AppPath", "C:\\a.exe");
    EXPECT_EQ(Content(), "[Options]\r\nAppPath=C:\\a.exe\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"LocalSettings.Ini", "LocalSettings.Ini.lock"}));
}

TEST_F(SettingsOnDiskTest, TwoObjectsOnOneFileSeeEachOthersWrites) {
    SettingsFile first(store, path), second(store, path);
    first.WriteString("S", "a", "1");
    EXPECT_EQ(second.ReadString("S", "a", ""), "1");
    second.WriteString("S", "b", "2");
    first.WriteString("S", "c", "3");
    EXPECT_EQ(Content(), "[S]\r\na=1\r\nb=2\r\nc=3\r\n");
}

TEST_F(SettingsOnDiskTest, InterleavedWritersInTwoProcessesLoseNothing) {
    constexpr int kWrites = 150;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        PosixFileStore childStore;
        SettingsFile mine(childStore, path);
        for (int i = 0; i < kWrites; ++i) mine.WriteInteger("Child", "k" + std::to_string(i), i);
        _exit(0);
    }
    SettingsFile mine(store, path);
    for (int i = 0; i < kWrites; ++i) mine.WriteInteger("Parent", "k" + std::to_string(i), i);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    SettingsFile reader(store, path);
    EXPECT_EQ(reader.ReadSection("Child").size(), static_cast<size_t>(kWrites));
    EXPECT_EQ(reader.ReadSection("Parent").size(), static_cast<size_t>(kWrites));
}

TEST_F(SettingsOnDiskTest, ReadOnlyFileRefusesWrites) {
    SettingsFile settings(store, path);
    settings.WriteString("S", "k", "1");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_THROW(settings.WriteString("S", "k", "2"), Error);
    EXPECT_EQ(Content(), "[S]\r\nk=1\r\n");
}

TEST_F(SettingsOnDiskTest, SymbolicLinkKeepsPointingAtTheWrittenTarget) {
    const std::string target = (dir / "real.ini").string();
    std::filesystem::create_symlink(target, path);
    SettingsFile settings(store, path);
    settings.WriteString("S", "k", "1");
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[S]\r\nk=1\r\n");
}

TEST_F(SettingsOnDiskTest, LockHeldForGoodIsGivenUpInTime) {
    const auto held = store.LockForWriting(path);  // as by a writer that was stopped mid-write
    ASSERT_NE(held, nullptr);
    PosixFileStore impatient(100);
    SettingsFile settings(impatient, path);
    EXPECT_EQ(impatient.LockForWriting(path), nullptr);
    EXPECT_THROW(settings.WriteString("S", "k", "1"), Error);
}

TEST_F(SettingsOnDiskTest, KilledWritersLeftoverIsOverwritten) {
    std::ofstream((dir / ReplacementFileName("LocalSettings.Ini")).string()) << "half a file";
    SettingsFile settings(store, path);
    settings.WriteString("S", "k", "1");
    EXPECT_EQ(Content(), "[S]\r\nk=1\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"LocalSettings.Ini", "LocalSettings.Ini.lock"}));
}

TEST_F(SettingsOnDiskTest, RefusedWriteRaisesWithThePath) {
    const std::string missing = (dir / "gone" / "LocalSettings.Ini").string();
    SettingsFile settings(store, missing);
    try {
        settings.WriteString("S", "k", "1");
        FAIL() << "the write was not refused";
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), "Unable to write to " + missing);
    }
}

TEST_F(SettingsOnDiskTest, RefusedReplacementKeepsTheFile) {
    SettingsFile settings(store, path);
    settings.WriteString("S", "k", "1");
    // A folder where the file should go cannot be replaced by a file, for root as for anyone.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    std::filesystem::create_directory(std::filesystem::path(path) / "keep");
    EXPECT_THROW(settings.WriteString("S", "k", "2"), Error);
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(path) / "keep"));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"LocalSettings.Ini", "LocalSettings.Ini.lock"}));
}

}  // namespace
}  // namespace vt
