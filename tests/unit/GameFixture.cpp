// Harness of the simulation tests: a headless game on a crafted level, ticked with scripted keys.
#include "GameFixture.h"

#include <cstdlib>
#include <stdexcept>

#include "PictureMaker.h"

namespace glint::test {

namespace {

// A sheet of groups x frames cells of 8 x 8 pixels.
void writeSheet(const std::string& base, int groups, int frames) {
    writeFile(base + ".tga", makeTga(8 * frames, 8 * groups, 32, [](int, int) {
                  return Rgba{200, 0, 200, 255};
              }));
    writeFile(base + ".spr", "file_name " + base + ".tga groups " + std::to_string(groups) +
                                 " frames " + std::to_string(frames));
}

}  // namespace

void GameContent::write() {
    writeFile("dat/param.txt", "m_skins_count 1");
    writeSheet("dat/s1/g_1", 1, kBrickFrames);
    writeSheet("dat/s1/g_2", 1, 1);
    writeSheet("dat/s1/g_3", 1, 1);
    writeSheet("dat/s1/g_4", 1, 1);
    writeSheet("dat/s1/g_7", kGoldGroups, 1);
    writeSheet("dat/s1/light", 2, 4);
    writeSheet("dat/p_1", 8, 8);
    writeFile("dat/glint.txt", "m_lives_per_score " + std::to_string(kLivesPerScore) + "\n" +
                                   "m_time_exploded " + std::to_string(kTimeExploded) + "\n" +
                                   "m_player_dead_time " + std::to_string(kPlayerDeadTime) + "\n" +
                                   "m_time_in_hole " + std::to_string(kTimeInHole) + "\n" +
                                   "m_time_keep_gold_min " + std::to_string(kTimeKeepGoldMin) +
                                   "\n" + "m_time_keep_gold_max " +
                                   std::to_string(kTimeKeepGoldMax) + "\n" + "m_prob_take_gold " +
                                   std::to_string(kProbTakeGold) + "\n" + "m_light_dist " +
                                   std::to_string(kLightDist) + "\n");
}

std::string levelText(const std::vector<std::string>& rows) {
    constexpr std::size_t kRows = 22;
    constexpr std::size_t kColumns = 32;
    EXPECT_LE(rows.size(), kRows) << "a level has 22 rows";
    std::string text;
    for (std::size_t r = 0; r < kRows; ++r) {
        const std::size_t first = kRows - rows.size();
        std::string line = r >= first ? rows[r - first] : std::string();
        EXPECT_LE(line.size(), kColumns) << "row " << r << " is longer than 32 cells";
        line.resize(kColumns, '.');
        text += line + '\n';
    }
    return text;
}

void writeLevel(int set, int level, const std::vector<std::string>& rows) {
    writeFile(LevelGrid::levelPath(set, level), levelText(rows));
}

GameFixture::GameFixture() {
    GameContent::write();
    app = std::make_unique<App>("data/data.pk");
    app->catalogue->load();
    keys_ = std::make_unique<tool::ScriptedKeys>(script_, app->settings);
    app->keyboard.attach(*keys_);
}

GameFixture::~GameFixture() {
    flow_.reset();
    app->keyboard.detach();
}

void GameFixture::start(const std::vector<std::string>& rows, bool enemies) {
    startWithFile(levelText(rows), enemies);
}

void GameFixture::startWithFile(const std::string& bytes, bool enemies) {
    levelFile = bytesOf(bytes);
    flow_.reset();
    GameFlow::Options options;
    options.seed = kSeed;
    options.levelFile = &levelFile;
    options.enemies = enemies;
    flow_ = std::make_unique<GameFlow>(*app, options);
}

void GameFixture::startSet() {
    flow_.reset();
    GameFlow::Options options;
    options.seed = kSeed;
    flow_ = std::make_unique<GameFlow>(*app, options);
}

void GameFixture::run(int ticks, std::string_view keys) {
    std::string error;
    ASSERT_TRUE(script_.parse(std::to_string(ticks) + " " + std::string(keys), error)) << error;
    for (int t = 0; t < ticks; ++t) {
        keys_->setTick(t);
        flow_->tick(30);
    }
}

void GameFixture::hold(std::string_view keys) {
    std::string error;
    ASSERT_TRUE(script_.parse("1000000 " + std::string(keys), error)) << error;
    keys_->setTick(0);
}

int GameFixture::runUntil(const std::function<bool()>& done, int limit, std::string_view keys) {
    for (int t = 1; t <= limit; ++t) {
        run(1, keys);
        if (done()) {
            return t;
        }
    }
    return -1;
}

void GameFixture::skipReveal() {
    ASSERT_EQ(flow_->state(), GameFlow::State::Reveal);
    run(kRevealTicks - 1);
    ASSERT_EQ(flow_->state(), GameFlow::State::Reveal) << "the reveal ended early";
    run(1);
    ASSERT_EQ(flow_->state(), GameFlow::State::Playing) << "the reveal lasts 141 ticks";
}

BrickTile& GameFixture::brick(int column, int row) {
    auto* found = dynamic_cast<BrickTile*>(grid().tileAt(column, row));
    if (found == nullptr) {
        throw std::logic_error("no brick at (" + std::to_string(column) + ", " +
                               std::to_string(row) + ")");
    }
    return *found;
}

TileKind GameFixture::kindAt(int column, int row) {
    const Tile* tile = grid().tileAt(column, row);
    EXPECT_NE(tile, nullptr) << "(" << column << ", " << row << ") is empty";
    return tile != nullptr ? tile->kind : TileKind{0};
}

}  // namespace glint::test
