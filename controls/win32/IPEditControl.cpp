// The address field's window: it paints its frame and its delimiters itself, around real
// single-line edit boxes for the segments, all bound to the portable rules.
#include "controls/win32/IPEditControl.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "base/ScopeExit.h"
#include "controls/SegmentedEdit.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WindowBase.h"
#include "platform/win32/WindowFont.h"

namespace vt::win32 {

namespace {

using controls::Caret;
using controls::Color;

COLORREF ToColorRef(Color color) {
    return color & controls::kSystemColor ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

class IPEditWindow;

// A segment box, taken over so that every key goes through the field's rules.
class SegmentBox : public WindowBase {
  public:
    explicit SegmentBox(IPEditWindow& field) : field_(field) {}

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    IPEditWindow& field_;
};

// The field's window, made for each window of the class, whatever made it. Its children are the
// segment boxes only: the frame, the panel behind the segments and the delimiters are painted,
// so a field is five windows, not nine. The boxes are made with the field: the keyboard, the
// mouse, the clipboard and screen readers find them wherever a user first goes into it.
class IPEditWindow : public controls::SegmentBoxes, public WindowBase {
  public:
    explicit IPEditWindow(HWND control) : control_(control) {}

    controls::TIPEdit& Field() { return *field_; }

    int IndexOf(HWND box) const {
        for (size_t i = 0; i < children_.size(); ++i)
            if (children_[i].box == box) return static_cast<int>(i);
        return -1;
    }

    // --- SegmentBoxes
    int ChildCount() const override { return static_cast<int>(children_.size()); }
    void AddSegment(const std::string& text, int maxLength, Color) override {
        Child child;
        child.segment = true;
        child.text = text;
        child.maxLength = maxLength;
        children_.push_back(std::move(child));
        // Made at once in place, with its text, once the field has set itself up.
        if (!settingUp_) MakeBox(children_.size() - 1);
    }
    void AddLabel(char delimiter, Color background) override {
        Child label;
        label.delimiter = delimiter;
        label.background = background;
        children_.push_back(std::move(label));
    }
    void RemoveLastChild() override {
        if (children_.back().segment)
            DestroyWindow(children_.back().box);
        else
            InvalidateRect(control_, &children_.back().area, TRUE);
        children_.pop_back();  // only now: the box's object handles its window's last messages
    }
    std::string SegmentText(int child) const override {
        const Child& segment = children_.at(child);
        if (!segment.box) return segment.text;  // setting up
        char text[64] = {};
        GetWindowTextA(segment.box, text, sizeof text);
        return text;
    }
    void SetSegmentText(int child, const std::string& text) override {
        Child& segment = children_.at(child);
        if (segment.box)
            SetWindowTextA(segment.box, text.c_str());  // the box reports EN_CHANGE
        else
            segment.text = text;  // setting up: the box is made with it
    }
    void SetLabelText(int child, char delimiter) override {
        children_.at(child).delimiter = delimiter;
        InvalidateRect(control_, &children_.at(child).area, TRUE);
    }
    void SetMaxLength(int child, int maxLength) override {
        Child& segment = children_.at(child);
        segment.maxLength = maxLength;
        if (segment.box) SendMessageA(segment.box, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    }
    void SetSegmentColor(Color color) override {
        segmentColor_ = color;
        InvalidateRect(control_, nullptr, TRUE);
        for (const Child& child : children_)
            if (child.box) InvalidateRect(child.box, nullptr, TRUE);
    }
    void SetFrame(Color color, int width) override {
        frameColor_ = color;
        frameWidth_ = width;
        InvalidateRect(control_, nullptr, TRUE);
    }
    void Selection(int child, int& start, int& end) const override {
        DWORD from = 0, to = 0;  // setting up: no box, no caret
        if (children_.at(child).box)
            SendMessageA(children_.at(child).box, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                         reinterpret_cast<LPARAM>(&to));
        start = static_cast<int>(from);
        end = static_cast<int>(to);
    }
    bool CanFocus(int child) const override {
        if (!children_.at(child).box) return false;
        for (HWND window = children_.at(child).box; window; window = GetParent(window)) {
            if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
            if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) break;
        }
        return true;
    }
    void Focus(int child, Caret caret) override {
        HWND box = children_.at(child).box;
        if (!box) return;
        SetFocus(box);
        const auto length = static_cast<LPARAM>(GetWindowTextLengthA(box));
        const WPARAM start = caret == Caret::AtEnd ? static_cast<WPARAM>(length) : 0;
        const LPARAM end = caret == Caret::AtStart ? 0 : length;
        SendMessageA(box, EM_SETSEL, start, end);
    }
    // The rules lay a field out in 96-DPI pixels: its width goes to them, their places come
    // back, at the field's DPI.
    int Width() const override {
        RECT client{};
        GetClientRect(control_, &client);
        return MulDiv(client.right, 96, static_cast<int>(dpi_));
    }
    int Px(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }
    // Places are inside the panel, which lies inside the frame: what reaches past the panel is
    // cut off there, as a child of the panel would be.
    void SetChildBounds(int child, int left, int top, int width, int height) override {
        Child& placed = children_.at(child);
        RECT panel{};
        GetClientRect(control_, &panel);
        const int frame = FrameWidth();
        InflateRect(&panel, -frame, -frame);
        const RECT wanted{frame + Px(left), frame + Px(top), frame + Px(left + width),
                          frame + Px(top + height)};
        IntersectRect(&placed.area, &wanted, &panel);
        if (settingUp_) return;  // placed once, when the set-up ends
        if (placed.segment)
            MoveWindow(placed.box, placed.area.left, placed.area.top,
                       placed.area.right - placed.area.left, placed.area.bottom - placed.area.top,
                       TRUE);
        else
            InvalidateRect(control_, &placed.area, TRUE);
    }
    void SetEnabled(bool enabled) override { EnableWindow(control_, enabled ? TRUE : FALSE); }
    void Beep() override { MessageBeep(MB_OK); }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // A segment box, or a delimiter the field paints.
    struct Child {
        bool segment = false;
        HWND box = nullptr;
        std::unique_ptr<SegmentBox> handler;
        std::string text;   // a segment's, until its box is made
        int maxLength = 0;  // the same
        char delimiter = 0;
        Color background = 0;  // a delimiter's: the colour the field had when it was made
        RECT area{};
    };

    void SetFont(HFONT font) {
        font_ = font;
        for (const Child& child : children_)
            if (child.box) SetWindowFont(child.box, font, true);
        InvalidateRect(control_, nullptr, TRUE);
    }
    // The brushes of all fields: made once for the process.
    static HBRUSH BrushFor(Color color) {
        if (color & controls::kSystemColor) return GetSysColorBrush(static_cast<int>(color & 0xFF));
        static std::map<Color, UniqueBrush> brushes;
        UniqueBrush& brush = brushes[color];
        if (!brush) brush.Reset(CreateSolidBrush(color));
        return brush.Get();
    }
    // The frame in its colour, the panel inside it in the segments' colour.
    void Erase(HDC dc) {
        RECT area{};
        GetClientRect(control_, &area);
        FillRect(dc, &area, BrushFor(frameColor_));
        InflateRect(&area, -FrameWidth(), -FrameWidth());
        FillRect(dc, &area, BrushFor(segmentColor_));
    }
    // Each delimiter centred on its own background, as a label shows it.
    void PaintDelimiters() {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(control_, &paint);
        const HGDIOBJ oldFont = font_ ? SelectObject(dc, font_) : nullptr;
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        for (Child& child : children_) {
            if (child.segment) continue;
            FillRect(dc, &child.area, BrushFor(child.background));
            SetBkColor(dc, ToColorRef(child.background));
            const char text[2] = {child.delimiter, '\0'};
            DrawTextA(dc, text, -1, &child.area, DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK);
        }
        if (oldFont) SelectObject(dc, oldFont);
        EndPaint(control_, &paint);
    }
    // A click on the frame, a delimiter or beside the segments goes to the nearest segment, with
    // the caret on the side of the click: it never selects a segment for typing to overwrite.
    void ClickBeside(POINT at) {
        const Child* nearest = nullptr;
        LONG nearestDistance = 0;
        for (const Child& child : children_) {
            if (!child.segment) continue;
            const LONG distance = at.x < child.area.left     ? child.area.left - at.x
                                  : at.x >= child.area.right ? at.x - child.area.right + 1
                                                             : 0;
            if (!nearest || distance < nearestDistance)
                nearest = &child, nearestDistance = distance;
        }
        if (!nearest || !IsWindowEnabled(nearest->box)) return;
        Focus(static_cast<int>(nearest - children_.data()),
              at.x < nearest->area.left ? Caret::AtStart : Caret::AtEnd);
    }
    // Other programs (screen readers, automation) read a window's text from the system, not
    // through WM_GETTEXT: the field keeps it there as it changes.
    void KeepSystemText() {
        if (!settingText_)
            DefWindowProcA(control_, WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(field_->Text().c_str()));
    }
    LRESULT BoxColors(HDC dc) {
        SetBkColor(dc, ToColorRef(segmentColor_));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(BrushFor(segmentColor_));
    }
    // A segment's edit box, made visible in its place with its text, font and limit.
    void MakeBox(size_t index) {
        Child& child = children_[index];
        const RECT& area = child.area;
        child.box = CreateWindowExA(0, "EDIT", child.text.c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, area.left,
                                    area.top, area.right - area.left, area.bottom - area.top,
                                    control_, reinterpret_cast<HMENU>(index), nullptr, nullptr);
        if (font_) SetWindowFont(child.box, font_);
        SendMessageA(child.box, EM_LIMITTEXT, static_cast<WPARAM>(child.maxLength), 0);
        child.handler = std::make_unique<SegmentBox>(*this);
        child.handler->Subclass(child.box);
    }
    int FrameWidth() const { return Px(frameWidth_); }
    void NotifyParent(int child) {
        if (settingUp_) return;  // the field's own first text is no edit
        KeepSystemText();
        SendMessageA(GetParent(control_), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(control_), kIPEditChanged),
                     reinterpret_cast<LPARAM>(children_.at(child).box));
    }

    HWND control_;
    HFONT font_ = nullptr;
    std::vector<Child> children_;
    Color segmentColor_ = controls::kClWindow;
    Color frameColor_ = controls::kClWindow;
    int frameWidth_ = 0;  // at 96 DPI
    UINT dpi_ = 96;       // the DPI the field is shown at
    bool settingUp_ = true;     // from WM_CREATE until the field has its first look
    bool settingText_ = false;  // WM_SETTEXT: the system's text is kept once, at its end
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

LRESULT IPEditWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!field_ && message != WM_CREATE) return Default(message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            // The dialog manager tabs through the segments, never to the field itself (its
            // first focus, Tab, Shift+Tab and a label's access key all land in a segment); the
            // field paints around its boxes, never over them.
            SetWindowLongA(control_, GWL_EXSTYLE,
                           GetWindowLongA(control_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
            SetWindowLongA(control_, GWL_STYLE,
                           (GetWindowLongA(control_, GWL_STYLE) | WS_CLIPCHILDREN) & ~WS_TABSTOP);
            dpi_ = WindowDpi(GetParent(control_));
            field_ = std::make_unique<controls::TIPEdit>(*this);
            field_->OnTextChange = [this](int child) { NotifyParent(child); };
            controls::SetUpAddressField(*field_);
            // Made disabled, it has a disabled field's colours from the start.
            if (!IsWindowEnabled(control_)) field_->SetEnabled(false);
            settingUp_ = false;
            for (size_t i = 0; i < children_.size(); ++i)
                if (children_[i].segment) MakeBox(i);
            KeepSystemText();
            return 0;
        case WM_LBUTTONDOWN:
            ClickBeside(
                POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))});
            return 0;
        case WM_SIZE:
            field_->ArrangeSegments();
            return 0;
        case kDpiChanging:  // its parent moves it to another DPI next: WM_SIZE lays it out
            dpi_ = static_cast<UINT>(wParam);
            return 0;
        case WM_ERASEBKGND:
            Erase(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT:
            PaintDelimiters();
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return BoxColors(reinterpret_cast<HDC>(wParam));
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE)
                field_->EditChange(IndexOf(reinterpret_cast<HWND>(lParam)));
            return 0;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam));
            return 0;
        case WM_ENABLE:
            field_->SetEnabled(wParam != FALSE);
            return 0;
        case WM_SETFOCUS:
            // Focusing the field as a whole puts the caret in its first segment, as in a native
            // address field, rather than on no segment at all; also before its window shows.
            if (IsWindowEnabled(children_.front().box)) Focus(0, Caret::SelectAll);
            return 0;
        case WM_SETTEXT:
            settingText_ = true;
            {
                ScopeExit done([&] { settingText_ = false; });
                field_->SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
            }
            KeepSystemText();
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
    WindowBase::RegisterOwningClass<IPEditWindow>(kIPEditClass, IDC_IBEAM, nullptr);
}

std::string IPEditText(HWND field) {
    return TextOf(field, WM_GETTEXT);
}

std::string IPEditIPText(HWND field) {
    return TextOf(field, kIPEditGetIPText);
}

}  // namespace vt::win32
