// What the main window's parts share: the platform and its prompts, the settings file, the managed
// cards and the current one, the selected configuration, the updating flag, the tab marks and the
// apply marks.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/ApplyEngine.h"
#include "core/SettingsFile.h"
#include "net/AdapterInventory.h"
#include "platform/Platform.h"
#include "ui/ConfigNode.h"

namespace vt {

// The card tabs as every part sees them: each tab carries its card index, and a mark (image 1)
// when the selected configuration changes that card.
class TabMarksView {
  public:
    virtual ~TabMarksView() = default;
    virtual int TabCount() const = 0;
    virtual int SelectedTab() const = 0;  // -1 when none
    virtual int TabCardIndex(int tab) const = 0;
    virtual void SetTabImage(int tab, int image) = 0;
};

inline constexpr char kNoAdapters[] =
    "This program cannot continue because no network adapters were detected on this computer. ";
inline constexpr char kAdaptersChanged[] =
    "Network Adapter has been changed, please configure the network again. ";

class FormState {
  public:
    // `owner` is the main window: it owns every message box of the parts.
    FormState(Platform& platform, WindowHandle owner, TabMarksView& tabs)
        : platform(platform), owner_(owner), tabs_(tabs) {}
    FormState(const FormState&) = delete;
    FormState& operator=(const FormState&) = delete;

    Platform& platform;
    // The managed cards; a card's position is its card index.
    TCardList Cards;
    // The card index of the selected tab.
    int CurrentCardIndex = 0;
    // The configuration the editor shows, or none; set only by the tree.
    TConfigNode* Selected = nullptr;
    ApplyMarks Marks;
    // On a Windows the user let the program run on, a named apply refused for lack of rights
    // offers to run it again as administrator.
    bool OffersElevation = false;

    // The card of the current card index; raises kNoAdapters or kAdaptersChanged without one.
    const TACard& CurrentCard() const;

    void OpenSettings(const std::string& path);
    // Raises while the start has not opened it.
    SettingsFile& Settings();
    SettingsFile* SettingsIfOpen() { return settings_.get(); }

    // Set while the window changes its own controls: no save prompt, no reload, no edit marks,
    // no status refresh.
    bool Updating() const { return updating_; }
    // Sets the updating flag for its life, then gives back the value it found.
    class UpdatingScope {
      public:
        explicit UpdatingScope(FormState& state) : state_(state), previous_(state.updating_) {
            state.updating_ = true;
        }
        ~UpdatingScope() { state_.updating_ = previous_; }
        UpdatingScope(const UpdatingScope&) = delete;
        UpdatingScope& operator=(const UpdatingScope&) = delete;

      private:
        FormState& state_;
        bool previous_;
    };

    // A message box owned by the main window.
    int Ask(const std::string& text, const std::string& caption, unsigned flags);

    // At the start of a user action: the tree and the tabs follow the settings file as it is now
    // (another copy's changes, a file removed or replaced). Set by the main window.
    std::function<void()> FollowFile;
    void FollowTheFile() {
        if (FollowFile) FollowFile();
    }

    ApplyContext ApplyContextNow();
    // A named apply; one refused for lack of rights is offered to a copy run as administrator
    // where OffersElevation says so.
    ApplyOutcome ApplyConfiguration(const std::string& name);

    const TabMarksView& Tabs() const { return tabs_; }
    void SetTabMark(int tab, bool on) { tabs_.SetTabImage(tab, on ? 1 : 0); }

  private:
    // Nothing when the copy did not start (the user declined).
    std::optional<ApplyOutcome> ApplyAsAdministrator(const std::string& name);

    WindowHandle owner_;
    TabMarksView& tabs_;
    std::unique_ptr<SettingsFile> settings_;
    bool updating_ = false;
};

}  // namespace vt
