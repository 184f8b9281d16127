// The address field's window: frame, panel, segment boxes and labels, bound to the portable rules.
#include "controls/win32/IPEditControl.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "controls/SegmentedEdit.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WindowBase.h"

namespace vt::win32 {

namespace {

using controls::Caret;
using controls::Color;

constexpr char kPanelClass[] = "TIPEditPanel";

COLORREF ToColorRef(Color color) {
    return color & controls::kSystemColor ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

class IPEditWindow;

// A window inside the field: its panel, or one of its segment boxes.
class FieldPart : public WindowBase {
  public:
    explicit FieldPart(IPEditWindow& field) : field_(field) {}

  protected:
    IPEditWindow& field_;
};

// The panel inside the frame: what its boxes and labels say goes on to the field.
class SegmentPanel : public FieldPart {
  public:
    using FieldPart::FieldPart;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A segment box, taken over so that every key goes through the field's rules.
class SegmentBox : public FieldPart {
  public:
    using FieldPart::FieldPart;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The field's window; made for each window of the class, whatever made it.
class IPEditWindow : public controls::SegmentBoxes, public WindowBase {
  public:
    explicit IPEditWindow(HWND control) : control_(control) {}

    controls::TIPEdit& Field() { return *field_; }

    int IndexOf(HWND child) const {
        for (size_t i = 0; i < children_.size(); ++i)
            if (children_[i] == child) return static_cast<int>(i);
        return -1;
    }

    // --- SegmentBoxes
    int ChildCount() const override { return static_cast<int>(children_.size()); }
    void AddSegment(const std::string& text, int maxLength, Color) override {
        HWND box = CreateWindowExA(0, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                                                                ES_AUTOHSCROLL,
                                   0, 0, 0, 0, panel_.Handle(), nullptr, nullptr, nullptr);
        Add(box, 0);
        boxes_.back() = std::make_unique<SegmentBox>(*this);
        boxes_.back()->Subclass(box);
        SendMessageA(box, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    }
    void AddLabel(char delimiter, Color background) override {
        const char text[2] = {delimiter, '\0'};
        Add(CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0,
                            panel_.Handle(), nullptr, nullptr, nullptr),
            background);
    }
    void RemoveLastChild() override {
        DestroyWindow(children_.back());
        children_.pop_back();
        labelColors_.pop_back();
        boxes_.pop_back();  // only now: the box's object handles its window's last messages
    }
    std::string SegmentText(int child) const override {
        char text[64] = {};
        GetWindowTextA(children_.at(child), text, sizeof text);
        return text;
    }
    void SetSegmentText(int child, const std::string& text) override {
        SetWindowTextA(children_.at(child), text.c_str());  // the box reports EN_CHANGE
    }
    void SetLabelText(int child, char delimiter) override {
        const char text[2] = {delimiter, '\0'};
        SetWindowTextA(children_.at(child), text);
    }
    void SetMaxLength(int child, int maxLength) override {
        SendMessageA(children_.at(child), EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    }
    void SetSegmentColor(Color color) override {
        segmentColor_ = color;
        InvalidateRect(panel_.Handle(), nullptr, TRUE);
        for (HWND child : children_) InvalidateRect(child, nullptr, TRUE);
    }
    void SetFrame(Color color, int width) override {
        frameColor_ = color;
        RECT client{};
        GetClientRect(control_, &client);
        MoveWindow(panel_.Handle(), width, width, client.right - 2 * width,
                   client.bottom - 2 * width, TRUE);
        InvalidateRect(control_, nullptr, TRUE);
    }
    void Selection(int child, int& start, int& end) const override {
        DWORD from = 0, to = 0;
        SendMessageA(children_.at(child), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        start = static_cast<int>(from);
        end = static_cast<int>(to);
    }
    bool CanFocus(int child) const override {
        for (HWND window = children_.at(child); window; window = GetParent(window)) {
            if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
            if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) break;
        }
        return true;
    }
    void Focus(int child, Caret caret) override {
        HWND box = children_.at(child);
        SetFocus(box);
        const auto length = static_cast<LPARAM>(GetWindowTextLengthA(box));
        const WPARAM start = caret == Caret::AtEnd ? static_cast<WPARAM>(length) : 0;
        const LPARAM end = caret == Caret::AtStart ? 0 : length;
        SendMessageA(box, EM_SETSEL, start, end);
    }
    int Width() const override {
        RECT client{};
        GetClientRect(control_, &client);
        return client.right;
    }
    void SetChildBounds(int child, int left, int top, int width, int height) override {
        MoveWindow(children_.at(child), left, top, width, height, TRUE);
    }
    void SetEnabled(bool enabled) override { EnableWindow(control_, enabled ? TRUE : FALSE); }
    void Beep() override { MessageBeep(MB_OK); }

    // --- painting
    void SetFont(HFONT font) {
        font_ = font;
        for (HWND child : children_) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    HBRUSH BrushFor(Color color) {
        if (color & controls::kSystemColor) return GetSysColorBrush(static_cast<int>(color & 0xFF));
        UniqueBrush& brush = brushes_[color];
        if (!brush) brush.Reset(CreateSolidBrush(color));
        return brush.Get();
    }
    LRESULT ChildColors(HWND child, HDC dc) {
        const int index = IndexOf(child);
        const Color color = index >= 0 && index % 2 == 1 ? labelColors_[index] : segmentColor_;
        SetBkColor(dc, ToColorRef(color));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(BrushFor(color));
    }
    void Erase(HWND window, HDC dc) {
        RECT area{};
        GetClientRect(window, &area);
        FillRect(dc, &area, BrushFor(window == panel_.Handle() ? segmentColor_ : frameColor_));
    }

  private:
    void Add(HWND child, Color labelColor) {
        SetWindowLongPtrA(child, GWLP_ID, static_cast<LONG_PTR>(children_.size()));
        if (font_) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        children_.push_back(child);
        labelColors_.push_back(labelColor);
        boxes_.emplace_back();
    }
    void NotifyParent(int child) {
        SendMessageA(GetParent(control_), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(control_), kIPEditChanged),
                     reinterpret_cast<LPARAM>(children_.at(child)));
    }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND control_;
    SegmentPanel panel_{*this};
    HFONT font_ = nullptr;
    std::vector<HWND> children_;
    std::vector<Color> labelColors_;
    std::vector<std::unique_ptr<SegmentBox>> boxes_;  // by child; none for a label
    Color segmentColor_ = controls::kClWindow;
    Color frameColor_ = controls::kClWindow;
    std::map<Color, UniqueBrush> brushes_;
    std::unique_ptr<controls::TIPEdit> field_;  // last: its rules build the children above
};

LRESULT SegmentBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int child = field_.IndexOf(Handle());
    if (message == WM_CHAR) {
        char key = static_cast<char>(wParam);
        field_.Field().EditKeyPress(child, key);
        if (key == 0) return 0;
    } else if (message == WM_KEYDOWN) {
        field_.Field().EditKeyDown(child, static_cast<uint16_t>(wParam));
    }
    return Default(message, wParam, lParam);
}

LRESULT SegmentPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            field_.Erase(Handle(), reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return field_.ChildColors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE)
                field_.Field().EditChange(field_.IndexOf(reinterpret_cast<HWND>(lParam)));
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

LRESULT IPEditWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!field_ && message != WM_CREATE) return Default(message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            // The dialog manager tabs through the segments, never to the field itself.
            SetWindowLongA(control_, GWL_EXSTYLE,
                           GetWindowLongA(control_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
            CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, control_, nullptr,
                            nullptr, static_cast<WindowBase*>(&panel_));
            field_ = std::make_unique<controls::TIPEdit>(*this);
            field_->OnTextChange = [this](int child) { NotifyParent(child); };
            controls::SetUpAddressField(*field_);
            return 0;
        case WM_SIZE:
            field_->ArrangeSegments();
            return 0;
        case WM_ERASEBKGND:
            Erase(control_, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam));
            return 0;
        case WM_ENABLE:
            field_->SetEnabled(wParam != FALSE);
            return 0;
        case WM_SETFOCUS:
            // Focusing the field as a whole puts the caret in its first segment, as in a native
            // address field, rather than on no segment at all.
            if (CanFocus(0)) Focus(0, Caret::SelectAll);
            return 0;
        case WM_SETTEXT:
            field_->SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
            return TRUE;
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(field_->Text().size());
        case WM_GETTEXT:
        case kIPEditGetIPText: {
            const std::string text = message == WM_GETTEXT ? field_->Text() : field_->IPText();
            auto* buffer = reinterpret_cast<char*>(lParam);
            if (!buffer || wParam == 0) return 0;
            const size_t length = std::min<size_t>(text.size(), wParam - 1);
            text.copy(buffer, length);
            buffer[length] = '\0';
            return static_cast<LRESULT>(length);
        }
        default:
            return Default(message, wParam, lParam);
    }
}

std::string TextOf(HWND field, UINT message) {
    char buffer[64] = {};
    SendMessageA(field, message, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

}  // namespace

void RegisterIPEditClass() {
    WindowBase::RegisterClass(kPanelClass, IDC_IBEAM, nullptr);
    WindowBase::RegisterOwningClass<IPEditWindow>(kIPEditClass, IDC_IBEAM, nullptr);
}

std::string IPEditText(HWND field) {
    return TextOf(field, WM_GETTEXT);
}

std::string IPEditIPText(HWND field) {
    return TextOf(field, kIPEditGetIPText);
}

}  // namespace vt::win32
