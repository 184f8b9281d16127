// The settings editor's controls in memory, with address fields that run the real field rules:
// records what the logic set, and clicks and types as a user would.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/SegmentedEdit.h"
#include "tests/fakes/FakeSegmentBoxes.h"
#include "ui/SettingsEditor.h"

namespace vt::fakes {

class FakeEditorView : public EditorView {
  public:
    FakeEditorView() {
        for (EditorControl field : {EditorControl::edtIP, EditorControl::edtMask,
                                    EditorControl::edtGateway, EditorControl::edtDns0,
                                    EditorControl::edtDns1})
            fields_[field] = std::make_unique<Field>(*this);
    }
    SettingsEditor* editor = nullptr;  // told of the user's clicks and of every field's change

    std::map<EditorControl, bool> checked, enabled;
    std::optional<EditorControl> focused;
    std::optional<std::vector<IPPair>> addressListAnswer;  // what the list dialog gives back
    std::vector<IPPair> addressListShown;

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
    void SetAddress(EditorControl field, const std::string& text) override {
        fields_.at(field)->edit.SetText(text);
    }
    std::string Address(EditorControl field) const override {
        return fields_.at(field)->edit.IPText();
    }
    std::string AddressText(EditorControl field) const override {
        return fields_.at(field)->edit.Text();
    }
    std::string Text(EditorControl field) const { return AddressText(field); }
    void Focus(EditorControl control) override { focused = control; }
    std::optional<std::vector<IPPair>> EditAddressList(const TAddrType& ips,
                                                       const TAddrType& masks) override {
        addressListShown.clear();
        for (size_t i = 0; i < ips.size(); ++i)
            addressListShown.push_back({ips[i], i < masks.size() ? masks[i] : ""});
        return addressListAnswer;
    }

    // A click on a check box or radio button: the box changes, then its handler runs.
    void UserClicks(EditorControl control) {
        if (control == EditorControl::rbEnable || control == EditorControl::rbDisable) {
            checked[EditorControl::rbEnable] = control == EditorControl::rbEnable;
            checked[EditorControl::rbDisable] = control == EditorControl::rbDisable;
        } else {
            checked[control] = !IsChecked(control);
        }
        if (control == EditorControl::checkSelected)
            editor->checkSelectedClick();
        else
            editor->rbEnableClick();
    }
    void UserTypes(EditorControl field, const std::string& text) { SetAddress(field, text); }
    // Deletes the digits of one segment (0 to 3), as backspace does.
    void UserEmptiesSegment(EditorControl field, int segment) {
        fields_.at(field)->boxes.SetSegmentText(2 * segment, "");
    }

  private:
    // One address field: the real rules on boxes in memory; its changes reach the editor.
    struct Field {
        explicit Field(FakeEditorView& view) : owner(view) {
            boxes.field = &edit;
            edit.OnTextChange = [this](int) {
                if (owner.editor) owner.editor->rbEnableClick();
            };
            controls::SetUpAddressField(edit);
        }
        FakeEditorView& owner;
        FakeSegmentBoxes boxes;
        controls::TIPEdit edit{boxes};
    };
    std::map<EditorControl, std::unique_ptr<Field>> fields_;
};

}  // namespace vt::fakes
