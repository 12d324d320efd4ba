// Opening the built pack and reading its entries for the content checks.
#include "ContentFiles.h"

#include <memory>

namespace glint::content_test {

const DataPack& pack() {
    static const std::unique_ptr<DataPack> opened = [] {
        auto p = std::make_unique<DataPack>();
        p->open(kDataDir + "/data.pk");
        return p;
    }();
    return *opened;
}

std::optional<Bytes> archived(const std::string& name) {
    if (!pack().find(name)) {
        return std::nullopt;
    }
    return pack().readEntry(name).data;
}

ParamTable table(const std::string& name) {
    ParamTable t;
    if (auto bytes = archived(name)) {
        t.loadFromBuffer(*bytes, true);
    }
    return t;
}

int skinCount() {
    return ParamTable::toInt(table("dat/param.txt").get("m_skins_count", "0"));
}

std::optional<Image> tgaPicture(const std::string& name) {
    auto bytes = archived(name);
    return bytes ? decodeTga(*bytes) : std::nullopt;
}

std::optional<Image> jpegPicture(const std::string& name) {
    auto bytes = archived(name);
    return bytes ? decodeJpeg(*bytes) : std::nullopt;
}

Texel texel(const Image& img, int x, int row) {
    const std::size_t i = (static_cast<std::size_t>(row) * static_cast<std::size_t>(img.width) +
                           static_cast<std::size_t>(x)) *
                          static_cast<std::size_t>(img.components);
    const auto& p = img.pixels;
    if (img.components >= 3) {
        return {p[i], p[i + 1], p[i + 2], img.components == 4 ? p[i + 3] : std::uint8_t{255}};
    }
    return {p[i], p[i], p[i], 255};
}

SheetInfo sheetInfo(const std::string& sprName) {
    ParamTable t = table(sprName);
    return {t.get("file_name", "0"), ParamTable::toInt(t.get("groups", "0")),
            ParamTable::toInt(t.get("frames", "0"))};
}

const std::vector<std::string>& menuPictureKeys() {
    static const std::vector<std::string> keys = {"m_glint1_game_btn",
                                                  "m_glint2_game_btn",
                                                  "m_continue_single_game_btn",
                                                  "m_quit_game_btn",
                                                  "m_ok_btn",
                                                  "m_cancel_btn",
                                                  "m_radio_btn",
                                                  "m_enter_name_editbox",
                                                  "m_enter_level_num_editbox",
                                                  "m_help_btn",
                                                  "m_close_btn",
                                                  "m_top7_btn",
                                                  "m_top7_btn2",
                                                  "m_options_btn",
                                                  "m_play_custom_btn",
                                                  "m_mini_btn",
                                                  "m_fullscreen_btn"};
    return keys;
}

}  // namespace glint::content_test
