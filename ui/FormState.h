// What the main window's parts share: the platform and its prompts, the settings file, the managed
// cards, the selected configuration, the updating flag, the tab marks and the apply marks.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/ApplyEngine.h"
#include "core/SettingsFile.h"
#include "platform/Platform.h"
#include "core/CardSet.h"
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

class FormState {
  public:
    // `owner` is the main window: it owns every message box of the parts.
    FormState(Platform& platform, WindowHandle owner, TabMarksView& tabs)
        : platform(platform), owner_(owner), tabs_(tabs) {}
    FormState(const FormState&) = delete;
    FormState& operator=(const FormState&) = delete;

    Platform& platform;

    // The managed cards and the current one (the card of the selected tab).
    CardSet& Cards() { return cards_; }
    const CardSet& Cards() const { return cards_; }
    const TACard& CurrentCard() const { return cards_.Current(); }

    // The configuration the editor shows, or none; the tree selects it.
    TConfigNode* Selected() const { return selected_; }
    void SetSelected(TConfigNode* node) { selected_ = node; }

    ApplyMarks& Marks() { return marks_; }

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

    const TabMarksView& Tabs() const { return tabs_; }
    void SetTabMark(int tab, bool on) { tabs_.SetTabImage(tab, on ? 1 : 0); }

  private:
    WindowHandle owner_;
    TabMarksView& tabs_;
    std::unique_ptr<SettingsFile> settings_;
    CardSet cards_;
    TConfigNode* selected_ = nullptr;
    ApplyMarks marks_;
    bool updating_ = false;
};

}  // namespace vt
