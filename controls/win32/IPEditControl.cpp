// The address field's window: frame, panel, segment boxes and labels, bound to the portable rules.
#include "controls/win32/IPEditControl.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "controls/SegmentedEdit.h"
#include "platform/win32/Handles.h"

namespace vt::win32 {

namespace {

using controls::Caret;
using controls::Color;

constexpr char kPanelClass[] = "TIPEditPanel";
constexpr char kFieldProperty[] = "VelmoraTarvello.IPEdit";
WNDPROC originalEditProc = nullptr;  // every EDIT of the process shares one class procedure

COLORREF ToColorRef(Color color) {
    return color & controls::kSystemColor ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

class IPEditWindow : public controls::SegmentBoxes {
  public:
    explicit IPEditWindow(HWND control) : control_(control) {
        const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(control, GWLP_HINSTANCE));
        panel_ = CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, control,
                                 nullptr, instance, nullptr);
        field_ = std::make_unique<controls::TIPEdit>(*this);
        field_->OnTextChange = [this](int child) { NotifyParent(child); };
        controls::SetUpAddressField(*field_);
    }

    controls::TIPEdit& Field() { return *field_; }
    HWND Control() const { return control_; }

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
                                   0, 0, 0, 0, panel_, nullptr, nullptr, nullptr);
        SetPropA(box, kFieldProperty, this);
        originalEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SegmentProc)));
        SendMessageA(box, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
        Add(box, 0);
    }
    void AddLabel(char delimiter, Color background) override {
        const char text[2] = {delimiter, '\0'};
        Add(CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0,
                            panel_, nullptr, nullptr, nullptr),
            background);
    }
    void RemoveLastChild() override {
        RemovePropA(children_.back(), kFieldProperty);
        DestroyWindow(children_.back());
        children_.pop_back();
        labelColors_.pop_back();
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
        InvalidateRect(panel_, nullptr, TRUE);
        for (HWND child : children_) InvalidateRect(child, nullptr, TRUE);
    }
    void SetFrame(Color color, int width) override {
        frameColor_ = color;
        RECT client{};
        GetClientRect(control_, &client);
        MoveWindow(panel_, width, width, client.right - 2 * width, client.bottom - 2 * width, TRUE);
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
        FillRect(dc, &area, BrushFor(window == panel_ ? segmentColor_ : frameColor_));
    }

  private:
    void Add(HWND child, Color labelColor) {
        SetWindowLongPtrA(child, GWLP_ID, static_cast<LONG_PTR>(children_.size()));
        if (font_) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        children_.push_back(child);
        labelColors_.push_back(labelColor);
    }
    void NotifyParent(int child) {
        SendMessageA(GetParent(control_), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(control_), kIPEditChanged),
                     reinterpret_cast<LPARAM>(children_.at(child)));
    }
    static LRESULT CALLBACK SegmentProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

    HWND control_;
    HWND panel_ = nullptr;
    HFONT font_ = nullptr;
    std::vector<HWND> children_;
    std::vector<Color> labelColors_;
    Color segmentColor_ = controls::kClWindow;
    Color frameColor_ = controls::kClWindow;
    std::map<Color, UniqueBrush> brushes_;
    std::unique_ptr<controls::TIPEdit> field_;  // last: its rules build the children above
};

IPEditWindow* FieldOf(HWND window) {
    return static_cast<IPEditWindow*>(GetPropA(window, kFieldProperty));
}

LRESULT CALLBACK IPEditWindow::SegmentProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    IPEditWindow* self = FieldOf(box);
    if (self) {
        const int child = self->IndexOf(box);
        if (message == WM_CHAR) {
            char key = static_cast<char>(wParam);
            self->Field().EditKeyPress(child, key);
            if (key == 0) return 0;
        } else if (message == WM_KEYDOWN) {
            self->Field().EditKeyDown(child, static_cast<uint16_t>(wParam));
        } else if (message == WM_NCDESTROY) {
            RemovePropA(box, kFieldProperty);
        }
    }
    return CallWindowProcA(originalEditProc, box, message, wParam, lParam);
}

// The panel passes what its boxes and labels say on to the field.
LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_ERASEBKGND:
            if (IPEditWindow* self = FieldOf(GetParent(panel))) {
                if (message == WM_ERASEBKGND) {
                    self->Erase(panel, reinterpret_cast<HDC>(wParam));
                    return 1;
                }
                if (message != WM_COMMAND)
                    return self->ChildColors(reinterpret_cast<HWND>(lParam),
                                             reinterpret_cast<HDC>(wParam));
                if (HIWORD(wParam) == EN_CHANGE)
                    self->Field().EditChange(self->IndexOf(reinterpret_cast<HWND>(lParam)));
                return 0;
            }
            break;
    }
    return DefWindowProcA(panel, message, wParam, lParam);
}

LRESULT CALLBACK FieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    IPEditWindow* self = FieldOf(control);
    switch (message) {
        case WM_CREATE:
            // The dialog manager tabs through the segments, never to the field itself.
            SetWindowLongA(control, GWL_EXSTYLE,
                           GetWindowLongA(control, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
            SetPropA(control, kFieldProperty, new IPEditWindow(control));
            return 0;
        case WM_NCDESTROY:
            RemovePropA(control, kFieldProperty);
            delete self;
            break;
        default:
            break;
    }
    if (!self) return DefWindowProcA(control, message, wParam, lParam);
    switch (message) {
        case WM_SIZE:
            self->Field().ArrangeSegments();
            return 0;
        case WM_ERASEBKGND:
            self->Erase(control, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_SETFONT:
            self->SetFont(reinterpret_cast<HFONT>(wParam));
            return 0;
        case WM_ENABLE:
            self->Field().SetEnabled(wParam != FALSE);
            return 0;
        case WM_SETFOCUS:
            // Focusing the field as a whole puts the caret in its first segment, as in a native
            // address field, rather than on no segment at all.
            if (self->CanFocus(0)) self->Focus(0, Caret::SelectAll);
            return 0;
        case WM_SETTEXT:
            self->Field().SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
            return TRUE;
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(self->Field().Text().size());
        case WM_GETTEXT:
        case kIPEditGetIPText: {
            const std::string text =
                message == WM_GETTEXT ? self->Field().Text() : self->Field().IPText();
            auto* buffer = reinterpret_cast<char*>(lParam);
            if (!buffer || wParam == 0) return 0;
            const size_t length = std::min<size_t>(text.size(), wParam - 1);
            text.copy(buffer, length);
            buffer[length] = '\0';
            return static_cast<LRESULT>(length);
        }
        default:
            return DefWindowProcA(control, message, wParam, lParam);
    }
}

std::string TextOf(HWND field, UINT message) {
    char buffer[64] = {};
    SendMessageA(field, message, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

}  // namespace

void RegisterIPEditClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, kIPEditClass, &windowClass)) return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32513));  // IDC_IBEAM
    windowClass.lpfnWndProc = PanelProc;
    windowClass.lpszClassName = kPanelClass;
    RegisterClassExA(&windowClass);
    windowClass.lpfnWndProc = FieldProc;
    windowClass.lpszClassName = kIPEditClass;
    RegisterClassExA(&windowClass);
}

std::string IPEditText(HWND field) {
    return TextOf(field, WM_GETTEXT);
}

std::string IPEditIPText(HWND field) {
    return TextOf(field, kIPEditGetIPText);
}

}  // namespace vt::win32
