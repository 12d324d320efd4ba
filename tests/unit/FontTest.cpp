// The glyph scan of the font picture, and the text metrics that follow from it.
#include "render/Font.h"

#include <gtest/gtest.h>

#include "PictureMaker.h"

namespace glint {
namespace {

// 94 glyphs in bands of 24, boxes 5 to 7 pixels wide and 16 tall, on a 256 x 128 picture.
Bytes standardFont(int glyphs = Font::kGlyphCount) {
    return test::makeFontPicture(256, 128, glyphs, 24, 5, 16);
}

TEST(FontScan, FindsNinetyFourGlyphsInCodeOrderBandByBand) {
    Font font;
    ASSERT_TRUE(font.buildGlyphs(standardFont()));
    EXPECT_EQ(font.glyphsFound(), 94);
    // '!' is the first glyph of the top band: its box starts after the mark, one pixel of
    // margin on either side.
    const Font::Glyph& first = font.glyph('!');
    EXPECT_FLOAT_EQ(first.sLeft, 3.0f / 256.0f);
    EXPECT_FLOAT_EQ(first.sRight, 8.0f / 256.0f);  // 4 wide: columns 4..7
    EXPECT_FLOAT_EQ(first.tTop, 126.0f / 128.0f);  // top row of ink, counted from the bottom
    EXPECT_FLOAT_EQ(first.tBottom, 111.0f / 128.0f);
    // The 25th glyph opens the second band, one band (16 rows + 2 empty) lower.
    const Font::Glyph& second = font.glyph('!' + 24);
    EXPECT_FLOAT_EQ(second.tTop, 108.0f / 128.0f);
    EXPECT_FLOAT_EQ(second.sLeft, 3.0f / 256.0f);
    EXPECT_GT(font.glyph('~').sLeft, 0.0f);
}

TEST(FontScan, TooFewOrTooManyGlyphsFail) {
    Font few;
    EXPECT_FALSE(few.buildGlyphs(standardFont(93)));
    EXPECT_EQ(few.glyphsFound(), 93);
    Font many;
    EXPECT_FALSE(many.buildGlyphs(standardFont(100)));
    EXPECT_EQ(many.glyphsFound(), 100);
    EXPECT_FALSE(many.built());
    EXPECT_FLOAT_EQ(many.textWidth("AB", 24.0f), 0.0f);  // a failed font measures nothing
}

TEST(FontScan, OnlyWholeThirtyTwoBitPicturesAreScanned) {
    Bytes picture = standardFont();
    Font font;
    EXPECT_FALSE(font.buildGlyphs(std::span(picture.data(), picture.size() - 1)));
    Bytes rgb = test::makeTga(16, 16, 24, [](int, int) { return test::Rgba{}; });
    EXPECT_FALSE(font.buildGlyphs(rgb));
    EXPECT_FALSE(font.buildGlyphs({}));
}

TEST(FontScan, ABandReachingTheLastColumnEndsCleanly) {
    // Ink right up to the picture's right edge: the scan must stop at the last column.
    Bytes picture = test::makeTga(12, 8, 32, [](int column, int row) {
        bool ink = row >= 2 && row <= 5 && (column == 0 || column >= 3);
        return test::Rgba{255, 255, 255, static_cast<std::uint8_t>(ink ? 255 : 0)};
    });
    Font font;
    EXPECT_FALSE(font.buildGlyphs(picture));
}

TEST(FontMetrics, WidthsAddUpWithAGapAfterEachGlyph) {
    Font font;
    ASSERT_TRUE(font.buildGlyphs(standardFont()));
    const float h = 24.0f;
    const float a = font.glyphWidth('A', h);
    const float b = font.glyphWidth('B', h);
    ASSERT_GT(a, 0.0f);
    EXPECT_FLOAT_EQ(font.spaceWidth(h), a);
    EXPECT_FLOAT_EQ(font.gap(h), 0.1f * a);
    EXPECT_FLOAT_EQ(font.textWidth("AB", h), a + b + 2 * font.gap(h));
    EXPECT_FLOAT_EQ(font.textWidth("A B", h), a + b + 2 * font.gap(h) + font.spaceWidth(h));
    EXPECT_FLOAT_EQ(font.textWidth(" ", h), font.spaceWidth(h));
    // Widths scale with the height.
    EXPECT_FLOAT_EQ(font.textWidth("AB", 2 * h), 2 * font.textWidth("AB", h));
}

TEST(FontMetrics, BytesWithoutAGlyphAddNothing) {
    Font font;
    ASSERT_TRUE(font.buildGlyphs(standardFont()));
    EXPECT_FLOAT_EQ(font.textWidth("A\x01\x7f\xe9\tA", 30.0f), font.textWidth("AA", 30.0f));
}

}  // namespace
}  // namespace glint
