// The managed cards, the current one, and the one rule that fills them: the cards the adapter
// filter names, else the default rule's, with their devices' friendly names.
#pragma once

#include <string>

#include "net/AdapterInventory.h"
#include "platform/Devices.h"
#include "platform/Registry.h"

namespace vt {

inline constexpr char kNoAdapters[] =
    "This program cannot continue because no network adapters were detected on this computer. ";
inline constexpr char kAdaptersChanged[] =
    "Network Adapter has been changed, please configure the network again. ";

class CardSet {
  public:
    // The cards `filter` names; a filter that names none of the cards present (they went since,
    // or it is empty) gives the default rule's. Their devices' friendly names replace their
    // descriptions unless `withNames` is off (apply mode names a missing device only, which has
    // none). The current card is the first.
    void Load(RegistryFactory& registry, Devices& devices, const std::string& filter,
              bool withNames);

    const TCardList& List() const { return cards_; }
    bool Empty() const { return cards_.empty(); }

    // The card of the selected tab; raises kNoAdapters or kAdaptersChanged without one.
    const TACard& Current() const;
    void SetCurrentIndex(int index) { current_ = index; }

  private:
    TCardList cards_;
    int current_ = 0;
};

}  // namespace vt
