// What the main window's parts share of the window: the selected configuration, the updating
// flag, the tab marks, the message boxes the main window owns. The settings file and the cards
// are the session's.
#pragma once

#include <functional>
#include <string>

#include "platform/Prompts.h"
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
    FormState(Prompts& prompts, WindowHandle owner, TabMarksView& tabs)
        : prompts_(prompts), owner_(owner), tabs_(tabs) {}
    FormState(const FormState&) = delete;
    FormState& operator=(const FormState&) = delete;

    // The configuration the editor shows, or none; the tree selects it.
    TConfigNode* Selected() const { return selected_; }
    void SetSelected(TConfigNode* node) { selected_ = node; }

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

    const TabMarksView& Tabs() const { return tabs_; }
    void SetTabMark(int tab, bool on) { tabs_.SetTabImage(tab, on ? 1 : 0); }

    WindowHandle Owner() const { return owner_; }

  private:
    Prompts& prompts_;
    WindowHandle owner_;
    TabMarksView& tabs_;
    TConfigNode* selected_ = nullptr;
    bool updating_ = false;
};

}  // namespace vt
