// The pack holds every file the game reads (the level files excepted: they come separately).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ContentFiles.h"

namespace glint::content_test {
namespace {

TEST(ContentPack, HoldsTheTablesTheFontTheFixedPicturesAndTheHelpText) {
    const std::vector<std::string> fixed = {"dat/param.txt",
                                            "dat/glint.txt",
                                            "mui/menu.txt",
                                            "mui/help.txt",
                                            "mui/font.tga",
                                            "mui/quillfen.tga",
                                            "mui/key_reader.tga",
                                            "mui/up_btn.tga",
                                            "mui/down_btn.tga",
                                            "mui/skin_up_btn.tga",
                                            "mui/skin_down_btn.tga",
                                            "mui/checkbox.tga",
                                            "mui/dialog_wnd.jpg",
                                            "mui/exit_dialog_wnd.jpg",
                                            "mui/main_wnd.jpg",
                                            "mui/intro.jpg",
                                            "dat/p_1.spr"};
    for (const std::string& name : fixed) {
        auto bytes = archived(name);
        ASSERT_TRUE(bytes.has_value()) << name << " is not in the pack";
        EXPECT_FALSE(bytes->empty()) << name << " is empty";
    }
}

TEST(ContentPack, HoldsThePictureOfEveryMenuKey) {
    ParamTable menu = table("mui/menu.txt");
    for (const std::string& key : menuPictureKeys()) {
        const std::string path = menu.get(key, "");
        ASSERT_FALSE(path.empty()) << "mui/menu.txt has no " << key;
        EXPECT_TRUE(path.ends_with(".tga")) << key << " names " << path << ", which is not a TGA";
        EXPECT_TRUE(archived(path).has_value()) << key << " names " << path << ", not in the pack";
    }
}

TEST(ContentPack, HoldsEverySheetOfEverySkinAndOfTheFigure) {
    const int skins = skinCount();
    ASSERT_GE(skins, 1) << "dat/param.txt announces no skin";
    std::vector<std::string> sprites = {"dat/p_1.spr"};
    for (int n = 1; n <= skins; ++n) {
        for (const char* sheet : {"g_1", "g_2", "g_3", "g_4", "g_7", "light"}) {
            sprites.push_back("dat/s" + std::to_string(n) + "/" + sheet + ".spr");
        }
    }
    for (const std::string& spr : sprites) {
        ASSERT_TRUE(archived(spr).has_value()) << spr << " is not in the pack";
        SheetInfo info = sheetInfo(spr);
        EXPECT_TRUE(info.picture.ends_with(".tga")) << spr << " names " << info.picture;
        EXPECT_TRUE(archived(info.picture).has_value())
            << spr << " names " << info.picture << ", not in the pack";
        EXPECT_GE(info.groups, 1) << spr;
        EXPECT_GE(info.frames, 1) << spr;
    }
}

TEST(ContentPack, KeepsTheSoundsBesideItAsLooseFiles) {
    for (int n = 1; n <= 5; ++n) {
        const std::string name = "s" + std::to_string(n) + ".wav";
        EXPECT_FALSE(pack().find("data/" + name).has_value()) << name << " belongs beside the pack";
        EXPECT_TRUE(readWholeFile(kDataDir + "/" + name, 1u << 20).has_value()) << name;
    }
}

}  // namespace
}  // namespace glint::content_test
