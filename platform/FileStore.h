// The seam for the settings file's storage: whole-file reads, change stamps, atomic replacement, a
// writers' lock, and the ANSI code page for files kept in a Unicode form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vt {

// What identifies one version of a file on disk; a replacement or a write by anyone gives a
// different stamp, except an in-place rewrite of the same size within one tick of the file
// system's clock (writers therefore compare content, not stamps).
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    uint64_t modified = 0;
    uint64_t identity = 0;  // the file itself: volume and file index, or device and inode
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

enum class ReadResult {
    Read,        // the whole file, as big as its stamp says
    Missing,     // no such file
    Unreadable,  // it exists, but could not be read whole (held by another program, an I/O error)
};

class FileStore {
  public:
    class Lock {
      public:
        virtual ~Lock() = default;
    };

    // How long a read or a replacement waits for another program's hold on the file to end
    // before it gives up: a user never notices a hold that short.
    static constexpr uint32_t kHoldWaitMs = 2000;

    virtual ~FileStore() = default;

    // Cheap: never reads the content, never waits.
    virtual FileStamp Stamp(const std::string& path) = 0;

    // The whole file, and the stamp of the very file that was read. Waits up to kHoldWaitMs
    // while another program holds it; a read that ends early is Unreadable, never a shorter file.
    virtual ReadResult Read(const std::string& path, std::string& content, FileStamp& stamp) = 0;

    // Writes the bytes to a file of its own beside `path` and puts it in place of `path` in one
    // step, keeping the file's attributes and security, so readers see the old file or the new
    // one, never a part. Waits up to kHoldWaitMs for a reader's hold. False when the system
    // refuses (a read-only file among others); then `path` is as it was.
    virtual bool Replace(const std::string& path, const std::string& content) = 0;

    // Deletes the file; false when it is there and could not be deleted.
    virtual bool Remove(const std::string& path) = 0;
    // Gives the file another name in its folder; false when it could not (also when `to` exists).
    virtual bool Rename(const std::string& from, const std::string& to) = 0;

    // Serialises the writers of that file across processes, whatever path spells it; null when
    // the lock cannot be had in time.
    virtual std::unique_ptr<Lock> LockForWriting(const std::string& path) = 0;

    // The system's ANSI code page, for files stored as UTF-16 or UTF-8. False when some
    // character has no ANSI form (it then reads as the code page's default character).
    virtual bool AnsiFromWide(std::u16string_view wide, std::string& ansi) = 0;
    virtual std::u16string WideFromAnsi(std::string_view ansi) = 0;
};

// The name of the file that a replacement is written to before it takes the file's place: short,
// in the same folder, one per file name (writers of one file are serialised, so one name serves,
// and a killed writer's leftover is simply overwritten next time).
inline std::string ReplacementFileName(std::string_view fileName) {
    uint32_t hash = 2166136261u;
    for (char c : fileName) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string name = "~";
    for (int shift = 28; shift >= 0; shift -= 4) name.push_back(kHex[(hash >> shift) & 0xF]);
    return name + ".tmp";
}

}  // namespace vt
