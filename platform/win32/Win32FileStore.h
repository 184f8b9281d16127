// The settings file's storage on Windows: handle stamps, reads and replacements that wait out a
// brief hold by another program, one rename over the old file, a named mutex per file for writers.
#pragma once

#include "platform/FileStore.h"
#include "platform/win32/Handles.h"

namespace vt::win32 {

// How much a read takes on: a file larger than `largestFile`, or one whose read would take longer
// than `patienceMs` (0: no limit), hold waits included, is unreadable.
struct ReadLimits {
    uint64_t largestFile = uint64_t{1} << 30;
    uint32_t patienceMs = 0;
};

class Win32FileStore : public FileStore {
  public:
    // `holdWaitMs`: how long a read waits out another program's hold (Explorer's menu waits less).
    explicit Win32FileStore(uint32_t lockWaitMs = 10000, uint32_t holdWaitMs = kHoldWaitMs,
                            ReadLimits limits = {})
        : lockWaitMs_(lockWaitMs), holdWaitMs_(holdWaitMs), limits_(limits) {}

    FileStamp Stamp(const std::string& path) override;
    ReadResult Read(const std::string& path, std::string& content, FileStamp& stamp) override;
    // A read-only file refuses, as it does for the system's own writer.
    bool Replace(const std::string& path, const std::string& content) override;
    bool Remove(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    std::unique_ptr<Lock> LockForWriting(const std::string& path) override;
    bool AnsiFromWide(std::u16string_view wide, std::string& ansi) override;
    std::u16string WideFromAnsi(std::string_view ansi) override;

    // The writers' mutex's name for that file: the same for every path that reaches it.
    static std::string LockNameFor(const std::string& path);
    // The writers' mutex of that name: made with kWritersMutexSecurity where it is not there yet,
    // else opened for waiting and releasing only, which every user is granted. Null on failure.
    static UniqueHandle OpenWritersMutex(const std::string& name);
    // The system and administrators have every right; everyone may wait and release.
    static constexpr char kWritersMutexSecurity[] =
        "D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;WD)";

  private:
    uint32_t lockWaitMs_;
    uint32_t holdWaitMs_;
    ReadLimits limits_;
};

}  // namespace vt::win32
