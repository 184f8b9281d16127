// The checkpoint of a confirmed apply: what the cards held before it, on disk beside the settings
// file from before the first write until the user kept the new settings or they were restored,
// so that a copy killed while it asks is made good by the next start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/Error.h"
#include "core/ApplyEngine.h"
#include "platform/FileStore.h"

namespace vt {

inline constexpr char kCheckpointFileName[] = "KeepOrRestore.Ini";

struct Checkpoint {
    std::string configuration;  // the display name applied
    int64_t keepBy = 0;         // the wall-clock second by which the new settings must be kept
    TakenCards cards;
};

// A checkpoint file that is there but cannot be read, or does not read as one.
class CheckpointUnreadable : public Error {
  public:
    using Error::Error;
};

// The checkpoint's path for the settings file at `settingsPath`: in the same folder.
std::string CheckpointPathFor(const std::string& settingsPath);

// Replaces the file in one step. Raises "Unable to write to <path>" when the system refuses.
void WriteCheckpoint(FileStore& files, const std::string& path, const Checkpoint& checkpoint);
// Nothing when there is no checkpoint; raises CheckpointUnreadable ("Unable to read <path>").
std::optional<Checkpoint> ReadCheckpoint(FileStore& files, const std::string& path);
// Raises "Unable to write to <path>" when the file stays.
void DeleteCheckpoint(FileStore& files, const std::string& path);
// Renames an unreadable checkpoint out of the way, never over another file: its new path, or
// nothing when it could not be renamed.
std::optional<std::string> SetCheckpointAside(FileStore& files, const std::string& path);

}  // namespace vt
