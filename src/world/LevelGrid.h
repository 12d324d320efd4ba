// The level: a grid of 34 x 23 cells with their tiles and lights, built from a level file,
// answering the figures' questions about cells, and holding the gold count and the exit.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "render/Sprite.h"
#include "render/SpriteBatch.h"
#include "world/Tile.h"

namespace glint {

class App;
class Random;

struct Cell {
    int column = 0;
    int row = 0;
    bool operator==(const Cell&) const = default;
};

class LevelGrid {
public:
    static constexpr int kWidth = 34;
    static constexpr int kHeight = 23;
    // A level file: 22 lines of 32 map characters, each followed by one separator byte.
    static constexpr std::size_t kFileBytes = 22 * 33 - 1;

    // Every draw the level makes (gold pictures, lights) comes from random, the game's own.
    LevelGrid(App& app, Random& random);
    ~LevelGrid();
    LevelGrid(const LevelGrid&) = delete;
    LevelGrid& operator=(const LevelGrid&) = delete;

    // The file of level n of the level set being played, "dat/levels<set>/<nn>.txt".
    static std::string levelPath(int levelSet, int level);
    // Builds level n of a level set. A missing file says so in one line on standard error and
    // leaves a grid of border cells only; returns whether the file was there.
    bool buildLevel(int levelSet, int level);
    // Builds from the bytes of a level file. Bytes past the end of a short file count as empty
    // cells; CR LF line ends count as LF. A level without a player start says so in one line
    // on standard error, naming source, and the player starts in the lowest free cell with
    // firm ground under it.
    void buildFromBytes(std::span<const std::uint8_t> bytes, std::string_view source = "the level");

    // The cell a position lies in (rounded half up), and whether that cell is inside the grid.
    Cell worldToCell(const Vec3& position) const;
    bool inBounds(const Cell& cell) const {
        return cell.column >= 0 && cell.column < kWidth && cell.row >= 0 && cell.row < kHeight;
    }
    Vec3 cellCentre(int column, int row) const;
    // Strictly within tolerance of the centre of its cell (all three coordinates count).
    bool isNearCellCentre(const Vec3& position, float tolerance) const;

    // The one way to look at a cell: its tile, null when empty, and a solid block for every cell
    // outside the grid (so no neighbour of any cell is ever missing).
    Tile* tileAt(int column, int row) const;
    void putTile(int column, int row, std::unique_ptr<Tile> tile);
    std::unique_ptr<Tile> removeTile(int column, int row);
    const Sprite* lightAt(int column, int row) const;

    int countGold() const;
    // Takes a gold piece from the cell: 250 points, or 0 when it holds none. The last piece
    // reveals the hidden ladders and opens the exit on the top row.
    int takeGold(int column, int row);
    // Completes the level when the exit is open and the row is the exit row.
    void checkExit(int column, int row);
    // The player at p digs in direction d (+1 right, -1 left): see the rules in the source.
    bool dig(const Vec3& p, int direction);

    void tick();
    // flat: the playfield lies flat (untilted), so lights lie behind tiles and tiles never
    // overlap: drawn in that order they need no depth test. sampling: what the cells' size on
    // screen allows (see Texture::Sampling). Either way the picture is the same, only cheaper.
    void draw(bool flat = false, Texture::Sampling sampling = Texture::Sampling::AsLoaded) const;
    // Rebuilds every tile and light for the current skin; dug bricks keep their state. The new
    // pictures' random choices do not come from the game's generator: a change of skin made in
    // the menu must not change what the game draws next.
    void reskin();

    // The game's generator, shared by everything on the level.
    Random& random() const { return random_; }

    bool levelComplete = false;
    int exitRow = -1;
    Vec3 playerStart;
    std::vector<Vec3> enemyStarts;
    int goldCount = 0;
    const float cellSize = 25.0f;

private:
    friend class GameSnapshot;

    static std::size_t index(int column, int row) {
        return static_cast<std::size_t>(column) * kHeight + static_cast<std::size_t>(row);
    }
    Cell fallbackStart() const;
    std::unique_ptr<Sprite> makeLight(const Vec3& centre, Random& random) const;
    void clear();

    App& app_;
    Random& random_;
    std::array<std::unique_ptr<Tile>, kWidth * kHeight> tiles_;
    std::array<std::unique_ptr<Sprite>, kWidth * kHeight> lights_;
    // Reused from frame to frame, so that drawing allocates nothing once it has run.
    mutable SpriteBatch batch_;
};

// Whether a cell's tile stops a figure: a solid block, or a brick that is not dug.
inline bool blocks(const Tile* tile) {
    return tile != nullptr && (tile->kind == TileKind::Solid ||
                               (tile->kind == TileKind::Brick && !tile->isPassable()));
}

inline bool isKind(const Tile* tile, TileKind kind) {
    return tile != nullptr && tile->kind == kind;
}

}  // namespace glint
