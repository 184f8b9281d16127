// Filling the managed cards, and the current one.
#include "core/CardSet.h"

#include "base/Error.h"
#include "net/DeviceControl.h"

namespace vt {

void CardSet::Load(RegistryFactory& registry, Devices& devices, const std::string& filter,
                   bool withNames) {
    cards_ = EnumerateCards(registry, filter);
    if (cards_.empty()) cards_ = EnumerateCards(registry, "");
    current_ = 0;
    if (withNames) RefreshCardNames(devices, cards_);
}

const TACard& CardSet::Current() const {
    if (cards_.empty()) throw Error(kNoAdapters);
    if (current_ < 0 || current_ >= static_cast<int>(cards_.size())) throw Error(kAdaptersChanged);
    return cards_[static_cast<size_t>(current_)];
}

}  // namespace vt
