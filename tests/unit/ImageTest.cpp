// Decoding pictures: TGA and JPEG files written by other tools, and hostile ones.
#include "render/Image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "PictureMaker.h"
#include "TestFiles.h"

namespace glint {
namespace {

using test::ScratchDirectory;

// Runs ImageMagick in the scratch directory; the test fails clearly when it is missing.
Bytes convert(const std::string& arguments, const std::string& output) {
    std::string command = "convert " + arguments + " " + output + " 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "ImageMagick could not make a test picture: " << command;
        return {};
    }
    return readWholeFile(output, 1 << 24).value_or(Bytes{});
}

const std::uint8_t* pixel(const Image& image, int column, int row) {
    return &image.pixels[(static_cast<std::size_t>(row) * image.width + column) *
                         static_cast<std::size_t>(image.components)];
}

class Decoding : public ::testing::Test {
protected:
    ScratchDirectory scratch;
};

TEST_F(Decoding, TgaPicturesFromImageMagickKeepTheirRowsInStoredOrder) {
    // One column, red above blue; whichever order the writer stores the rows in, row 0 of the
    // picture is the row stored first.
    Bytes file = convert("-size 1x2 xc:red -fill blue -draw 'point 0,1' -alpha off -compress none",
                         "rgb.tga");
    std::optional<Image> image = decodeTga(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 1);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->components, 3);
    const bool redStoredFirst = file[18 + 2] == 255;  // stored blue, green, red
    EXPECT_EQ(pixel(*image, 0, 0)[0], redStoredFirst ? 255 : 0);
    EXPECT_EQ(pixel(*image, 0, 0)[2], redStoredFirst ? 0 : 255);
    EXPECT_EQ(pixel(*image, 0, 1)[0], redStoredFirst ? 0 : 255);
}

TEST_F(Decoding, ThirtyTwoBitTgaPicturesKeepTheirAlpha) {
    Bytes file = convert("-size 3x2 xc:'rgba(255,128,0,0.5)' -compress none", "rgba.tga");
    std::optional<Image> image = decodeTga(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->components, 4);
    EXPECT_EQ(pixel(*image, 2, 1)[0], 255);
    EXPECT_EQ(pixel(*image, 2, 1)[1], 128);
    EXPECT_EQ(pixel(*image, 2, 1)[2], 0);
    EXPECT_NEAR(pixel(*image, 2, 1)[3], 128, 1);
}

TEST_F(Decoding, TgaPicturesOfOtherKindsAreRefused) {
    Bytes rle = convert("-size 8x8 xc:red -compress RLE", "rle.tga");
    ASSERT_GT(rle.size(), 18u);
    ASSERT_EQ(rle[2], 10);
    EXPECT_FALSE(decodeTga(rle));

    Bytes good = test::makeTga(2, 2, 24, [](int, int) { return test::Rgba{1, 2, 3}; });
    ASSERT_TRUE(decodeTga(good));
    for (int byte : {0, 1, 8, 9, 10, 11}) {  // identification field, colour map, origin
        Bytes changed = good;
        changed[static_cast<std::size_t>(byte)] = 1;
        EXPECT_FALSE(decodeTga(changed)) << "header byte " << byte;
    }
    Bytes sixteenBits = good;
    sixteenBits[16] = 16;
    EXPECT_FALSE(decodeTga(sixteenBits));
    Bytes noWidth = good;
    noWidth[12] = 0;
    EXPECT_FALSE(decodeTga(noWidth));
}

TEST_F(Decoding, ShortAndOversizedTgaPicturesAreRefused) {
    Bytes good = test::makeTga(5, 3, 32, [](int c, int r) {
        return test::Rgba{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r), 0, 9};
    });
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        EXPECT_FALSE(decodeTga(std::span(good.data(), cut))) << "cut to " << cut;
    }
    EXPECT_TRUE(decodeTga(good));
    Bytes huge = good;
    huge[12] = huge[13] = huge[14] = huge[15] = 0xff;  // 65535 x 65535
    std::string why;
    EXPECT_FALSE(decodeTga(huge, &why));
    EXPECT_NE(why.find("fewer pixels"), std::string::npos);
}

TEST_F(Decoding, JpegPicturesAreStoredBottomRowFirst) {
    Bytes file = convert("-size 16x16 xc:red -fill blue -draw 'rectangle 0,8 15,15' -quality 95",
                         "colour.jpg");
    std::optional<Image> image = decodeJpeg(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 16);
    EXPECT_EQ(image->components, 3);
    // Row 0 is the bottom: blue there, red at the top.
    EXPECT_GT(pixel(*image, 8, 1)[2], 200);
    EXPECT_LT(pixel(*image, 8, 1)[0], 60);
    EXPECT_GT(pixel(*image, 8, 14)[0], 200);
    EXPECT_LT(pixel(*image, 8, 14)[2], 60);
}

