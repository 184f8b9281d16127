// Our settings engine against the system's own private-profile functions, in both directions, on
// tricky files.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "core/SettingsFile.h"
#include "platform/win32/Win32FileStore.h"
#include "tests/win32/TempFolder.h"

namespace vt::win32 {
namespace {

using vt::testing::TempFolder;

constexpr char kDefault[] = "<default>";
constexpr DWORD kBigBuffer = 1 << 20;

std::string SystemRead(const std::string& path, const std::string& section, const std::string& key,
                       DWORD bufferSize = kBigBuffer) {
    std::string buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), kDefault,
                                                  buffer.data(), bufferSize, path.c_str());
    return buffer.substr(0, length);
}

std::vector<std::string> SplitList(const std::string& buffer, DWORD length) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start < length && buffer[start] != '\0') {
        const size_t end = buffer.find('\0', start);
        items.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::vector<std::string> SystemKeys(const std::string& path, const std::string& section,
                                    DWORD bufferSize = kBigBuffer) {
    std::string buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  bufferSize, path.c_str());
    return SplitList(buffer, length);
}

std::vector<std::string> SystemSection(const std::string& path, const std::string& section) {
    std::string buffer(kBigBuffer, '\0');
    const DWORD length =
        GetPrivateProfileSectionA(section.c_str(), buffer.data(), kBigBuffer, path.c_str());
    return SplitList(buffer, length);
}

// Every name the file mentions, in several spellings unless told otherwise, plus names it does
// not have.
std::vector<std::string> Variants(const std::set<std::string>& names, bool spellings = true) {
    std::vector<std::string> all{"Missing", ""};
    for (const std::string& name : names) {
        if (!spellings) {
            all.push_back(name);
            continue;
        }
        std::string upper = name, lower = name;
        CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
        CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
        for (const std::string& v : {name, upper, lower, " " + name + " ", "\t" + name})
            all.push_back(v);
    }
    return all;
}

// Reads every section and key the file names, both ways, and lists every section's keys.
void ExpectSameReads(const std::string& path, const std::set<std::string>& sections,
                     const std::set<std::string>& keys, bool spellings = true) {
    Win32FileStore store;
    SettingsFile ours(store, path);
    for (const std::string& section : Variants(sections, spellings)) {
        if (section.empty()) continue;  // an empty section name asks the system for something else
        EXPECT_EQ(ours.ReadSection(section), SystemKeys(path, section))
            << "keys of [" << section << "]";
        for (const std::string& key : Variants(keys, spellings)) {
            if (key.empty()) continue;
            EXPECT_EQ(ours.ReadString(section, key, kDefault), SystemRead(path, section, key))
                << "[" << section << "] " << key;
        }
    }
}

