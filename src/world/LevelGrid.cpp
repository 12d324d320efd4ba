// The level: a grid of 34 x 23 cells with their tiles and lights, built from a level file,
// answering the figures' questions about cells, and holding the gold count and the exit.
#include "world/LevelGrid.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/App.h"
#include "world/BrickTile.h"
#include "world/Random.h"

namespace glint {

namespace {

constexpr std::array<std::uint8_t, 2> kCrLf = {'\r', '\n'};

// What every cell outside the grid holds.
SolidTile& outside() {
    static SolidTile tile;
    return tile;
}

// The player's sound effects played by the grid.
constexpr int kSoundDig = 0;
constexpr int kSoundLastGold = 3;
constexpr int kSoundExit = 4;

// Rounds half up for non-negative values; negative values are not rounded up.
int roundCoordinate(double v) {
    const int tenths = static_cast<int>(v * 10.0);
    int whole = static_cast<int>(v);
    if (tenths % 10 >= 5) {
        ++whole;
    }
    return whole;
}

}  // namespace

LevelGrid::LevelGrid(App& app, Random& random) : app_(app), random_(random) {}

LevelGrid::~LevelGrid() = default;

std::string LevelGrid::levelPath(int levelSet, int level) {
    char path[64];
    std::snprintf(path, sizeof path, "dat/levels%i/%02i.txt", levelSet, level);
    return path;
}

Cell LevelGrid::fallbackStart() const {
    auto isEnemyStart = [this](int c, int r) {
        const Vec3 centre = cellCentre(c, r);
        return std::any_of(enemyStarts.begin(), enemyStarts.end(),
                           [&](const Vec3& e) { return e.x == centre.x && e.y == centre.y; });
    };
    // The lowest free cell with firm ground under it, from the left: where a level's player
    // usually stands. Failing that, any free cell; failing that, the top-left cell.
    for (int r = kHeight - 2; r >= 0; --r) {
        for (int c = 1; c < kWidth - 1; ++c) {
            if (tileAt(c, r) == nullptr && blocks(tileAt(c, r + 1)) && !isEnemyStart(c, r)) {
                return Cell{c, r};
            }
        }
    }
    for (int r = 0; r < kHeight - 1; ++r) {
        for (int c = 1; c < kWidth - 1; ++c) {
            if (tileAt(c, r) == nullptr && !isEnemyStart(c, r)) {
                return Cell{c, r};
            }
        }
    }
    return Cell{1, 0};
}

void LevelGrid::clear() {
    for (auto& tile : tiles_) {
        tile.reset();
    }
    for (auto& light : lights_) {
        light.reset();
    }
    enemyStarts.clear();
    playerStart = Vec3{};
}

bool LevelGrid::buildLevel(int levelSet, int level) {
    const std::string path = levelPath(levelSet, level);
    std::optional<PackData> file = app_.pack.tryReadEntry(path);
    if (!file) {
        std::fprintf(stderr, "glint: the level file %s is missing\n", path.c_str());
        buildFromBytes({});
        return false;
    }
    buildFromBytes(file->data, path);
    return true;
}

void LevelGrid::buildFromBytes(std::span<const std::uint8_t> bytes, std::string_view source) {
    clear();
    // A file saved with CR LF line ends (an editor on another system) reads as its LF twin;
    // read as it stands, each line would shift the next one by a column.
    std::vector<std::uint8_t> unixLines;
    if (std::search(bytes.begin(), bytes.end(), kCrLf.begin(), kCrLf.end()) != bytes.end()) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
                unixLines.push_back(bytes[i]);
            }
        }
        bytes = unixLines;
    }
    bool started = false;
    for (int r = 0; r < kHeight; ++r) {
        for (int c = 0; c < kWidth; ++c) {
            const Vec3 centre = cellCentre(c, r);
            if (c == 0 || c == kWidth - 1 || r == kHeight - 1) {
                tiles_[index(c, r)] = makeTile(TileKind::Solid, app_, centre, random_);
                continue;
            }
            const std::size_t at = static_cast<std::size_t>(33 * r + (c - 1));
            const char ch = at < bytes.size() ? static_cast<char>(bytes[at]) : ' ';
            if (int kind = tileKindOfCharacter(ch); kind != 0) {
                tiles_[index(c, r)] = makeTile(static_cast<TileKind>(kind), app_, centre, random_);
            } else if (ch == '!') {
                playerStart = centre;
                started = true;
            } else if (ch == '$') {
                enemyStarts.push_back(centre);
            }
        }
    }
    goldCount = countGold();
    if (!started) {
        const Cell cell = fallbackStart();
        playerStart = cellCentre(cell.column, cell.row);
        std::fprintf(stderr,
                     "glint: %.*s has no player start ('!'): the player starts in column %d, "
                     "row %d\n",
                     static_cast<int>(source.size()), source.data(), cell.column, cell.row);
    }

    const int spacing = app_.settings.m_light_dist;
    int countdown = random_.next() % spacing;
    for (int r = 0; r < kHeight - 1; ++r) {
        for (int c = 0; c < kWidth; ++c) {
            if (countdown > 0) {
                --countdown;
                continue;
            }
            const Tile* below = tileAt(c, r + 1);
            if (tileAt(c, r) == nullptr &&
                (isKind(below, TileKind::Brick) || isKind(below, TileKind::Solid))) {
                lights_[index(c, r)] = makeLight(cellCentre(c, r), random_);
                countdown = spacing;
            }
        }
    }
}