TEST_F(Decoding, GreyJpegPicturesHaveOneComponentAndCmykIsRefused) {
    std::optional<Image> grey =
        decodeJpeg(convert("-size 6x4 xc:gray50 -colorspace Gray", "g.jpg"));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->components, 1);
    EXPECT_EQ(grey->pixels.size(), 24u);
    EXPECT_FALSE(decodeJpeg(convert("-size 6x4 xc:red -colorspace CMYK", "cmyk.jpg")));
}

TEST_F(Decoding, TruncatedAndDamagedJpegPicturesNeverHang) {
    Bytes file = convert("-size 64x64 plasma:red-blue -quality 90", "plasma.jpg");
    ASSERT_TRUE(decodeJpeg(file));
    // A cut picture either decodes what is there (padded by an end marker) or is refused.
    for (std::size_t cut = 0; cut < file.size(); cut += 37) {
        std::optional<Image> image = decodeJpeg(std::span(file.data(), cut));
        if (image) {
            EXPECT_EQ(image->pixels.size(), 64u * 64u * 3u);
        }
    }
    std::mt19937 rng(5);
    for (int round = 0; round < 200; ++round) {
        Bytes damaged = file;
        for (int i = 0; i < 8; ++i) {
            damaged[rng() % damaged.size()] = static_cast<std::uint8_t>(rng());
        }
        std::optional<Image> image = decodeJpeg(damaged);
        if (image) {
            EXPECT_EQ(image->pixels.size(),
                      static_cast<std::size_t>(image->width) * image->height * image->components);
        }
    }
}

TEST_F(Decoding, AJpegClaimingAHugeSizeIsRefused) {
    Bytes file = convert("-size 8x8 xc:red", "small.jpg");
    // Find the frame header (0xFFC0) and claim 60000 x 60000 pixels.
    for (std::size_t i = 0; i + 8 < file.size(); ++i) {
        if (file[i] == 0xff && file[i + 1] == 0xc0) {
            file[i + 5] = file[i + 7] = 0xea;
            file[i + 6] = file[i + 8] = 0x60;
            break;
        }
    }
    std::string why;
    EXPECT_FALSE(decodeJpeg(file, &why));
    EXPECT_FALSE(why.empty());
}

// Each pixel of a cell copy samples the sheet at its own centre's place in the frame, with the
// frames and bands kept in place (row 0 at the bottom, as in the sheet).
TEST(CellCopies, EachPixelSamplesTheSheetWhereDrawingItAtCellSizeWould) {
    // Two frames of 4 x 4 texels side by side, two bands: texel (x, y) is 10 x + 20 y in red,
    // so that linear sampling at (u, v) gives exactly 10 u + 20 v.
    Image sheet{8, 8, 4, {}};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            sheet.pixels.insert(sheet.pixels.end(),
                                {static_cast<std::uint8_t>(10 * x + 20 * y), 0, 0, 200});
        }
    }
    const std::optional<Image> copy = resampleCells(sheet, 2, 2, 3);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->width, 8);  // 2 cells of 3, to a power of two
    EXPECT_EQ(copy->height, 8);
    auto red = [&](int x, int y) { return copy->pixels[static_cast<std::size_t>(y * 8 + x) * 4]; };
    // Frame 1, band 1, middle pixel: u = v = (1 + 1.5 / 3) / 2 * 8 - 0.5 = 5.5.
    EXPECT_EQ(red(4, 4), 55 + 110);
    // Frame 0, band 0, first pixel: u = v = (0.5 / 3) / 2 * 8 - 0.5 = 1 / 6.
    EXPECT_EQ(red(0, 0), 5);
    // Frame 1, band 0, last pixel of its first row: u = 6.83, v = 1 / 6.
    EXPECT_EQ(red(5, 0), 72);
    EXPECT_EQ(copy->pixels[3], 200);
    // Frames enlarged so far that their outer pixels sample past the sheet's edge: no copy.
    EXPECT_FALSE(resampleCells(sheet, 2, 2, 9));
    EXPECT_FALSE(resampleCells(Image{8, 8, 3, std::vector<std::uint8_t>(192)}, 2, 2, 3));
}

}  // namespace
}  // namespace glint
