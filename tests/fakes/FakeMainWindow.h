// The main window in memory: the frame, the status panel and the tray, with the tree, tabs and
// editor fakes, for the tests of the start sequence and of the parts that use several views.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/fakes/FakeEditorView.h"
#include "tests/fakes/FakeKeepHost.h"
#include "tests/fakes/FakeTabsView.h"
#include "tests/fakes/FakeTreeView.h"
#include "ui/MainWindow.h"

namespace vt::fakes {

class FakeMainWindow : public MainView,
                       public FakeTreeView,
                       public FakeTabsView,
                       public FakeEditorView,
                       public StatusPanelView,
                       public TrayView {
  public:
    MainViews Views() { return {*this, *this, *this, *this, *this, *this}; }
    // From now on the user's clicks reach the form's parts.
    void Attach(TfrmMain& form) {
        tree = &form.Tree;
        cardTabs = &form.Tabs;
        editor = &form.Editor;
    }

    // --- frame
    std::string applicationTitle, caption, configTitle;
    bool terminated = false;
    WindowHandle Handle() override { return 0x1234; }
    void SetApplicationTitle(const std::string& title) override { applicationTitle = title; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetConfigTitle(const std::string& title) override { configTitle = title; }
    void Terminate() override { terminated = true; }
    // The icon dialog's answers, one per showing; nothing left: cancelled.
    std::vector<std::string> iconAnswers;
    int iconDialogs = 0, aboutShown = 0;
    bool closed = false;
    std::optional<std::string> ChooseShortcutIcon() override {
        ++iconDialogs;
        if (iconAnswers.empty()) return std::nullopt;
        std::string answer = iconAnswers.front();
        iconAnswers.erase(iconAnswers.begin());
        return answer;
    }
    void ShowAbout() override { ++aboutShown; }
    void CloseMainWindow() override { closed = true; }
    // What the user does in the options dialog, with the dialog as it was filled.
    std::function<void(TfrmOptions&)> userInOptions = [](TfrmOptions& dialog) { dialog.sBitBtn2Click(); };
    TfrmOptions* optionsShown = nullptr;
    struct FakeOptionsView : OptionsView {
        bool closed = false;
        int shows = 0;
        WindowHandle Handle() override { return 0x5678; }
        void ShowRows() override { ++shows; }
        void Close() override { closed = true; }
    } optionsView;
    OptionsView& OptionsDialogView() override { return optionsView; }
    void RunOptionsDialog(TfrmOptions& dialog) override {
        optionsShown = &dialog;
        userInOptions(dialog);
    }
    // The keep dialog; the fixture gives it the fake clock.
    FakeKeepHost keep;
    KeepView& KeepDialogView() override { return keep; }
    void RunKeepDialog(TfrmKeep& dialog) override { keep.RunKeepDialog(dialog); }
    TUpdateNetStatus* statusThread = nullptr;
    void StartStatusThread(TUpdateNetStatus& thread, IpHelper&, bool) override {
        statusThread = &thread;
    }
    void StopStatusThread() override { statusThread = nullptr; }

    // --- status panel
    bool showing = true;
    int picture = -1;
    std::string statusWord, statusMemo, deviceLine;
    bool IsShowing() const override { return showing; }
    void SetStatusPicture(int index) override { picture = index; }
    void SetStatusWord(const std::string& text) override { statusWord = text; }
    void SetStatusMemo(const std::string& text) override { statusMemo = text; }
    void SetDeviceLine(const std::string& text) override { deviceLine = text; }

    // --- tray
    bool trayIconVisible = false, foreground = false;
    std::vector<TrayItem> trayItems;
    std::vector<std::pair<int, int>> trayMenuOpened;
    void SetTrayIconVisible(bool visible) override { trayIconVisible = visible; }
    void ShowMainWindow() override { showing = true; }
    void HideMainWindow() override { showing = false; }
    void SetTrayItems(const std::vector<TrayItem>& shown) override { trayItems = shown; }
    void SetForeground() override { foreground = true; }
    void PopupTrayMenu(int x, int y) override { trayMenuOpened.push_back({x, y}); }
};

// The start request as the program's entry decides it from a command line.
inline StartRequest RequestFrom(const std::string& commandLine) {
    return DecideStartMode(SplitCommandLine(commandLine));
}

// A form on the fake window, made at its first use from the command line the test has set by then.
class FormOnFakes {
  public:
    FormOnFakes(Platform& platform, FakeMainWindow& view, const std::string& commandLine)
        : platform_(platform), view_(view), commandLine_(commandLine) {}
    TfrmMain* operator->() { return &Get(); }
    TfrmMain& Get() {
        if (!form_) {
            form_.emplace(platform_, view_.Views(), RequestFrom(commandLine_));
            view_.Attach(*form_);
        }
        return *form_;
    }

  private:
    Platform& platform_;
    FakeMainWindow& view_;
    const std::string& commandLine_;
    std::optional<TfrmMain> form_;
};

}  // namespace vt::fakes
