// The segmented address field's rules: segments and delimiters, its text, caret movement between
// segments, the 0..255 check, layout and colours, written against the boxes it is made of.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vt::controls {

// Colours: an RGB value, or a system colour (kSystemColor + the system's colour index).
using Color = uint32_t;
inline constexpr Color kSystemColor = 0x80000000;
inline constexpr Color kClWindow = kSystemColor | 5;
inline constexpr Color kClBtnFace = kSystemColor | 15;
inline constexpr Color kClSilver = 0xC0C0C0;
inline constexpr Color kClBlack = 0;

// The keys the rules look at: typed characters and virtual key codes.
inline constexpr char kBackspace = '\b';
inline constexpr uint16_t kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28;

enum class Caret { SelectAll, AtStart, AtEnd };

// What the rules ask of the boxes and labels the field is made of. Children are numbered in list
// order: segment boxes at even numbers, the delimiter label after segment k at 2k + 1.
class SegmentBoxes {
  public:
    virtual ~SegmentBoxes() = default;

    virtual int ChildCount() const = 0;
    // A box with that text and the field's maximum length and colour.
    virtual void AddSegment(const std::string& text, int maxLength, Color color) = 0;
    // A label showing the delimiter on that background colour, which it keeps.
    virtual void AddLabel(char delimiter, Color background) = 0;
    virtual void RemoveLastChild() = 0;

    virtual std::string SegmentText(int child) const = 0;
    // Replaces a box's text; the box then reports its change, as a real box does, and its caret
    // goes to the start.
    virtual void SetSegmentText(int child, const std::string& text) = 0;
    virtual void SetLabelText(int child, char delimiter) = 0;
    virtual void SetMaxLength(int child, int maxLength) = 0;
    // The panel behind the segments and every box take the colour; labels keep theirs.
    virtual void SetSegmentColor(Color color) = 0;
    virtual void SetFrame(Color color, int width) = 0;

    // The selection, as character positions; start == end is a caret without selection.
    virtual void Selection(int child, int& start, int& end) const = 0;
    virtual bool CanFocus(int child) const = 0;
    virtual void Focus(int child, Caret caret) = 0;

    virtual int Width() const = 0;
    // Places a child inside the panel that is inside the frame.
    virtual void SetChildBounds(int child, int left, int top, int width, int height) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Beep() = 0;
};

class TCustomEditEx {
  public:
    // Starts with four segments, each holding the default text.
    explicit TCustomEditEx(SegmentBoxes& boxes);
    virtual ~TCustomEditEx() = default;
    TCustomEditEx(const TCustomEditEx&) = delete;
    TCustomEditEx& operator=(const TCustomEditEx&) = delete;

    int AMount() const { return (boxes_.ChildCount() + 1) / 2; }
    // Grows or shrinks from the end; below 1 is refused and the old number stays.
    void SetAMount(int amount);

    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char delimiter);
    const std::string& DefaultEditText() const { return defaultEditText_; }
    void SetDefaultEditText(const std::string& text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    Color GetColor() const { return color_; }
    void SetColor(Color color);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    void SetBorderColor(Color color);
    void SetShowBorderColor(bool show);

    std::string Text() const;
    void SetText(std::string_view value);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    void ArrangeSegments();

    // The segment boxes' events. A key press sets `key` to 0 to discard the character.
    virtual void EditKeyPress(int child, char& key);
    void EditKeyDown(int child, uint16_t key);
    void EditChange(int child);

  protected:
    bool IsSegment(int child) const { return child % 2 == 0; }
    bool HasSegment(int child) const { return child >= 0 && child < boxes_.ChildCount(); }
    bool CaretAtStart(int child) const;
    bool CaretAtEnd(int child) const;

    SegmentBoxes& boxes_;
    std::function<void(int child)> onEditChanged_;

  private:
    char delimiter_ = '.';
    std::string defaultEditText_ = "0";
    int maxLength_ = 3;
    Color color_ = kClWindow;
    Color enabledColor_ = kClWindow;
    int borderWidth_ = 0;
    Color borderColor_ = kClBlack;
    bool showBorderColor_ = false;
    bool enabled_ = true;
};

class TIPEdit : public TCustomEditEx {
  public:
    explicit TIPEdit(SegmentBoxes& boxes);

    // The address with leading zeros dropped; empty for an empty or all-zero address.
    std::string IPText() const;

    // Fired with the segment that changed when its text is not empty.
    std::function<void(int child)> OnIPChange;
    // Fired with the segment that changed, whatever its text, an emptied one too: what a form
    // that tracks edits listens to.
    std::function<void(int child)> OnTextChange;

    // Digits reach the box; everything else goes through the container's rules.
    void EditKeyPress(int child, char& key) override;

  private:
    void CheckSegment(int child);
};

// The set-up every address field of the program gets (145 x 21 pixels, four empty segments on a
// silver frame).
void SetUpAddressField(TIPEdit& field);

}  // namespace vt::controls
