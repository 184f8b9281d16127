// The main window's logic: the start sequence and the configuration tree's nodes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/ApplyEngine.h"
#include "core/CommandLine.h"
#include "core/SettingsFile.h"
#include "net/AdapterInventory.h"
#include "platform/Platform.h"
#include "ui/ConfigNode.h"
#include "ui/MainView.h"

namespace vt {

inline constexpr char kGateMessage[] =
    "Sorry, this product can only be ran on Windows 2000, XP, 2003 or higher, Vista or Home "
    "Server 32b. The running is aborted.";
inline constexpr char kGateCaption[] = "Information";

// Exit codes of apply mode, for scripts.
inline constexpr int kExitApplied = 0;
inline constexpr int kExitNoSuchConfiguration = 1;
inline constexpr int kExitApplyFailed = 2;

class TfrmMain {
  public:
    TfrmMain(Platform& platform, MainView& view);

    // The start sequence. An error ends it at the step that raised it and passes to the caller,
    // which reports it; what was set up before that step stays.
    void FormCreate();

    void AddConfigNode(const std::string& key, const std::string& name, bool select,
                       int imageIndex);

    bool ShowMainWindow() const { return showMainWindow_; }
    // Apply mode ends the program after the apply, also when an error escaped it.
    bool EndsAfterStart() const { return request_.mode == StartMode::Apply; }
    int ExitCode() const { return exitCode_; }
    const StartRequest& Request() const { return request_; }
    SettingsFile* Settings() { return settings_.get(); }
    const std::vector<std::unique_ptr<TConfigNode>>& ConfigNodes() const { return configNodes_; }

    bool Updating = false;
    // The managed cards; a card's position is its card index.
    TCardList Cards;
    ApplyMarks Marks;

    ApplyOutcome ApplyConfiguration(const std::string& name);

  private:
    void FillCards();
    void FillConfigTree();

    Platform& platform_;
    MainView& view_;
    std::unique_ptr<SettingsFile> settings_;
    std::vector<std::unique_ptr<TConfigNode>> configNodes_;
    StartRequest request_;
    bool showMainWindow_ = true;
    int exitCode_ = 0;
};

// The settings file's full path: the executable's folder, with its backslash, and the file name.
std::string SettingsPathFor(const std::string& executablePath);

}  // namespace vt