std::string Utf16Le(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

struct TrickyFile {
    const char* name;
    std::string text;
    std::set<std::string> sections;
    std::set<std::string> keys;
};

std::vector<TrickyFile> TrickyFiles() {
    std::string manyKeys = "[Configurations]\r\n";
    std::set<std::string> manyKeyNames;
    for (int i = 0; i < 500; ++i) {
        char key[40];
        wsprintfA(key, "{%08X-0000-4000-8000-000000000000}", i);
        manyKeys += std::string(key) + "=Configuration " + std::to_string(i) + "\r\n";
        if (i % 97 == 0 || i >= 419) manyKeyNames.insert(key);
    }
    return {
        {"letter case",
         "[Options]\r\nAppPath=C:\\a.exe\r\n[CONFIGURATIONS]\r\n{K}=Office\r\n",
         {"Options", "Configurations"},
         {"AppPath", "{K}"}},
        {"blanks",
         "  [S]  \r\n  key one  =  value with blanks  \r\n\tTab\t=\t1\t\r\nx= \r\n",
         {"S"},
         {"key one", "Tab", "x"}},
        {"quotes",
         "[S]\r\na=\"q\"\r\nb='q'\r\nc=\"q'\r\nd=\"\r\ne=\"\"\r\nf= \" padded \" \r\ng=x\"y\"\r\n",
         {"S"},
         {"a", "b", "c", "d", "e", "f", "g"}},
        {"duplicates",
         "[S]\r\nk=1\r\nK=2\r\n[T]\r\nj=0\r\n[s]\r\nk=3\r\nonly=4\r\n",
         {"S", "T"},
         {"k", "only", "j"}},
        {"lines without equals",
         "[S]\r\nflag\r\nflag=1\r\nplain text here\r\nafter=2\r\n",
         {"S"},
         {"flag", "plain text here", "after"}},
        {"comment-like lines",
         "; top comment\r\n[S]\r\n;k=1\r\n# hash=2\r\n//slash=3\r\nk=4\r\n[;S]\r\nx=5\r\n",
         {"S", ";S"},
         {";k", "# hash", "//slash", "k", "x"}},
        {"odd headers",
         "[a]b]\r\nk=1\r\n[ pad ]\r\nk=2\r\n[open\r\nk=3\r\n[]\r\nk=4\r\n",
         {"a]b", "pad", "open"},
         {"k", "[open"}},
        {"before any section", "k=0\r\n\r\n[S]\r\nk=1\r\n", {"S"}, {"k"}},
        {"line ends", "[S]\nlf=1\n[T]\r\ncrlf=2\r\nlast=3", {"S", "T"}, {"lf", "crlf", "last"}},
        {"equals in names and values",
         "[S]\r\na=b=c\r\nurl=http://x/?a=1\r\n",
         {"S"},
         {"a", "a=b", "url"}},
        {"very long value", "[S]\r\nlong=" + std::string(5000, 'L') + "\r\n", {"S"}, {"long"}},
        {"UTF-16 with its mark",
         Utf16Le(L"[Options]\r\nAppPath=C:\\caf\u00e9.exe\r\n[S]\r\nk=1\r\nNote=\u03a9\r\n"),
         {"Options", "S"},
         {"AppPath", "k", "Note"}},
        {"UTF-8 mark before the first section",
         "\xEF\xBB\xBF[Options]\r\nAppPath=C:\\caf\xC3\xA9.exe\r\n[S]\r\nk=1\r\n",
         {"Options", "S"},
         {"AppPath", "k"}},
        {"CR-only line ends", "[Options]\rAppPath=x\r[S]\rk=1\rj=2", {"Options", "S"},
         {"AppPath", "k", "j"}},
        {"CR inside LF lines", "[S]\na=1\rb=2\nc=3\r\n", {"S"}, {"a", "b", "c"}},
        {"more than 420 keys", manyKeys, {"Configurations"}, manyKeyNames},
    };
}

TEST(ProfileConformance, TrickyFilesReadTheSameBothWays) {
    TempFolder folder("conformance");
    for (const TrickyFile& tricky : TrickyFiles()) {
        SCOPED_TRACE(tricky.name);
        const std::string path = folder.File(std::string("f") + std::to_string(&tricky - &tricky) +
                                             std::to_string(GetTickCount()) + ".ini");
        TempFolder::WriteFile(path, tricky.text);
        ExpectSameReads(path, tricky.sections, tricky.keys);
        DeleteFileA(path.c_str());
    }
}

std::string Hex(const std::string& bytes) {
    std::string hex;
    for (const char c : bytes) {
        char two[4];
        wsprintfA(two, "%02X", static_cast<unsigned char>(c));
        hex += two;
    }
    return hex;
}

// A name as the system's case mapping sees it (CharUpperBuffW), and as Wine's kernel32 compares
// names: ASCII letters folded only.
std::wstring WideOf(const std::string& ansi, bool allLetters) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(),
                                                        static_cast<int>(ansi.size()), wide.data(),
                                                        static_cast<int>(wide.size()))));
    if (allLetters) {
        CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    } else {
        for (wchar_t& c : wide)
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    }
    return wide;
}

// Every character of the system's code page in a name, asked for in other spellings: what the
// system finds we find, never folding inside a double-byte character (its second byte may be an
// ASCII letter). Run under several code pages (tools/wine-tests.sh).
//
// On purpose, letters beyond ASCII fold too, by the system's case mapping, so that no two names
// differ only in letter case in any code page: Wine's kernel32 folds only ASCII letters in names.
TEST(ProfileConformance, NamesFoldAsTheSystemFoldsThemInItsCodePage) {
    std::vector<std::string> names;
    std::set<std::wstring> folded;  // one name per letter-case class: the first would win
    const auto add = [&](const std::string& name) {
        if (folded.insert(WideOf(name, true)).second) names.push_back(name);
    };
    for (int byte = 'A'; byte < 256; ++byte)
        if (!IsDBCSLeadByte(static_cast<BYTE>(byte))) add("k" + std::string(1, char(byte)));
    for (int lead = 0x81, leads = 0; lead < 256 && leads < 3; ++lead) {
        if (!IsDBCSLeadByte(static_cast<BYTE>(lead))) continue;
        ++leads;
        for (int trail = 0x40; trail < 0xFD; ++trail) {
            const char pair[2] = {char(lead), char(trail)};
            wchar_t wide[2];
            if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pair, 2, wide, 2) == 1)
                add("d" + std::string(pair, 2));
        }
    }
    std::string text = "[S]\r\n";
    for (size_t i = 0; i < names.size(); ++i) text += names[i] + "=" + std::to_string(i) + "\r\n";
    TempFolder folder("code-page");
    const std::string path = folder.File("letters.ini");
    TempFolder::WriteFile(path, text);
    Win32FileStore store;
    SettingsFile ours(store, path);
    int asked = 0, deliberately = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        std::string upper = name, lower = name, bytes = name;
        CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
        CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
        for (char& c : bytes)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);  // bytes, not characters
        for (const std::string& spelling : {name, upper, lower, bytes}) {
            SCOPED_TRACE("code page " + std::to_string(GetACP()) + ": " + Hex(spelling) + " for " +
                         Hex(name));
            ++asked;
            if (WideOf(spelling, false) != WideOf(name, false) &&
                WideOf(spelling, true) == WideOf(name, true)) {
                ++deliberately;  // letters beyond ASCII in other case: the same name
                EXPECT_EQ(ours.ReadString("S", spelling, kDefault), std::to_string(i));
                continue;
            }
            EXPECT_EQ(ours.ReadString("S", spelling, kDefault), SystemRead(path, "S", spelling));
        }
    }
    EXPECT_GT(asked, 400);
    EXPECT_GT(deliberately, 0);
}

