// The main window in memory: frame, tree, tabs and editor record what the logic set, and report
// selection changes and field edits back to it as the real window does.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/SegmentedEdit.h"
#include "tests/fakes/FakeSegmentBoxes.h"
#include "ui/MainWindow.h"

namespace vt::fakes {

class FakeMainWindow : public MainView,
                       public ConfigTreeView,
                       public CardTabsView,
                       public EditorView,
                       public StatusPanelView,
                       public TrayView {
  public:
    FakeMainWindow() {
        for (EditorControl field : {EditorControl::edtIP, EditorControl::edtMask,
                                    EditorControl::edtGateway, EditorControl::edtDns0,
                                    EditorControl::edtDns1})
            fields_[field] = std::make_unique<Field>(*this);
    }
    MainViews Views() { return {*this, *this, *this, *this, *this, *this}; }
    TfrmMain* form = nullptr;  // told of selection changes and edits, as the real window tells it

    // --- frame
    std::string applicationTitle, caption, configTitle;
    std::vector<TConfigNode*> postedEdits;  // WM_EDITNODE
    bool terminated = false;
    WindowHandle Handle() override { return 0x1234; }
    void SetApplicationTitle(const std::string& title) override { applicationTitle = title; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetConfigTitle(const std::string& title) override { configTitle = title; }
    void PostEditNode(TConfigNode& node) override { postedEdits.push_back(&node); }
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
    TUpdateNetStatus* statusThread = nullptr;
    void StartStatusThread(TUpdateNetStatus& thread) override { statusThread = &thread; }
    void StopStatusThread() override { statusThread = nullptr; }

    // --- tree
    struct Item {
        TConfigNode* node;
        std::string text;
        int image;
    };
    std::vector<Item> items;
    TConfigNode* selected = nullptr;
    TConfigNode* editing = nullptr;
    bool redraw = true;
    int redrawOffCalls = 0;
    std::string treeHint;
    void ClearTree() override { items.clear(), selected = editing = nullptr; }
    void SetTreeRedraw(bool enabled) override {
        redraw = enabled;
        if (!enabled) ++redrawOffCalls;
    }
    void AppendTreeNode(TConfigNode& node, int imageIndex) override {
        items.push_back({&node, node.Text, imageIndex});
    }
    void SelectNode(TConfigNode& node) override { ChangeSelection(&node); }
    // The real tree selects the next node, else the previous one, once the selected one goes.
    void RemoveTreeNode(TConfigNode& node) override {
        size_t at = 0;
        while (at < items.size() && items[at].node != &node) ++at;
        if (at == items.size()) return;
        if (editing == &node) editing = nullptr;
        TConfigNode* neighbour = at + 1 < items.size() ? items[at + 1].node
                                 : at > 0              ? items[at - 1].node
                                                       : nullptr;
        const bool wasSelected = selected == &node;
        if (wasSelected) ChangeSelection(neighbour);
        if (wasSelected && selected == &node) selected = nullptr;
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(at));
    }
    void EditNodeLabel(TConfigNode& node) override { editing = &node; }
    void ShowNodeText(TConfigNode& node) override {
        for (Item& item : items)
            if (item.node == &node) item.text = node.Text;
    }
    TConfigNode* SelectedNode() const override { return selected; }
    void SetTreeHint(const std::string& hint) override { treeHint = hint; }

    // --- tabs
    struct Tab {
        std::string caption, hint;
        int card;
        int image = -1;
    };
    std::vector<Tab> tabs;
    int selectedTab = -1;
    void ClearTabs() override { tabs.clear(), selectedTab = -1; }
    void AddTab(const std::string& text, const std::string& hint, int cardIndex) override {
        tabs.push_back({text, hint, cardIndex});
    }
    int TabCount() const override { return static_cast<int>(tabs.size()); }
    int SelectedTab() const override { return selectedTab; }
    void SelectTab(int tab) override {
        if (form && !form->Tabs.tbCardsChanging()) return;
        selectedTab = tab;
        if (form) form->Tabs.tbCardsChange();
    }
    int TabCardIndex(int tab) const override { return tabs.at(tab).card; }
    void SetTabImage(int tab, int image) override { tabs.at(tab).image = image; }

    // --- editor
    std::map<EditorControl, bool> checked, enabled;
    std::optional<EditorControl> focused;
    std::optional<std::vector<IPPair>> addressListAnswer;  // what the list dialog gives back
    std::vector<IPPair> addressListShown;
    bool addressListOpened = false;
    void SetChecked(EditorControl control, bool on) override { checked[control] = on; }
    bool IsChecked(EditorControl control) const override {
        const auto it = checked.find(control);
        return it != checked.end() && it->second;
    }
    void SetEnabled(EditorControl control, bool on) override { enabled[control] = on; }
    bool IsEnabled(EditorControl control) const override {
        const auto it = enabled.find(control);
        return it == enabled.end() || it->second;
    }
    // The address fields run the real field rules, so Text and IPText behave as on screen.
    void SetAddress(EditorControl field, const std::string& text) override {
        fields_.at(field)->edit.SetText(text);
    }
    std::string Address(EditorControl field) const override {
        return fields_.at(field)->edit.IPText();
    }
    std::string Text(EditorControl field) const { return fields_.at(field)->edit.Text(); }
    void Focus(EditorControl control) override { focused = control; }
    std::optional<std::vector<IPPair>> EditAddressList(const TAddrType& ips,
                                                       const TAddrType& masks) override {
        addressListOpened = true;
        addressListShown.clear();
        for (size_t i = 0; i < ips.size(); ++i)
            addressListShown.push_back({ips[i], i < masks.size() ? masks[i] : ""});
        return addressListAnswer;
    }

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
    void SetTrayItems(const std::vector<TrayItem>& items) override { trayItems = items; }
    void SetForeground() override { foreground = true; }
    void PopupTrayMenu(int x, int y) override { trayMenuOpened.push_back({x, y}); }

    // --- what a user does
    void UserSelects(TConfigNode* node) { ChangeSelection(node); }
    void UserSelectsTab(int tab) { SelectTab(tab); }
    // A click on a check box or radio button: the box changes, then its handler runs.
    void UserClicks(EditorControl control) {
        if (control == EditorControl::rbEnable || control == EditorControl::rbDisable) {
            checked[EditorControl::rbEnable] = control == EditorControl::rbEnable;
            checked[EditorControl::rbDisable] = control == EditorControl::rbDisable;
        } else {
            checked[control] = !IsChecked(control);
        }
        if (control == EditorControl::checkSelected)
            form->Editor.checkSelectedClick();
        else
            form->Editor.rbEnableClick();
    }
    void UserTypes(EditorControl field, const std::string& text) { SetAddress(field, text); }
    // Deletes the digits of one segment (0 to 3), as backspace does.
    void UserEmptiesSegment(EditorControl field, int segment) {
        fields_.at(field)->boxes.SetSegmentText(2 * segment, "");
    }
    TConfigNode* Node(const std::string& text) const {
        for (const Item& item : items)
            if (item.node->Text == text) return item.node;
        return nullptr;
    }

  private:
    // One address field: the real rules on boxes in memory; its changes reach the editor.
    struct Field {
        explicit Field(FakeMainWindow& window) : owner(window) {
            boxes.field = &edit;
            edit.OnTextChange = [this](int) {
                if (owner.form) owner.form->Editor.rbEnableClick();
            };
            controls::SetUpAddressField(edit);
        }
        FakeMainWindow& owner;
        FakeSegmentBoxes boxes;
        controls::TIPEdit edit{boxes};
    };
    void ChangeSelection(TConfigNode* node) {
        if (form && !form->Tree.tvConfigChanging()) return;
        selected = node;
        if (form) form->Tree.tvConfigChange(node);
    }
    std::map<EditorControl, std::unique_ptr<Field>> fields_;
};

}  // namespace vt::fakes
