// The boxes and labels of an address field in memory, with the typing and caret behaviour of a
// real single-line edit box.
#pragma once

#include <string>
#include <vector>

#include "controls/SegmentedEdit.h"

namespace vt::fakes {

class FakeSegmentBoxes : public controls::SegmentBoxes {
  public:
    struct Child {
        bool segment = true;
        std::string text;  // a label's text is its delimiter
        int maxLength = 0;
        controls::Color color = 0;
        int selStart = 0, selEnd = 0;
        int left = 0, top = 0, width = 0, height = 0;
    };
    std::vector<Child> children;
    controls::TCustomEditEx* field = nullptr;  // told of every change, as a real box tells it
    int focused = -1;
    bool focusable = true;
    bool enabled = true;
    int beeps = 0;
    int width = 145;
    controls::Color segmentColor = 0, frameColor = 0;
    int frameWidth = -1;

    int ChildCount() const override { return static_cast<int>(children.size()); }
    void AddSegment(const std::string& text, int maxLength, controls::Color color) override {
        children.push_back({true, text, maxLength, color});
    }
    void AddLabel(char delimiter, controls::Color background) override {
        children.push_back({false, std::string(1, delimiter), 0, background});
    }
    void RemoveLastChild() override {
        children.pop_back();
        if (focused >= ChildCount()) focused = -1;
    }
    std::string SegmentText(int child) const override { return children.at(child).text; }
    void SetSegmentText(int child, const std::string& text) override {
        Child& box = children.at(child);
        box.text = text;
        box.selStart = box.selEnd = 0;
        if (field) field->EditChange(child);
    }
    void SetLabelText(int child, char delimiter) override {
        children.at(child).text = std::string(1, delimiter);
    }
    void SetMaxLength(int child, int maxLength) override { children.at(child).maxLength = maxLength; }
    void SetSegmentColor(controls::Color color) override {
        segmentColor = color;
        for (Child& c : children)
            if (c.segment) c.color = color;
    }
    void SetFrame(controls::Color color, int frame) override {
        frameColor = color;
        frameWidth = frame;
    }
    void Selection(int child, int& start, int& end) const override {
        start = children.at(child).selStart;
        end = children.at(child).selEnd;
    }
    bool CanFocus(int) const override { return focusable && enabled; }
    void Focus(int child, controls::Caret caret) override {
        Child& box = children.at(child);
        const int length = static_cast<int>(box.text.size());
        box.selStart = caret == controls::Caret::AtEnd ? length : 0;
        box.selEnd = caret == controls::Caret::AtStart ? 0 : length;
        focused = child;
    }
    int Width() const override { return width; }
    void SetChildBounds(int child, int left, int top, int w, int h) override {
        Child& c = children.at(child);
        c.left = left, c.top = top, c.width = w, c.height = h;
    }
    void SetEnabled(bool on) override { enabled = on; }
    void Beep() override { ++beeps; }

    // A character typed into the focused box: the field's key-press rule first, then the box
    // inserts it (replacing the selection, within its maximum length) or deletes with backspace.
    void Type(char c) {
        const int child = focused;
        field->EditKeyPress(child, c);
        if (c == 0) return;
        Child& box = children.at(child);
        std::string text = box.text;
        int start = box.selStart, end = box.selEnd;
        if (c == controls::kBackspace) {
            if (start == end && start == 0) return;
            if (start == end) --start;
            text.erase(start, end - start);
        } else {
            if (start == end && static_cast<int>(text.size()) >= box.maxLength) return;
            text.replace(start, end - start, 1, c);
            ++start;
        }
        box.text = text;
        box.selStart = box.selEnd = start;
        field->EditChange(child);
    }
    void TypeText(const std::string& text) {
        for (char c : text) Type(c);
    }
    // An arrow key: the field's key-down rule first; the key then reaches the box it was sent to.
    void Press(uint16_t key) {
        const int child = focused;
        field->EditKeyDown(child, key);
        Child& box = children.at(child);
        const int length = static_cast<int>(box.text.size());
        int caret = box.selStart;
        if (key == controls::kVkLeft || key == controls::kVkUp) caret = caret > 0 ? caret - 1 : 0;
        if (key == controls::kVkRight || key == controls::kVkDown) caret = caret < length ? caret + 1 : length;
        box.selStart = box.selEnd = caret;
    }
    std::vector<std::string> Segments() const {
        std::vector<std::string> texts;
        for (const Child& c : children)
            if (c.segment) texts.push_back(c.text);
        return texts;
    }
};

}  // namespace vt::fakes
