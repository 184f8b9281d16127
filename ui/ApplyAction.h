// Applying a configuration by its name, as the Apply action, the tray menu and apply mode do; on a
// Windows the user let the program run on, an apply refused for lack of rights is offered to a
// copy run as administrator.
#pragma once

#include <optional>
#include <string>

#include "core/ApplyEngine.h"
#include "ui/FormState.h"

namespace vt {

class ApplyAction {
  public:
    explicit ApplyAction(FormState& state) : state_(state) {}

    // Only on Windows 7 and later, where the user let the program run.
    void OfferElevation(bool offer) { offersElevation_ = offer; }
    bool OffersElevation() const { return offersElevation_; }

    ApplyOutcome ApplyConfiguration(const std::string& name);

  private:
    // Nothing when the copy did not start (the user declined).
    std::optional<ApplyOutcome> ApplyAsAdministrator(const std::string& name);

    FormState& state_;
    bool offersElevation_ = false;
};

}  // namespace vt
