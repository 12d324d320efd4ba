// The intro picture's view, without a window: what it reads and that it seeds the generator.
#include "ui/IntroView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "TestFiles.h"
#include "app/App.h"
#include "app/MainWindow.h"

namespace glint {
namespace {

class IntroViewTest : public ::testing::Test {
protected:
    IntroViewTest() { app = std::make_unique<App>("none.pk"); }

    test::ScratchDirectory scratch;
    std::unique_ptr<App> app;
    MainWindow window{nullptr};
};

TEST_F(IntroViewTest, ReadsTheIntroPictureFromTheDataFiles) {
    // A 16 x 8 picture made by ImageMagick, read as a loose file.
    ASSERT_EQ(std::system("convert -size 16x8 xc:navy mui_intro.jpg 2>/dev/null"), 0)
        << "ImageMagick could not make the test picture";
    test::writeFile("mui/intro.jpg", test::readFile("mui_intro.jpg"));
    IntroView intro(window, *app);
    EXPECT_EQ(intro.picture().width, 16);
    EXPECT_EQ(intro.picture().height, 8);
    EXPECT_EQ(intro.picture().components, 3);
    EXPECT_TRUE(intro.widgets().empty());
}

TEST_F(IntroViewTest, AMissingPictureLeavesAnEmptyTexture) {
    IntroView intro(window, *app);
    EXPECT_EQ(intro.picture().width, 0);
    EXPECT_EQ(intro.picture().height, 0);
}

TEST_F(IntroViewTest, SeedsTheGeneratorAfresh) {
    std::srand(1);
    const int afterSeedOne = std::rand();
    std::srand(1);
    IntroView intro(window, *app);
    // The clock's milliseconds since the machine started are not 1.
    EXPECT_NE(std::rand(), afterSeedOne);
}

}  // namespace
}  // namespace glint
