// The main window's logic: the start sequence and the configuration tree's nodes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

class TfrmMain {
  public:
    // Applies the named configuration in apply mode and gives the process's exit code.
    using ApplyHandler = std::function<int(TfrmMain&, const std::string& configName)>;

    TfrmMain(Platform& platform, MainView& view, ApplyHandler applyHandler);

    // The start sequence. An error ends it at the step that raised it and passes to the caller,
    // which reports it; what was set up before that step stays.
    void FormCreate();

    void AddConfigNode(const std::string& key, const std::string& name, bool select,
                       int imageIndex);

    bool ShowMainWindow() const { return showMainWindow_; }
    int ExitCode() const { return exitCode_; }
    const StartRequest& Request() const { return request_; }
    SettingsFile* Settings() { return settings_.get(); }
    const std::vector<std::unique_ptr<TConfigNode>>& ConfigNodes() const { return configNodes_; }

    bool Updating = false;
    // The managed cards; a card's position is its card index.
    TCardList Cards;

  private:
    void FillCards();
    void FillConfigTree();

    Platform& platform_;
    MainView& view_;
    ApplyHandler applyHandler_;
    std::unique_ptr<SettingsFile> settings_;
    std::vector<std::unique_ptr<TConfigNode>> configNodes_;
    StartRequest request_;
    bool showMainWindow_ = true;
    int exitCode_ = 0;
};

// The settings file's full path: the executable's folder, with its backslash, and the file name.
std::string SettingsPathFor(const std::string& executablePath);

}  // namespace vt