std::unique_ptr<Sprite> LevelGrid::makeLight(const Vec3& centre, Random& random) const {
    auto light = std::make_unique<Sprite>(app_.catalogue->skinSprite(kSkinLight));
    light->setGroup(random.next() % light->groups);
    light->blended = true;
    light->setFrame(random.next() % light->frames);
    light->setSize(25.0f, 25.0f);
    light->position = Vec3{centre.x, centre.y, -5.0f};
    light->flipV = true;
    light->setFrameTime(static_cast<std::uint32_t>(50 + random.next() % 150));
    return light;
}

Cell LevelGrid::worldToCell(const Vec3& p) const {
    const double column = static_cast<double>((p.x - cellSize / 2) / cellSize) + 1.0;
    const double row = static_cast<double>((p.y - cellSize / 2) / cellSize);
    return Cell{roundCoordinate(column), roundCoordinate(row)};
}

Vec3 LevelGrid::cellCentre(int column, int row) const {
    return Vec3{static_cast<float>(column - 1) * cellSize + cellSize / 2,
                static_cast<float>(row) * cellSize + cellSize / 2, 0.0f};
}

bool LevelGrid::isNearCellCentre(const Vec3& position, float tolerance) const {
    const Cell cell = worldToCell(position);
    return (position - cellCentre(cell.column, cell.row)).squaredLength() < tolerance * tolerance;
}

Tile* LevelGrid::tileAt(int column, int row) const {
    if (!inBounds(Cell{column, row})) {
        return &outside();
    }
    return tiles_[index(column, row)].get();
}

void LevelGrid::putTile(int column, int row, std::unique_ptr<Tile> tile) {
    if (inBounds(Cell{column, row})) {
        tiles_[index(column, row)] = std::move(tile);
    }
}

std::unique_ptr<Tile> LevelGrid::removeTile(int column, int row) {
    if (!inBounds(Cell{column, row})) {
        return nullptr;
    }
    return std::move(tiles_[index(column, row)]);
}

const Sprite* LevelGrid::lightAt(int column, int row) const {
    if (!inBounds(Cell{column, row})) {
        return nullptr;
    }
    return lights_[index(column, row)].get();
}

int LevelGrid::countGold() const {
    int count = 0;
    for (const auto& tile : tiles_) {
        if (isKind(tile.get(), TileKind::Gold)) {
            ++count;
        }
    }
    return count;
}

