// The address field's rules on boxes in memory: typing, the caret between segments, the value check,
// the text both ways, segments, layout and colours.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/SegmentedEdit.h"
#include "tests/fakes/FakeSegmentBoxes.h"

namespace vt::controls {
namespace {

using V = std::vector<std::string>;

class IPEditTest : public ::testing::Test {
  protected:
    IPEditTest() {
        boxes.field = &field;
        SetUpAddressField(field);
        field.OnIPChange = [this](int child) { changes.push_back(boxes.SegmentText(child)); };
        boxes.Focus(0, Caret::SelectAll);
    }
    fakes::FakeSegmentBoxes boxes;
    TIPEdit field{boxes};
    V changes;
};

TEST_F(IPEditTest, StartsWithFourEmptySegments) {
    EXPECT_EQ(boxes.Segments(), (V{"", "", "", ""}));
    EXPECT_EQ(field.Text(), "...");
    EXPECT_EQ(field.IPText(), "");
}

TEST_F(IPEditTest, TwelveDigitsFillTheSegmentsByAutoAdvance) {
    boxes.TypeText("192168001001");
    EXPECT_EQ(field.Text(), "192.168.001.001");
    EXPECT_EQ(field.IPText(), "192.168.1.1");
    EXPECT_EQ(boxes.focused, 6);
}

TEST_F(IPEditTest, DelimiterMovesOnOnlyFromASegmentWithText) {
    boxes.Type('.');  // an empty segment: ignored, the focus stays
    EXPECT_EQ(boxes.focused, 0);
    boxes.TypeText("1.2");
    EXPECT_EQ(boxes.Segments(), (V{"1", "2", "", ""}));
    boxes.TypeText("..3");  // the second delimiter finds the third segment empty
    EXPECT_EQ(boxes.Segments(), (V{"1", "2", "3", ""}));
}

TEST_F(IPEditTest, EveryOtherCharacterIsDiscarded) {
    for (char c : {'a', '-', ' ', ',', '\x16', '\x03', '\x18', '\x1a'}) boxes.Type(c);  // ^V ^C ^X ^Z
    EXPECT_EQ(field.Text(), "...");
    EXPECT_TRUE(changes.empty());
}

TEST_F(IPEditTest, ValueAbove255BeepsShows255WithTheCaretAtTheStartAndDoesNotAdvance) {
    boxes.TypeText("300");
    EXPECT_EQ(boxes.beeps, 1);
    EXPECT_EQ(boxes.Segments(), (V{"255", "", "", ""}));
    EXPECT_EQ(boxes.focused, 0);
    EXPECT_EQ(boxes.children[0].selStart, 0);
    EXPECT_EQ(boxes.children[0].selEnd, 0);
    // The event comes first, then again for the corrected text.
    EXPECT_EQ(changes, (V{"3", "30", "300", "255"}));
}

TEST_F(IPEditTest, PastedTextMeetsTheValueRule) {
    for (const char* pasted : {"ab", "-1", "1x"}) {
        boxes.SetSegmentText(2, pasted);  // as the box's context menu would paste it
        EXPECT_EQ(boxes.SegmentText(2), "255") << pasted;
    }
    EXPECT_EQ(boxes.beeps, 3);
    boxes.SetSegmentText(2, "007");
    EXPECT_EQ(boxes.SegmentText(2), "007");
}

TEST_F(IPEditTest, SettingTextSplitsIntoSegments) {
    field.SetText("10.0.0.1.5");
    EXPECT_EQ(boxes.Segments(), (V{"10", "0", "0", "1"}));
    field.SetText("1000.2.3.4");
    EXPECT_EQ(boxes.Segments(), (V{"0", "2", "3", "4"}));
    field.SetText("10.1");
    EXPECT_EQ(boxes.Segments(), (V{"10", "1", "", ""}));
    changes.clear();
    field.SetText("1.2.3.4");
    for (const char* piece : {"1", "2", "3", "4"})  // at least once per piece
        EXPECT_NE(std::find(changes.begin(), changes.end(), piece), changes.end()) << piece;
}

TEST_F(IPEditTest, IPTextDropsLeadingZerosAndGivesNothingForAllZero) {
    for (const char* zero : {"", "...", "0.0.0.0", "00.0.000.0"}) {
        field.SetText(zero);
        EXPECT_EQ(field.IPText(), "") << zero;
    }
    field.SetText("192.168.001.010");
    EXPECT_EQ(field.IPText(), "192.168.1.10");
    field.SetText("10..0.");
    EXPECT_EQ(field.IPText(), "10.0.0.0");
}

TEST_F(IPEditTest, BackspaceAndArrowsCrossSegmentsButNotTheEnds) {
    boxes.TypeText("12.34");
    boxes.Press(kVkLeft), boxes.Press(kVkLeft);  // to the start of the second segment
    boxes.Press(kVkLeft);
    EXPECT_EQ(boxes.focused, 0);
    EXPECT_EQ(boxes.children[0].selStart, 2);  // at the end, nothing selected
    boxes.Press(kVkRight);
    EXPECT_EQ(boxes.focused, 2);
    EXPECT_EQ(boxes.children[2].selStart, 0);
    boxes.Type(kBackspace);  // at the start: back to the first segment, nothing deleted
    EXPECT_EQ(boxes.focused, 0);
    EXPECT_EQ(boxes.Segments(), (V{"12", "34", "", ""}));
    boxes.Focus(0, Caret::AtStart);
    boxes.Type(kBackspace), boxes.Press(kVkLeft), boxes.Press(kVkUp);
    EXPECT_EQ(boxes.focused, 0);
    boxes.Focus(6, Caret::AtEnd);
    boxes.Type('9');
    boxes.Type('.'), boxes.Press(kVkRight), boxes.Press(kVkDown);
    EXPECT_EQ(boxes.focused, 6);
}

TEST_F(IPEditTest, ClearingASegmentWithBackspaceFiresNothing) {
    boxes.TypeText("12");
    changes.clear();
    boxes.Type(kBackspace), boxes.Type(kBackspace);
    EXPECT_EQ(boxes.SegmentText(0), "");
    EXPECT_EQ(changes, V{"1"});
}

TEST_F(IPEditTest, AMountGrowsAndShrinksFromTheEnd) {
    field.SetText("1.2.3.4");
    field.SetAMount(2);
    EXPECT_EQ(boxes.Segments(), (V{"1", "2"}));
    field.SetAMount(3);
    EXPECT_EQ(boxes.Segments(), (V{"1", "2", "0"}));
    EXPECT_EQ(field.Text(), "1.2.0");
    field.SetAMount(0);  // refused
    EXPECT_EQ(field.AMount(), 3);
    field.SetAMount(1);
    EXPECT_EQ(boxes.ChildCount(), 1);
    EXPECT_EQ(field.Text(), "1");
}

TEST_F(IPEditTest, LayoutOfTheProgramsFields) {
    const int lefts[] = {5, 30, 40, 65, 75, 100, 110};
    for (int child = 0; child < 7; ++child) {
        EXPECT_EQ(boxes.children[child].left, lefts[child]) << child;
        EXPECT_EQ(boxes.children[child].width, child % 2 ? 10 : 25) << child;
        EXPECT_EQ(boxes.children[child].top, 2);
        EXPECT_EQ(boxes.children[child].height, 21);
    }
    EXPECT_EQ(boxes.frameColor, kClSilver);
    EXPECT_EQ(boxes.frameWidth, 1);
    field.SetShowBorderColor(false);
    EXPECT_EQ(boxes.frameColor, kClWindow);
    EXPECT_EQ(boxes.frameWidth, 0);
    boxes.width = 121;  // the container's own default: (121 - 30 - 15) / 4 = 19
    field.ArrangeSegments();
    EXPECT_EQ(boxes.children[2].left, 34);
}

TEST_F(IPEditTest, DisablingGreysTheSegmentsAndEnablingRestoresTheColour) {
    field.SetColor(0x00FFEEDD);
    field.SetEnabled(false);
    EXPECT_FALSE(boxes.enabled);
    EXPECT_EQ(boxes.children[0].color, kClBtnFace);
    EXPECT_EQ(boxes.children[1].color, kClWindow);  // labels keep the colour they were made with
    field.SetEnabled(false);
    field.SetEnabled(true);
    EXPECT_EQ(boxes.children[0].color, 0x00FFEEDDu);
    EXPECT_EQ(field.GetColor(), 0x00FFEEDDu);
}

}  // namespace
}  // namespace vt::controls
