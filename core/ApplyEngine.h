// Applying configurations: one record to one card, and a whole configuration by its name to every
// card.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ConfigRecords.h"
#include "core/SettingsFile.h"
#include "net/AdapterInventory.h"
#include "net/TcpipRegistry.h"
#include "platform/Platform.h"

namespace vt {

// The two busy marks: what they guard.
struct ApplyMarks {
    bool cardBeingWritten = false;   // one card's registry values are being written
    bool namedApplyRunning = false;  // a named apply's card loop runs (or its copy as administrator)
};

// What an apply is about to change on a card, taken before it is written, to bring it back.
struct TakenCard {
    TACard card;
    TcpipSnapshot values;
    std::optional<bool> wasStarted;  // the device's state; nothing when it could not be told
};
using TakenCards = std::vector<TakenCard>;

struct ApplyContext {
    Platform& platform;
    SettingsFile& settings;
    const TCardList& cards;  // the current list; a named apply works on a copy taken at its start
    ApplyMarks& marks;
    WindowHandle owner;  // the main window, owner of every message box
    // When set, each card is taken here before it is written (a card whose first write was
    // refused is dropped again: nothing of it changed).
    TakenCards* taken = nullptr;
};

// Exit codes of apply mode, for scripts.
inline constexpr int kExitApplied = 0;
inline constexpr int kExitNoSuchConfiguration = 1;
inline constexpr int kExitApplyFailed = 2;
inline constexpr int kExitRestored = 3;  // the user did not keep the new settings, or did not answer
// On a Windows newer than the program was made for, not yet allowed to run there, and started
// where nobody sees a window to answer the question (a scheduled task, a service's session).
inline constexpr int kExitNobodyToAsk = 4;

enum class ApplyOutcome {
    Applied,     // every card to be changed was applied, or none needed changing
    NotFound,    // no configuration of that name
    CardFailed,  // a card's device could not be switched (its message was shown)
    Ignored,     // another named apply was running
    Restored,    // applied, then brought back as it was
};

// Writes the record's TCP/IP values into both keys of the card, then switches its device. A
// refused registry write passes to the caller with the device untouched; a device error is
// shown as "Apply Failed: <text>" captioned with the card's connection name, and gives false.
bool ApplyCardConfig(ApplyContext& context, TCardConfig record, TACard card);

// Applies the named configuration to every card whose record has ToConfig on, letting waiting
// messages run before each card. A refused registry write ends the loop and passes to the caller.
ApplyOutcome ApplyConfiguration(ApplyContext& context, const std::string& name);

// Brings each card taken back, in the order taken: its values as they were, then its device as it
// was (a running one restarted so that the values take effect, a disabled one disabled again). A
// card that fails shows "Restore Failed: <text>" captioned with its connection name, and the others
// are still restored; false then.
bool RestoreCards(ApplyContext& context, const TakenCards& taken);

}  // namespace vt
