// Applying configurations: one record to one card, and a whole configuration by its name to every
// card.
#pragma once

#include <functional>
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

// Sets a busy mark for its life, then gives back the value it found: the one way marks are held.
class HeldMark {
  public:
    explicit HeldMark(bool& mark) : mark_(mark), previous_(mark) { mark = true; }
    ~HeldMark() { mark_ = previous_; }
    HeldMark(const HeldMark&) = delete;
    HeldMark& operator=(const HeldMark&) = delete;

  private:
    bool& mark_;
    bool previous_;
};

// What an apply is about to change on a card, taken before anything is written, to bring it back.
struct TakenCard {
    TACard card;
    TcpipSnapshot values;
    std::optional<bool> wasEnabled;  // the device enabled or disabled; nothing when not told
    bool written = false;            // its values were written and its device switched
};
using TakenCards = std::vector<TakenCard>;

// A failure kept to be shown later: its message and caption (the card's connection name).
struct ApplyFailure {
    std::string text;
    std::string caption;
    friend bool operator==(const ApplyFailure&, const ApplyFailure&) = default;
};
using ApplyFailures = std::vector<ApplyFailure>;

struct ApplyContext {
    Platform& platform;
    SettingsFile& settings;
    const TCardList& cards;  // the current list; a named apply works on a copy taken at its start
    ApplyMarks& marks;
    WindowHandle owner;  // the main window, owner of every message box
    // When set, every card to be changed is taken here before the first write, and then
    // `beforeFirstWrite` runs (it may raise: nothing is written then).
    TakenCards* taken = nullptr;
    std::function<void(const TakenCards&)> beforeFirstWrite = nullptr;
    // When set, a card's failure is kept here instead of shown: no message waits for a person
    // while the new settings may have cut them off.
    ApplyFailures* failures = nullptr;
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
    Refused,     // another copy's apply waits for the user's answer: nothing was written
};

// What the record is about to change on the card: its values as they are, its device's state.
TakenCard TakeCard(ApplyContext& context, const TCardConfig& record, const TACard& card);

// Writes the record's TCP/IP values into both keys of the card, then switches its device. A
// refused registry write passes to the caller with the device untouched; a device error is
// shown (or kept) as "Apply Failed: <text>" captioned with the card's connection name, and gives
// false. Marks the card taken for it as written.
bool ApplyCardConfig(ApplyContext& context, TCardConfig record, TACard card);

// Applies the named configuration to every card whose record has ToConfig on, letting waiting
// messages run before each card. Every record is read before the first write. A refused registry
// write ends the loop and passes to the caller.
ApplyOutcome ApplyConfiguration(ApplyContext& context, const std::string& name);

// Drops the cards taken that an apply left as they were: not reached, or refused at their first
// write.
void DropUntouchedCards(RegistryFactory& registry, TakenCards& taken);

// Brings each card taken back, in the order taken: its values as they were, then its device
// enabled or disabled as it was, also when its values could not be written back. A failure is
// shown (or kept) as "Restore Failed: <text>" captioned with the card's connection name, and the
// other cards are still restored; false then.
bool RestoreCards(ApplyContext& context, const TakenCards& taken);

// Shows the failures kept, in order.
void ShowFailures(ApplyContext& context, const ApplyFailures& failures);

}  // namespace vt
