// The help text box: word wrap with the font's widths, line ends, scrolling by its step, and the
// bound on how much text it takes.
#include "ui/TextBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PictureMaker.h"
#include "render/Font.h"

namespace glint {
namespace {

using Lines = std::vector<std::string>;

constexpr float kSize = 25.0f;

class TextBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            font.buildGlyphs(test::makeFontPicture(256, 128, Font::kGlyphCount, 24, 5, 16)));
    }
    // A box as the help panel has it: 14 lines shown, step 2, at the given wrap width.
    TextBox box(float wrapWidth) { return TextBox(&font, wrapWidth, kSize, 14, 2); }
    float width(const std::string& text) const { return font.textWidth(text, kSize); }

    Font font;
};

// "line0" to "line<count - 1>", with CR LF between them and none after the last.
std::string numberedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += "line" + std::to_string(i);
    }
    return text;
}

TEST_F(TextBoxTest, CarriageReturnLineFeedEndsBreakExactlyAtEachLineEnd) {
    TextBox text = box(10000.0f);
    text.setText("one two\r\nthree\r\n\r\nfour");
    EXPECT_EQ(text.lines(), (Lines{"one two ", "three ", " ", "four "}));
}

TEST_F(TextBoxTest, TextEndingInALineEndGetsOneMoreLineHoldingASpace) {
    TextBox text = box(10000.0f);
    text.setText("last\r\n");
    EXPECT_EQ(text.lines(), (Lines{"last ", " "}));
}

TEST_F(TextBoxTest, ABareLineFeedDoesNotBreakALine) {
    TextBox text = box(10000.0f);
    text.setText("ab\ncd ef");
    EXPECT_EQ(text.lines(), (Lines{"abcd ef "}));
}

TEST_F(TextBoxTest, AWordThatWouldReachTheWrapWidthStartsTheNextLine) {
    // The line "aaa bbb " and the word "ccc" together measure exactly this much.
    const float reach = width("aaa bbb ") + width("ccc");

    TextBox exact = box(reach);
    exact.setText("aaa bbb ccc");
    EXPECT_EQ(exact.lines(), (Lines{"aaa bbb ", "ccc "}));

    TextBox wider = box(reach + 0.5f);
    wider.setText("aaa bbb ccc");
    EXPECT_EQ(wider.lines(), (Lines{"aaa bbb ccc "}));
}

TEST_F(TextBoxTest, ParagraphsWrapIndependently) {
    const float wrap = width("aa bb ") + width("c");  // "aa bb " holds, "aa bb c" does not
    TextBox text = box(wrap);
    text.setText("aa bb cc\r\ndd");
    EXPECT_EQ(text.lines(), (Lines{"aa bb ", "cc ", "dd "}));
}

TEST_F(TextBoxTest, AWordWiderThanALineIsPrecededByAnEmptyLine) {
    TextBox text = box(width("xx"));
    text.setText("xxxxxxxx yyyyyyyy");
    EXPECT_EQ(text.lines(), (Lines{"", "xxxxxxxx ", "yyyyyyyy "}));
}

TEST_F(TextBoxTest, TwentyLinesScrollDownByTwoUntilTheLastFourteenShow) {
    TextBox text = box(10000.0f);
    text.setText(numberedLines(20));
    ASSERT_EQ(text.lines().size(), 20u);
    EXPECT_EQ(text.firstLine(), 0);
    EXPECT_EQ(text.visibleCount(), 14);

    const int expectedFirst[] = {2, 4, 6, 6};
    for (int first : expectedFirst) {
        text.scrollDown();
        EXPECT_EQ(text.firstLine(), first);
        EXPECT_EQ(text.visibleCount(), 14);
        EXPECT_EQ(text.lines()[static_cast<std::size_t>(first)],
                  "line" + std::to_string(first) + " ");
    }
    // Lines 6 to 19: the last shown line is the last line.
    EXPECT_EQ(text.firstLine() + text.visibleCount(), 20);

    text.scrollUp();
    EXPECT_EQ(text.firstLine(), 4);
    text.scrollUp();
    text.scrollUp();
    EXPECT_EQ(text.firstLine(), 0);
    text.scrollUp();
    EXPECT_EQ(text.firstLine(), 0);
}

TEST_F(TextBoxTest, TextShorterThanTheShownLinesDoesNotScroll) {
    TextBox text = box(10000.0f);
    text.setText(numberedLines(10));
    text.scrollDown();
    EXPECT_EQ(text.firstLine(), 0);
    EXPECT_EQ(text.visibleCount(), 10);
    text.scrollUp();
    EXPECT_EQ(text.firstLine(), 0);
}

TEST_F(TextBoxTest, AnUnsetBoxHasNothingToShowOrScroll) {
    TextBox text = box(500.0f);
    text.scrollDown();
    EXPECT_EQ(text.firstLine(), 0);
    EXPECT_EQ(text.visibleCount(), 0);
}

TEST_F(TextBoxTest, OnlyTheFirstSixtyFourKibibytesOfATextAreUsed) {
    // 16,383 lines "ab" + CR LF fill all but 4 bytes of 64 KiB; "ZZZZZZ" straddles the limit and
    // a line after it lies wholly beyond.
    std::string text;
    for (int i = 0; i < 16383; ++i) {
        text += "ab\r\n";
    }
    ASSERT_EQ(text.size(), TextBox::kMaxTextBytes - 4);
    text += "ZZZZZZ\r\nbeyond the limit\r\n";

    TextBox box = this->box(10000.0f);
    box.setText(text);
    ASSERT_EQ(box.lines().size(), 16384u);
    EXPECT_EQ(box.lines().front(), "ab ");
    EXPECT_EQ(box.lines()[16382], "ab ");
    EXPECT_EQ(box.lines().back(), "ZZZZ ");
}

}  // namespace
}  // namespace glint