// One step of a writing session, applied with either side's writer.
struct WriteStep {
    const char* section;
    const char* key;    // null erases the section
    const char* value;  // null deletes the key
};

const std::vector<WriteStep>& Steps() {
    static const std::vector<WriteStep> steps = {
        {"Options", "AppPath", "C:\\Program Files\\VT\\VelmoraTarvello.exe"},
        {"Configurations", "{0A1B2C3D-0000-4000-8000-000000000001}", "Office"},
        {"FriendlyName", "Office", "{0A1B2C3D-0000-4000-8000-000000000001}"},
        {"Configurations", "{0A1B2C3D-0000-4000-8000-000000000002}", "Home Office"},
        {"FriendlyName", "Home Office", "{0A1B2C3D-0000-4000-8000-000000000002}"},
        {"options", "APPPATH", "D:\\moved\\VelmoraTarvello.exe"},
        {"Options", "Filters", "{A},{B},"},
        {"S", "quoted", "\"kept quotes\""},
        {"S", "blanks", "  leading and trailing  "},
        {"S", "empty", ""},
        {"S", "long", "0123456789012345678901234567890123456789012345678901234567890123456789"},
        {"FriendlyName", "Office", nullptr},
        {"Erase me", "k", "1"},
        {"Erase me", nullptr, nullptr},
        {"S", "after erase", "yes"},
    };
    return steps;
}

const std::set<std::string> kStepSections = {"Options", "Configurations", "FriendlyName", "S",
                                             "Erase me"};
const std::set<std::string> kStepKeys = {"AppPath",
                                         "Filters",
                                         "{0A1B2C3D-0000-4000-8000-000000000001}",
                                         "{0A1B2C3D-0000-4000-8000-000000000002}",
                                         "Office",
                                         "Home Office",
                                         "quoted",
                                         "blanks",
                                         "empty",
                                         "long",
                                         "k",
                                         "after erase"};

void SystemWrites(const std::string& path) {
    for (const WriteStep& step : Steps())
        WritePrivateProfileStringA(step.section, step.key, step.value, path.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr,
                               path.c_str());  // flush the system's cache
}

void OurWrites(const std::string& path) {
    Win32FileStore store;
    SettingsFile settings(store, path);
    for (const WriteStep& step : Steps()) {
        if (!step.key)
            settings.EraseSection(step.section);
        else if (!step.value)
            settings.DeleteKey(step.section, step.key);
        else
            settings.WriteString(step.section, step.key, step.value);
    }
}

TEST(ProfileConformance, WhatTheSystemWritesWeRead) {
    TempFolder folder("system-writes");
    const std::string path = folder.File("system.ini");
    SystemWrites(path);
    ExpectSameReads(path, kStepSections, kStepKeys);
}

TEST(ProfileConformance, WhatWeWriteTheSystemReadsAsItsOwn) {
    TempFolder folder("we-write");
    const std::string theirs = folder.File("system.ini"), ours = folder.File("ours.ini");
    SystemWrites(theirs);
    OurWrites(ours);
    ExpectSameReads(ours, kStepSections, kStepKeys);
    for (const std::string& section : kStepSections) {
        EXPECT_EQ(SystemSection(ours, section), SystemSection(theirs, section)) << section;
        for (const std::string& key : kStepKeys)
            EXPECT_EQ(SystemRead(ours, section, key), SystemRead(theirs, section, key))
                << "[" << section << "] " << key;
    }
}