int LevelGrid::takeGold(int column, int row) {
    if (!isKind(tileAt(column, row), TileKind::Gold)) {
        return 0;
    }
    removeTile(column, row);
    --goldCount;
    if (goldCount == 0) {
        app_.sound.play(kSoundLastGold, false, false);
        for (int r = 0; r < kHeight; ++r) {
            for (int c = 0; c < kWidth; ++c) {
                if (isKind(tileAt(c, r), TileKind::HiddenLadder)) {
                    tileAt(c, r)->trigger();
                }
            }
        }
        // The first row holding a ladder, brick or block lies at or above the exit. The border
        // columns hold blocks in every row, so this is always the top row.
        for (int r = 0; r < kHeight; ++r) {
            bool found = false;
            for (int c = 0; c < kWidth && !found; ++c) {
                const Tile* tile = tileAt(c, r);
                found = isKind(tile, TileKind::Ladder) || isKind(tile, TileKind::Brick) ||
                        isKind(tile, TileKind::Solid);
            }
            if (found) {
                exitRow = r == 0 ? 0 : r - 1;
                break;
            }
        }
    }
    return 250;
}

void LevelGrid::checkExit(int /*column*/, int row) {
    if (exitRow != -1 && row == exitRow) {
        levelComplete = true;
        app_.sound.play(kSoundExit, false, false);
    }
}

bool LevelGrid::dig(const Vec3& p, int direction) {
    const Cell cell = worldToCell(p);
    // Too far from the neighbouring cell: dig below the cell just entered instead.
    if ((cellCentre(cell.column + direction, cell.row) - p).squaredLength() > 1225.0f) {
        direction /= 2;
    }
    const int target = cell.column + direction;
    const Tile* above = tileAt(target, cell.row);
    Tile* below = tileAt(target, cell.row + 1);
    const bool aboveFree =
        above == nullptr || (above->kind == TileKind::Brick && above->isPassable());
    if (!aboveFree || !isKind(below, TileKind::Brick) || below->isPassable()) {
        return false;
    }
    below->trigger();
    app_.sound.play(kSoundDig, true, false);
    return (cellCentre(target, cell.row) - p).squaredLength() < 400.0f;
}

void LevelGrid::tick() {
    for (int r = 0; r < kHeight; ++r) {
        for (int c = 0; c < kWidth; ++c) {
            if (Tile* tile = tiles_[index(c, r)].get()) {
                tile->tick();
            }
            if (Sprite* light = lights_[index(c, r)].get()) {
                light->animate(30);
            }
        }
    }
}

void LevelGrid::draw(bool flat, Texture::Sampling sampling) const {
    // Every light, then every tile, each sheet in one draw. Tiles never overlap one another,
    // and a light only shares its cell with gold an enemy dropped there, which is drawn after
    // it as before: the picture is the one drawing cell by cell gives.
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    if (flat) {
        // Figures and overlays, all nearer than the grid, still test against a cleared depth.
        glDisable(GL_DEPTH_TEST);
    }
    for (int r = 0; r < kHeight - 1; ++r) {
        for (int c = 1; c < kWidth - 1; ++c) {
            if (const Sprite* light = lights_[index(c, r)].get()) {
                batch_.add(*light);
            }
        }
    }
    batch_.draw(sampling);
    for (int r = 0; r < kHeight - 1; ++r) {
        for (int c = 1; c < kWidth - 1; ++c) {
            if (const Tile* tile = tiles_[index(c, r)].get()) {
                batch_.add(tile->sprite);
            }
        }
    }
    batch_.draw(sampling);
    if (depthTest) {
        glEnable(GL_DEPTH_TEST);
    }
}

void LevelGrid::reskin() {
    Random cosmetic(static_cast<std::uint32_t>(std::rand()));
    for (int r = 0; r < kHeight; ++r) {
        for (int c = 0; c < kWidth; ++c) {
            std::unique_ptr<Tile>& tile = tiles_[index(c, r)];
            if (!tile) {
                continue;
            }
            // A revealed hidden ladder comes back as a plain ladder (its kind says so).
            std::unique_ptr<Tile> fresh = makeTile(tile->kind, app_, cellCentre(c, r), cosmetic);
            if (tile->kind == TileKind::Brick) {
                static_cast<BrickTile&>(*fresh).takeStateFrom(static_cast<const BrickTile&>(*tile));
            }
            tile = std::move(fresh);
        }
    }
    for (int r = 0; r < kHeight - 1; ++r) {
        for (int c = 0; c < kWidth; ++c) {
            if (lights_[index(c, r)]) {
                lights_[index(c, r)] = makeLight(cellCentre(c, r), cosmetic);
            }
        }
    }
}

}  // namespace glint
