// The segmented address field's rules.
#include "controls/SegmentedEdit.h"

#include "base/AnsiText.h"

namespace vt::controls {

namespace {

constexpr int kLabelWidth = 10;
constexpr int kFirstLeft = 5;
constexpr int kChildTop = 2;
constexpr int kChildHeight = 21;

// A whole number as the field reads one: an optional sign and decimal digits, nothing else.
bool ParseWholeNumber(const std::string& text, long& value) {
    size_t i = text.size() > 1 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        if (magnitude < 100000) magnitude = magnitude * 10 + (text[i] - '0');
    }
    value = text[0] == '-' ? -magnitude : magnitude;
    return true;
}

}  // namespace

TCustomEditEx::TCustomEditEx(SegmentBoxes& boxes) : boxes_(boxes) {
    SetAMount(4);
}

void TCustomEditEx::SetAMount(int amount) {
    if (amount < 1) return;
    const int target = 2 * amount - 1;
    while (boxes_.ChildCount() < target) {
        if (boxes_.ChildCount() % 2 == 1)  // the last child is a box: a label comes next
            boxes_.AddLabel(delimiter_, color_);
        else
            boxes_.AddSegment(defaultEditText_, maxLength_, color_);
    }
    while (boxes_.ChildCount() > target) boxes_.RemoveLastChild();
    ArrangeSegments();
}

void TCustomEditEx::SetDelimiter(char delimiter) {
    if (FoldCase(delimiter) == FoldCase(delimiter_)) return;
    delimiter_ = delimiter;
    for (int child = 1; child < boxes_.ChildCount(); child += 2)
        boxes_.SetLabelText(child, delimiter);
}

void TCustomEditEx::SetDefaultEditText(const std::string& text) {
    if (EqualsIgnoreCase(text, defaultEditText_)) return;
    defaultEditText_ = text;
    for (int child = 0; child < boxes_.ChildCount(); child += 2) boxes_.SetSegmentText(child, text);
}

void TCustomEditEx::SetMaxLength(int maxLength) {
    if (maxLength == maxLength_) return;
    maxLength_ = maxLength;
    for (int child = 0; child < boxes_.ChildCount(); child += 2)
        boxes_.SetMaxLength(child, maxLength);
}

void TCustomEditEx::SetColor(Color color) {
    if (color == color_) return;
    color_ = color;
    boxes_.SetSegmentColor(color);
}

void TCustomEditEx::SetBorderWidth(int width) {
    if (width == borderWidth_) return;
    borderWidth_ = width;
    ArrangeSegments();
}

void TCustomEditEx::SetBorderColor(Color color) {
    borderColor_ = color;
    ArrangeSegments();
}

void TCustomEditEx::SetShowBorderColor(bool show) {
    showBorderColor_ = show;
    ArrangeSegments();
}

std::string TCustomEditEx::Text() const {
    std::string text;
    for (int child = 0; child < boxes_.ChildCount(); ++child) {
        if (IsSegment(child))
            text += boxes_.SegmentText(child);
        else
            text.push_back(delimiter_);
    }
    return text;
}

void TCustomEditEx::SetText(std::string_view value) {
    for (int child = 0; child < boxes_.ChildCount(); child += 2) boxes_.SetSegmentText(child, "");
    const auto fill = [&](int child, std::string_view piece) {
        const bool tooLong = piece.size() > static_cast<size_t>(maxLength_ < 0 ? 0 : maxLength_);
        boxes_.SetSegmentText(child, tooLong ? defaultEditText_ : std::string(piece));
        EditChange(child);
    };
    int child = 0;
    for (;;) {
        const size_t delimiter = value.find(delimiter_);
        if (child >= boxes_.ChildCount()) return;  // pieces beyond the last segment are dropped
        if (delimiter == std::string_view::npos) {
            fill(child, value);
            return;
        }
        fill(child, value.substr(0, delimiter));
        value.remove_prefix(delimiter + 1);
        child += 2;
    }
}

void TCustomEditEx::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    boxes_.SetEnabled(enabled);
    if (enabled) {
        SetColor(enabledColor_);
    } else {
        enabledColor_ = color_;
        SetColor(kClBtnFace);
    }
}