TEST(ProfileConformance, WeWriteInPlaceWhereTheSystemEditsAHandWrittenFile) {
    TempFolder folder("in-place");
    const std::string theirs = folder.File("system.ini"), ours = folder.File("ours.ini");
    const std::string hand =
        "; written by hand\r\n[Options]\r\nFilters = {A},\r\n\r\n[S]\r\nk=1\r\n";
    TempFolder::WriteFile(theirs, hand);
    TempFolder::WriteFile(ours, hand);
    WritePrivateProfileStringA("options", "FILTERS", "{B},", theirs.c_str());
    WritePrivateProfileStringA("S", "new", "2", theirs.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.c_str());
    Win32FileStore store;
    SettingsFile settings(store, ours);
    settings.WriteString("options", "FILTERS", "{B},");
    settings.WriteString("S", "new", "2");
    ExpectSameReads(ours, {"Options", "S"}, {"Filters", "k", "new"});
    for (const char* section : {"Options", "S"})
        EXPECT_EQ(SystemSection(ours, section), SystemSection(theirs, section)) << section;
    // The comment a person wrote survives our write.
    EXPECT_EQ(TempFolder::ReadFile(ours).rfind("; written by hand\r\n", 0), 0u);
}

// Files in another form are edited in that form by both sides, and each reads the other's edits.
TEST(ProfileConformance, UnicodeAndCarriageReturnFilesWrittenBothWays) {
    TempFolder folder("forms");
    const std::pair<const char*, std::string> starts[] = {
        {"utf16", Utf16Le(L"[Options]\r\nAppPath=C:\\caf\u00e9.exe\r\nNote=\u03a9\r\n")},
        {"utf8", "\xEF\xBB\xBF[Options]\r\nAppPath=C:\\caf\xC3\xA9.exe\r\n"},
        {"cr", "[Options]\rAppPath=C:\\a.exe\r[S]\rk=1"}};
    for (const auto& [name, start] : starts) {
        SCOPED_TRACE(name);
        const std::string theirs = folder.File(std::string(name) + "-system.ini");
        const std::string ours = folder.File(std::string(name) + "-ours.ini");
        TempFolder::WriteFile(theirs, start);
        TempFolder::WriteFile(ours, start);
        for (const WriteStep& step : Steps())
            WritePrivateProfileStringA(step.section, step.key, step.value, theirs.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.c_str());
        OurWrites(ours);
        std::set<std::string> keys = kStepKeys;
        keys.insert("Note");
        // Letter case and blanks are proved on the tricky files; here the names as written.
        ExpectSameReads(theirs, kStepSections, keys, false);  // what the system wrote, we read
        ExpectSameReads(ours, kStepSections, keys, false);    // what we wrote, the system reads
        for (const std::string& section : kStepSections)
            EXPECT_EQ(SystemSection(ours, section), SystemSection(theirs, section)) << section;
        // Both keep the file's form: its mark, and characters with no ANSI form.
        const std::string written = TempFolder::ReadFile(ours);
        EXPECT_EQ(written.substr(0, 3), TempFolder::ReadFile(theirs).substr(0, 3));
        if (std::string(name) == "utf16") {
            EXPECT_EQ(written.size() % 2, 0u);
            EXPECT_NE(written.find(Utf16Le(L"Note=\u03a9\r\n").substr(2)), std::string::npos);
        }
    }
}

// Where we differ on purpose: nothing is cut. The system cuts at the caller's buffer, and the
// buffers of the original program were 2,048 characters for a value and 16,384 bytes for a key
// list.
TEST(ProfileConformance, DeliberatelyNoValueOrKeyListLimits) {
    TempFolder folder("limits");
    const std::string path = folder.File("limits.ini");
    const TrickyFile many = TrickyFiles().back();
    const std::string filter(3000, 'F');
    TempFolder::WriteFile(path, many.text + "[Options]\r\nFilters=" + filter + "\r\n");

    Win32FileStore store;
    SettingsFile settings(store, path);
    EXPECT_LT(SystemKeys(path, "Configurations", 16384).size(), 422u);  // 420 whole, one cut
    EXPECT_EQ(settings.ReadSection("Configurations").size(), 500u);
    EXPECT_EQ(SystemRead(path, "Options", "Filters", 2048).size(), 2047u);
    EXPECT_EQ(settings.ReadString("Options", "Filters", ""), filter);
}

// Also on purpose: a line with nothing before its "=" does not hide the keys after it. The
// system lists it as an empty name, which ends its NUL-separated list there for every caller.
TEST(ProfileConformance, DeliberatelyEmptyNameDoesNotEndTheKeyList) {
    TempFolder folder("empty-name");
    const std::string path = folder.File("empty.ini");
    TempFolder::WriteFile(path, "[Configurations]\r\n{A}=One\r\n=stray\r\n{B}=Two\r\n");
    Win32FileStore store;
    SettingsFile settings(store, path);
    EXPECT_EQ(SystemKeys(path, "Configurations"), std::vector<std::string>{"{A}"});
    EXPECT_EQ(settings.ReadSection("Configurations"), (std::vector<std::string>{"{A}", "{B}"}));
    EXPECT_EQ(SystemRead(path, "Configurations", "{B}"), "Two");
}

}  // namespace
}  // namespace vt::win32
