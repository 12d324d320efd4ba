// The font picture yields exactly the 94 glyphs in code order under the game's scan, and the
// help text is plain text that the help box wraps into lines that fit.
#include <gtest/gtest.h>

#include <string>

#include "ContentFiles.h"
#include "render/Font.h"
#include "ui/TextBox.h"

namespace glint::content_test {
namespace {

Font builtFont() {
    Font font;
    auto bytes = archived("mui/font.tga");
    EXPECT_TRUE(bytes.has_value());
    if (bytes) {
        font.buildGlyphs(*bytes);
    }
    return font;
}

TEST(ContentFont, YieldsExactly94GlyphsUnderTheGamesScan) {
    Font font = builtFont();
    EXPECT_TRUE(font.built());
    EXPECT_EQ(font.glyphsFound(), Font::kGlyphCount);
}

TEST(ContentFont, AssignsTheGlyphsInCodeOrderFromTheTopBand) {
    Font font = builtFont();
    ASSERT_TRUE(font.built());
    // Read in the wrong order or upside down, narrow and wide characters would trade places.
    EXPECT_LT(font.glyphWidth('!', 25), font.glyphWidth('M', 25));
    EXPECT_LT(font.glyphWidth('.', 25), font.glyphWidth('W', 25));
    EXPECT_LT(font.glyphWidth('i', 25), font.glyphWidth('m', 25));
    EXPECT_LT(font.glyphWidth('l', 25), font.glyphWidth('w', 25));
    EXPECT_LT(font.glyphWidth('|', 25), font.glyphWidth('@', 25));
    EXPECT_GT(font.glyph('!').tTop, font.glyph('~').tTop) << "the first band is the top one";
    for (int c = Font::kFirstCharacter; c < Font::kFirstCharacter + Font::kGlyphCount - 1; ++c) {
        const Font::Glyph& a = font.glyph(c);
        const Font::Glyph& b = font.glyph(c + 1);
        const bool sameBand = a.tTop == b.tTop;
        EXPECT_TRUE(sameBand ? a.sRight < b.sLeft + 1e-6f : a.tTop > b.tTop)
            << "glyph " << static_cast<char>(c + 1) << " is not after " << static_cast<char>(c);
    }
}

TEST(ContentFont, IsWhiteInkOnANothingBackground) {
    auto img = tgaPicture("mui/font.tga");
    ASSERT_TRUE(img.has_value());
    ASSERT_EQ(img->components, 4) << "the font is a 32-bit picture";
    int ink = 0;
    for (int row = 0; row < img->height; ++row) {
        for (int x = 0; x < img->width; ++x) {
            Texel t = texel(*img, x, row);
            if (t.a != 0) {
                EXPECT_TRUE(t.r == 255 && t.g == 255 && t.b == 255)
                    << "the draw colour tints the glyphs, so they are white: (" << x << ", " << row
                    << ")";
                ink += t.a > 128;
            }
        }
        // The bottom rows and the last column stay clear for the scan.
        if (row < 2) {
            for (int x = 0; x < img->width; ++x) {
                ASSERT_EQ(texel(*img, x, row).a, 0) << "bottom row " << row;
            }
        }
        ASSERT_EQ(texel(*img, img->width - 1, row).a, 0) << "last column, row " << row;
    }
    EXPECT_GT(ink, 1000);
}

TEST(ContentHelp, IsPrintableTextWithCarriageReturnLineEnds) {
    auto bytes = archived("mui/help.txt");
    ASSERT_TRUE(bytes.has_value());
    ASSERT_FALSE(bytes->empty());
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        const std::uint8_t c = (*bytes)[i];
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') << "byte " << i;
        } else if (c == '\n') {
            ASSERT_TRUE(i > 0 && (*bytes)[i - 1] == '\r') << "a bare line feed at byte " << i;
        } else {
            ASSERT_TRUE(c >= 32 && c <= 126) << "byte " << i << " is " << static_cast<int>(c);
        }
    }
}

TEST(ContentHelp, WrapsIntoLinesThatFitTheBox) {
    Font font = builtFont();
    ASSERT_TRUE(font.built());
    auto bytes = archived("mui/help.txt");
    ASSERT_TRUE(bytes.has_value());
    const std::string text(bytes->begin(), bytes->end());
    TextBox box(&font, 500.0f, 25.0f, 14, 2);
    box.setText(text);
    ASSERT_GT(box.lines().size(), 14u) << "the help has something to scroll";
    EXPECT_LT(box.lines().size(), 60u) << "a help text to read, not a manual";
    for (const std::string& line : box.lines()) {
        EXPECT_LE(font.textWidth(line, 25.0f), 500.0f + font.spaceWidth(25.0f))
            << "too long: \"" << line << "\"";
    }
    // What a new player needs: the goal, the keys, digging, enemies and the way out.
    for (const char* topic :
         {"gold", "ladders", "top", "Arrows", "Space", "dig", "Enemies", "Escape"}) {
        EXPECT_NE(text.find(topic), std::string::npos) << "the help never mentions " << topic;
    }
}

}  // namespace
}  // namespace glint::content_test
