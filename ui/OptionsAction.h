// The Options action: fills the options dialog, runs it, and stores and carries out what OK chose.
#pragma once

#include "ui/CardTabs.h"
#include "ui/ConfigTree.h"
#include "core/ConfigSession.h"
#include "ui/FormState.h"
#include "ui/MainView.h"
#include "ui/SettingsEditor.h"

namespace vt {

class Options {
  public:
    Options(ConfigSession& session, FormState& state, const ConfigTree& tree,
            SettingsEditor& editor, CardTabs& tabs, MainView& frame)
        : session_(session),
          state_(state),
          tree_(tree),
          editor_(editor),
          tabs_(tabs),
          frame_(frame) {}
    void actOptionsExecute();

  private:
    // What OK chose; `opened` is the dialog as it opened.
    void Store(const TfrmOptions& dialog, const TfrmOptions& opened);

    ConfigSession& session_;
    FormState& state_;
    const ConfigTree& tree_;
    SettingsEditor& editor_;
    CardTabs& tabs_;
    MainView& frame_;
};

}  // namespace vt