void TCustomEditEx::ArrangeSegments() {
    if (AMount() == 0 || boxes_.ChildCount() == 0) return;
    if (showBorderColor_)
        boxes_.SetFrame(borderColor_, borderWidth_);
    else
        boxes_.SetFrame(color_, 0);
    const int labels = (boxes_.ChildCount() - 1) / 2;
    const int segmentWidth = (boxes_.Width() - kLabelWidth * labels - 15) / AMount();
    int left = kFirstLeft;
    for (int child = 0; child < boxes_.ChildCount(); ++child) {
        const int width = IsSegment(child) ? segmentWidth : kLabelWidth;
        boxes_.SetChildBounds(child, left, kChildTop, width, kChildHeight);
        left += width;
    }
}

bool TCustomEditEx::CaretAtStart(int child) const {
    int start = 0, end = 0;
    boxes_.Selection(child, start, end);
    return start == 0 && end == 0;
}

bool TCustomEditEx::CaretAtEnd(int child) const {
    int start = 0, end = 0;
    boxes_.Selection(child, start, end);
    const int length = static_cast<int>(boxes_.SegmentText(child).size());
    return start == length && end == length;
}

void TCustomEditEx::EditKeyPress(int child, char& key) {
    if (key == kBackspace) {
        if (!CaretAtStart(child)) return;  // an ordinary backspace
        key = 0;
        if (HasSegment(child - 2)) boxes_.Focus(child - 2, Caret::AtEnd);
        return;
    }
    const bool delimiter = FoldCase(key) == FoldCase(delimiter_);
    key = 0;
    if (delimiter && !boxes_.SegmentText(child).empty() && HasSegment(child + 2))
        boxes_.Focus(child + 2, Caret::SelectAll);
}

void TCustomEditEx::EditKeyDown(int child, uint16_t key) {
    if ((key == kVkLeft || key == kVkUp) && CaretAtStart(child) && HasSegment(child - 2))
        boxes_.Focus(child - 2, Caret::AtEnd);
    else if ((key == kVkRight || key == kVkDown) && CaretAtEnd(child) && HasSegment(child + 2))
        boxes_.Focus(child + 2, Caret::AtStart);
}

void TCustomEditEx::EditChange(int child) {
    if (onEditChanged_) onEditChanged_(child);
    if (boxes_.SegmentText(child).empty()) return;
    int start = 0, end = 0;
    boxes_.Selection(child, start, end);
    if (start >= maxLength_ && HasSegment(child + 2) && boxes_.CanFocus(child + 2))
        boxes_.Focus(child + 2, Caret::SelectAll);  // auto-advance
}

TIPEdit::TIPEdit(SegmentBoxes& boxes) : TCustomEditEx(boxes) {
    onEditChanged_ = [this](int child) { CheckSegment(child); };
}

std::string TIPEdit::IPText() const {
    std::string text;
    for (int child = 0; child < boxes_.ChildCount(); ++child) {
        if (!IsSegment(child)) {
            text.push_back(Delimiter());
            continue;
        }
        long number = 0;
        if (!ParseWholeNumber(boxes_.SegmentText(child), number)) number = 0;
        text += std::to_string(number);
    }
    return text == "0.0.0.0" ? std::string() : text;
}

void TIPEdit::EditKeyPress(int child, char& key) {
    if (key >= '0' && key <= '9') return;
    TCustomEditEx::EditKeyPress(child, key);
}

void TIPEdit::CheckSegment(int child) {
    if (OnTextChange) OnTextChange(child);
    const std::string text = boxes_.SegmentText(child);
    if (text.empty()) return;
    if (OnIPChange) OnIPChange(child);
    long number = 0;
    if (!ParseWholeNumber(text, number)) number = 256;
    if (number >= 0 && number <= 255) return;
    boxes_.Beep();
    boxes_.SetSegmentText(child, "255");
    if (boxes_.CanFocus(child)) boxes_.Focus(child, Caret::AtStart);
}

void SetUpAddressField(TIPEdit& field) {
    field.SetAMount(4);
    field.SetDelimiter('.');
    field.SetDefaultEditText("0");
    field.SetMaxLength(3);
    field.SetColor(kClWindow);
    field.SetBorderWidth(1);
    field.SetText("...");
    field.SetBorderColor(kClSilver);
    field.SetShowBorderColor(true);
}

}  // namespace vt::controls
